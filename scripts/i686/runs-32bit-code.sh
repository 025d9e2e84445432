#!/usr/bin/env bash
# Exits 0 when this machine executes 32-bit x86 programs, 1 when its kernel refuses
# them ("Exec format error"). Tries a 96-byte i386 program that exits with 42.
set -u
probe=$(mktemp)
trap 'rm -f "$probe"' EXIT
# ELF header, one loadable segment at 0x08048000, then: mov eax,1; mov ebx,42; int 0x80
printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0''\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\140\0\0\0\140\0\0\0\5\0\0\0\0\20\0\0''\270\1\0\0\0\273\52\0\0\0\315\200' >"$probe"
chmod +x "$probe"
# A refused program would be run as a shell script by the shell's fallback; only the
# program itself exits with 42.
"$probe" >/dev/null 2>&1
[ $? -eq 42 ]
