#include <windows.h>

#include "platform/case_temporary.h"
#include "platform/file.h"
#include "platform/file_exception.h"
#include "platform/folder.h"
#include "platform/win32/system_path.h"
#include "platform/win32/wide.h"

namespace {

constexpr long kInvalidHandle = ERROR_INVALID_HANDLE;
constexpr long kDiskFull = ERROR_DISK_FULL;

// Transfers go in pieces that fit a DWORD count.
constexpr size_t kMaxTransfer = 1u << 30;

HANDLE Handle(intptr_t h) {
    return reinterpret_cast<HANDLE>(h);
}

// Writers can read the attributes too: the open checks what it was handed.
DWORD DesiredAccess(unsigned flags) {
    switch (flags & 3u) {
        case CFile::modeWrite:
            return GENERIC_WRITE | FILE_READ_ATTRIBUTES;
        case CFile::modeReadWrite:
            return GENERIC_READ | GENERIC_WRITE;
        default:
            return GENERIC_READ;
    }
}

DWORD ShareMode(unsigned flags) {
    switch (flags & 0x70u) {
        case CFile::shareExclusive:
            return 0;
        case CFile::shareDenyWrite:
            return FILE_SHARE_READ;
        case CFile::shareDenyRead:
            return FILE_SHARE_WRITE;
        default:
            return FILE_SHARE_READ | FILE_SHARE_WRITE;
    }
}

// A failure the system gives no code for is still a failure.
long LastError(long fallback) {
    DWORD code = GetLastError();
    return code != 0 ? static_cast<long>(code) : fallback;
}

constexpr long kGenericFailure = ERROR_GEN_FAILURE;

HANDLE CreateWithAttributes(const std::string& p, unsigned flags, DWORD creation,
                            DWORD attributes) {
    return system_path::Open(p, DesiredAccess(flags), ShareMode(flags), creation, attributes);
}

// Windows refuses to replace a hidden or system file unless the new one is given the
// same attributes; the replaced file then keeps them.
HANDLE Create(const std::string& p, unsigned flags, DWORD creation, DWORD attributes) {
    HANDLE h = CreateWithAttributes(p, flags, creation, attributes);
    if (h != INVALID_HANDLE_VALUE || creation != CREATE_ALWAYS ||
        GetLastError() != ERROR_ACCESS_DENIED) {
        return h;
    }
    const DWORD existing = system_path::Attributes(p);
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (existing == INVALID_FILE_ATTRIBUTES || (existing & FILE_ATTRIBUTE_DIRECTORY) ||
        (existing & kept) == 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return h;
    }
    return CreateWithAttributes(p, flags, creation, existing & kept);
}

// A new file in place of the entry p holds: made under a free temporary name beside it
// and moved over the entry while open. A move replaces a link itself, where a delete
// may remove what it points to (a POSIX link under a compatibility layer shows as a
// plain file). A file held open or read-only is refused as the truncating create
// refuses it, and keeps its hidden and system attributes.
HANDLE ReplaceEntry(const std::string& p, unsigned flags, DWORD existing) {
    HANDLE old = system_path::Open(p, GENERIC_WRITE, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    if (old != INVALID_HANDLE_VALUE) {
        CloseHandle(old);
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
        return old;  // a dangling link has nothing to protect
    }
    DWORD attributes = existing & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
    for (int n = 0;; ++n) {
        const std::string temporary = p + "." + std::to_string(n) + ".tmp";
        HANDLE h = system_path::Open(temporary, DesiredAccess(flags) | DELETE,
                                     ShareMode(flags) | FILE_SHARE_DELETE, CREATE_NEW, attributes);
        if (h == INVALID_HANDLE_VALUE) {
            const DWORD code = GetLastError();
            if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) continue;
            return h;
        }
        if (system_path::MoveEx(temporary, p, MOVEFILE_REPLACE_EXISTING)) return h;
        const DWORD code = GetLastError();
        CloseHandle(h);
        system_path::Delete(temporary);
        SetLastError(code);
        return INVALID_HANDLE_VALUE;
    }
}

DWORD Creation(unsigned flags) {
    if (flags & (CFile::modeCreateNew | CFile::modeReplace)) return CREATE_NEW;
    return (flags & CFile::modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
}

// A file on a disk, as the name gave it: no device, pipe or console, and no reparse
// point that a create was handed instead of a new file.
bool IsPlainFile(HANDLE h) {
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info)) return false;
    return (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

void FillError(CFileException* error, long code, const std::string& path) {
    if (!error) return;
    error->m_lOsError = code;
    error->m_cause = CFileException::OsErrorToException(code);
    error->m_strFileName = path;
}

}  // namespace

CFile::~CFile() {
    Abort();
}

bool CFile::Open(const std::string& path, unsigned flags, CFileException* error) {
    Abort();
    const DWORD existing =
        (flags & modeReplace) ? system_path::Attributes(path) : INVALID_FILE_ATTRIBUTES;
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY)) {
        FillError(error, ERROR_ACCESS_DENIED, path);  // as the truncating create says
        return false;
    }
    HANDLE h = INVALID_HANDLE_VALUE;
    if (existing == INVALID_FILE_ATTRIBUTES)
        h = Create(path, flags, Creation(flags), FILE_ATTRIBUTE_NORMAL);
    // A name that holds an entry the attributes do not show (a dangling link) is taken too.
    if (existing != INVALID_FILE_ATTRIBUTES ||
        ((flags & modeReplace) && h == INVALID_HANDLE_VALUE &&
         GetLastError() == ERROR_FILE_EXISTS)) {
        h = ReplaceEntry(path, flags, existing == INVALID_FILE_ATTRIBUTES ? 0 : existing);
    }
    if (h == INVALID_HANDLE_VALUE) {
        FillError(error, LastError(kGenericFailure), path);
        return false;
    }
    if (!IsPlainFile(h)) {
        CloseHandle(h);
        FillError(error, ERROR_ACCESS_DENIED, path);
        return false;
    }
    m_hFile = reinterpret_cast<intptr_t>(h);
    m_strFilePath = path;
    return true;
}

bool CFile::IsOpen() const {
    return m_hFile != -1;
}

uint64_t CFile::GetLength() const {
    if (!IsOpen()) CFileException::ThrowOsError(kInvalidHandle);
    LARGE_INTEGER size;
    if (!GetFileSizeEx(Handle(m_hFile), &size)) {
        CFileException::ThrowOsError(LastError(kGenericFailure));
    }
    return static_cast<uint64_t>(size.QuadPart);
}

uint64_t CFile::Seek(int64_t offset, SeekPosition from) {
    if (!IsOpen()) CFileException::ThrowOsError(kInvalidHandle);
    LARGE_INTEGER distance, pos;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(Handle(m_hFile), distance, &pos, static_cast<DWORD>(from))) {
        CFileException::ThrowOsError(LastError(kGenericFailure));
    }
    return static_cast<uint64_t>(pos.QuadPart);
}

size_t CFile::Read(void* buffer, size_t count) {
    if (!IsOpen()) CFileException::ThrowOsError(kInvalidHandle);
    char* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < count) {
        DWORD want = static_cast<DWORD>(count - done < kMaxTransfer ? count - done : kMaxTransfer);
        DWORD got = 0;
        if (!ReadFile(Handle(m_hFile), out + done, want, &got, nullptr)) {
            CFileException::ThrowOsError(LastError(kGenericFailure), m_strFilePath);
        }
        if (got == 0) break;
        done += got;
    }
    return done;
}

void CFile::Write(const void* buffer, size_t count) {
    if (!IsOpen()) CFileException::ThrowOsError(kInvalidHandle);
    const char* in = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < count) {
        DWORD want = static_cast<DWORD>(count - done < kMaxTransfer ? count - done : kMaxTransfer);
        DWORD put = 0;
        if (!WriteFile(Handle(m_hFile), in + done, want, &put, nullptr)) {
            CFileException::ThrowOsError(LastError(kGenericFailure), m_strFilePath);
        }
        // Nothing written and no reason given: the medium took no more.
        if (put == 0) CFileException::ThrowOsError(kDiskFull, m_strFilePath);
        done += put;
    }
}

size_t CFile::CopyFrom(CFile& source, size_t count, const CopyProgress& progress) {
    if (!IsOpen() || !source.IsOpen()) CFileException::ThrowOsError(kInvalidHandle);
    return CopyThroughBuffer(source, count, progress);
}

void CFile::Close() {
    if (!IsOpen()) return;
    HANDLE h = Handle(m_hFile);
    m_hFile = -1;
    m_strFilePath.clear();
    if (!CloseHandle(h)) CFileException::ThrowOsError(LastError(kGenericFailure));
}

void CFile::Abort() {
    if (!IsOpen()) return;
    CloseHandle(Handle(m_hFile));
    m_hFile = -1;
    m_strFilePath.clear();
}

namespace {

std::wstring Upper(std::wstring s) {
    if (!s.empty()) CharUpperBuffW(&s[0], static_cast<DWORD>(s.size()));
    return s;
}

// "IMG.JPG" to "IMG.jpg": the same name to a system that ignores case.
bool DiffersOnlyInCase(const std::wstring& oldName, const std::wstring& newName) {
    return oldName != newName && Upper(oldName) == Upper(newName);
}

std::wstring NameOf(const std::string& path) {
    const std::wstring p = wide::FromUtf8(path);
    const size_t separator = p.find_last_of(L"\\/");
    return separator == std::wstring::npos ? p : p.substr(separator + 1);
}

// Whether the entry is stored spelled exactly so. A look-up of the one name answers
// with the spelling the folder holds.
bool IsStoredAs(const std::string& p) {
    WIN32_FIND_DATAW data;
    HANDLE find = system_path::FindFirst(p, data);
    if (find == INVALID_HANDLE_VALUE) return true;  // cannot tell: as asked
    FindClose(find);
    return NameOf(p) == data.cFileName;
}

// Whether the folder holds an entry spelled exactly so. Where a plain name comes back
// spelled as asked (Wine over a disk that ignores case), a pattern makes the system
// read the folder's own spellings; it matches only names that start alike.
bool IsListedAs(const std::string& p) {
    size_t last = p.size() - 1;  // the last character's first byte
    while (last > 0 && (static_cast<unsigned char>(p[last]) & 0xC0) == 0x80) --last;
    WIN32_FIND_DATAW data;
    HANDLE find = system_path::FindFirst(p.substr(0, last) + "*", data);
    if (find == INVALID_HANDLE_VALUE) return true;  // cannot tell: taken
    const std::wstring name = NameOf(p);
    bool listed = false;
    do {
        listed = name == data.cFileName;
    } while (!listed && FindNextFileW(find, &data));
    FindClose(find);
    return listed;
}

// Through a temporary name beside it that no entry has; if the second step fails the
// entry comes back under its old name, or the error says where it is.
void MoveThroughTemporary(const std::string& oldPath, const std::string& newPath) {
    std::string temporary;
    int n = 0;
    for (;; ++n) {
        temporary = case_temporary::Name(newPath, n);
        if (system_path::Move(oldPath, temporary)) break;
        const long code = LastError(kGenericFailure);
        if ((code != ERROR_ALREADY_EXISTS && code != ERROR_FILE_EXISTS) || n >= 1000) {
            CFileException::ThrowOsError(code);
        }
    }
    if (!system_path::Move(temporary, newPath)) {
        const long code = LastError(kGenericFailure);
        if (!system_path::Move(temporary, oldPath)) {
            CFileException::ThrowOsError(code, case_temporary::Name(newPath, n));
        }
        CFileException::ThrowOsError(code);
    }
}

}  // namespace

bool CFile::Rename(const std::string& oldPath, const std::string& newPath) {
    // The system would "move" it onto itself (it drops trailing dots and spaces of the
    // new name); nothing would change.
    if (oldPath == newPath || oldPath == folder::StoredName(newPath)) return false;
    // Windows changes the case itself. A layer over a file system that ignores case may
    // take the new spelling for the old entry: it refuses the name as taken, or reports
    // success and keeps the old spelling. The entry then goes through a temporary name.
    const bool caseOnly = DiffersOnlyInCase(wide::FromUtf8(oldPath), wide::FromUtf8(newPath));
    if (!system_path::Move(oldPath, newPath)) {
        const long code = LastError(kGenericFailure);
        const bool taken = code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS;
        if (!caseOnly || !taken || IsListedAs(newPath)) CFileException::ThrowOsError(code);
        MoveThroughTemporary(oldPath, newPath);
        return true;
    }
    if (caseOnly && !IsStoredAs(newPath)) MoveThroughTemporary(oldPath, newPath);
    return true;
}
