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

DWORD DesiredAccess(unsigned flags) {
    switch (flags & 3u) {
        case CFile::modeWrite:
            return GENERIC_WRITE;
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
HANDLE Create(const std::string& p, unsigned flags, DWORD creation) {
    HANDLE h = CreateWithAttributes(p, flags, creation, FILE_ATTRIBUTE_NORMAL);
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

}  // namespace

CFile::~CFile() {
    Abort();
}

bool CFile::Open(const std::string& path, unsigned flags, CFileException* error) {
    Abort();
    DWORD creation = (flags & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
    HANDLE h = Create(path, flags, creation);
    if (h == INVALID_HANDLE_VALUE) {
        if (error) {
            error->m_lOsError = LastError(kGenericFailure);
            error->m_cause = CFileException::OsErrorToException(error->m_lOsError);
            error->m_strFileName = path;
        }
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
