#!/usr/bin/env bash
# Fails when the program calls a Windows function that takes a path anywhere but in
# platform/win32/system_path_win32.cpp: only there does a path get its full form and
# the long-path prefix. Calls on handles the gate opened are free. The narrow C and C++
# file calls are refused too in what Windows builds: they read the path in the ANSI
# code page. Tests and benchmarks drive Wine themselves and are not looked at.
set -euo pipefail
cd "$(dirname "$0")/.."
gate=platform/win32/system_path_win32.cpp

win32='CreateFile|CreateFile2|OpenFile|ReOpenFile|FindFirstFile|FindFirstFileEx|FindFirstFileName|'
win32+='FindFirstStream|FindFirstChangeNotification|MoveFile|MoveFileEx|MoveFileWithProgress|'
win32+='MoveFileTransacted|ReplaceFile|DeleteFile|RemoveDirectory|CreateDirectory|CreateDirectoryEx|'
win32+='GetFileAttributes|GetFileAttributesEx|SetFileAttributes|CopyFile|CopyFileEx|CopyFile2|'
win32+='CreateHardLink|CreateSymbolicLink|GetFullPathName|GetLongPathName|GetShortPathName|'
win32+='GetCompressedFileSize|GetDiskFreeSpace|GetDiskFreeSpaceEx|GetVolumePathName|'
win32+='GetVolumeInformation|GetTempFileName|SetCurrentDirectory|EncryptFile|DecryptFile|'
win32+='SetFileShortName|GetBinaryType|CreateFileMapping'
crt='_wfopen|_wfreopen|_wfsopen|_wopen|_wsopen|_wsopen_s|_wstat|_wstat64|_wstati64|_wrename|'
crt+='_wremove|_wunlink|_wmkdir|_wrmdir|_wchdir|_waccess|_wchmod|_wfindfirst|_wfindfirst64|'
crt+='_wutime|fopen|freopen|_open|_sopen|_stat|_mkdir|_rmdir|_unlink|_access|_findfirst'
cxx='std::(ifstream|ofstream|fstream|filesystem)'

status=0
checked=0
while IFS= read -r file; do
    [ "$file" = "$gate" ] && continue
    checked=$((checked + 1))
    # Comments are prose: what is left of a line before // is code.
    hits=$(sed 's#//.*##' "$file" | grep -nE "\\b(($win32)(A|W)?|$crt)\\s*\\(|\\b$cxx\\b" || true)
    case "$file" in
        */posix/* | *_posix.cpp) hits=$(sed 's#//.*##' "$file" | grep -nE "\\b($win32)(A|W)?\\s*\\(" || true) ;;
    esac
    if [ -n "$hits" ]; then
        sed "s#^#$file:#" <<<"$hits" >&2
        status=1
    fi
done < <(find . \( -path ./build -o -path ./dist -o -path ./.git -o -path ./tests -o -path ./bench \
                -o -path ./fuzz \) -prune -o -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.inc' \
                -o -name '*.c' \) -print | sed 's#^\./##' | sort)

if [ ! -f "$gate" ] || [ $checked -eq 0 ]; then
    echo "check-file-gate: no gate or no sources found from $(pwd)" >&2
    status=1
elif [ $status -ne 0 ]; then
    echo "check-file-gate: the calls above take a path; make them through system_path ($gate)" >&2
else
    echo "check-file-gate: every Windows file call goes through $gate"
fi
exit $status
