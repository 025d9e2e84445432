// Files over 2 GiB on 32-bit systems too.
#define _FILE_OFFSET_BITS 64

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "platform/case_temporary.h"
#include "platform/file.h"
#include "platform/file_exception.h"
#include "platform/posix/os_error_posix.h"
#include "platform/windows_case.h"

namespace {

constexpr long kInvalidHandle = 6;
constexpr long kAccessDenied = 5;
constexpr long kSharingViolation = 32;
constexpr long kNameExists = 183;
constexpr long kFileExists = 80;  // what Windows says when a new file's name is taken
constexpr long kDiskFull = 112;
constexpr long kNegativeSeek = 131;

// Reads and writes go in pieces no larger than this, whatever the caller asks.
constexpr size_t kMaxTransfer = 1u << 30;

int AccessFlags(unsigned flags) {
    switch (flags & 3u) {
        case CFile::modeWrite:
            return O_WRONLY;
        case CFile::modeReadWrite:
            return O_RDWR;
        default:
            return O_RDONLY;
    }
}

// Sharing is emulated with advisory locks held while the file is open: an exclusive
// open holds the only lock, every other open a shared one, so each of them keeps an
// exclusive open out and an exclusive open keeps them all out.
bool TakeShareLock(int fd, unsigned flags) {
    int op = (flags & 0x70u) == CFile::shareExclusive ? LOCK_EX : LOCK_SH;
    if (flock(fd, op | LOCK_NB) == 0) return true;
    // Systems without flock support get no sharing rules rather than no files.
    return errno != EWOULDBLOCK;
}

void FillError(CFileException* error, long code, const std::string& path) {
    if (!error) return;
    error->m_cause = CFileException::OsErrorToException(code);
    error->m_lOsError = code;
    error->m_strFileName = path;
}

// An open descriptor that still fails with EBADF was not opened for that direction;
// Windows calls that access denied.
long TransferError(int err) {
    return err == EBADF ? kAccessDenied : os_error::FromErrno(err);
}

// Why the kernel will not copy between two files; asked again, it would say the same.
bool RefusesKernelCopy(int err) {
    return err == EXDEV || err == EINVAL || err == EOPNOTSUPP || err == ENOTSUP || err == ENOSYS;
}

// Removes the entry a replacing open takes the place of: a link goes, and so does a file
// that nobody holds open (the share lock tells); anything else stays and is refused.
long RemoveForReplace(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0) {
        return errno == ENOENT ? 0 : os_error::FromErrnoForPath(errno, path);
    }
    int fd = -1;
    if (S_ISREG(st.st_mode)) {
        fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) return os_error::FromErrnoForPath(errno, path);
        if (!TakeShareLock(fd, CFile::shareExclusive)) {
            ::close(fd);
            return kSharingViolation;
        }
    } else if (!S_ISLNK(st.st_mode)) {
        return kAccessDenied;
    }
    const int err = unlink(path.c_str()) == 0 ? 0 : errno;
    if (fd >= 0) ::close(fd);
    return err == 0 || err == ENOENT ? 0 : os_error::FromErrnoForPath(err, path);
}

int CreationFlags(unsigned flags) {
    if (flags & (CFile::modeCreateNew | CFile::modeReplace)) return O_CREAT | O_EXCL | O_NOFOLLOW;
    return (flags & CFile::modeCreate) ? O_CREAT : 0;
}

uint64_t NextOpenSerial() {
    static std::atomic<uint64_t> serial{0};
    return ++serial;
}

int Whence(CFile::SeekPosition from) {
    switch (from) {
        case CFile::current:
            return SEEK_CUR;
        case CFile::end:
            return SEEK_END;
        default:
            return SEEK_SET;
    }
}

}  // namespace

CFile::~CFile() {
    Abort();
}

bool CFile::Open(const std::string& path, unsigned flags, CFileException* error) {
    Abort();
    long failure = (flags & modeReplace) ? RemoveForReplace(path) : 0;
    if (failure != 0) {
        FillError(error, failure, path);
        return false;
    }
    // Truncation waits until the share lock is held, so a refused open loses nothing.
    // Non-blocking only while opening, so that a named pipe cannot hang the open; a
    // terminal opened so never becomes the controlling one. The flag goes without
    // asking for the others first: F_SETFL ignores the access mode and the creation
    // flags of oflags.
    int oflags = AccessFlags(flags) | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | CreationFlags(flags);
    int fd = ::open(path.c_str(), oflags, 0666);
    if (fd < 0) {
        const bool taken = errno == EEXIST && (oflags & O_EXCL);
        FillError(error, taken ? kFileExists : os_error::FromErrnoForPath(errno, path), path);
        return false;
    }
    struct stat st;
    if (fstat(fd, &st) != 0) {
        failure = os_error::FromErrno(errno);
    } else if (!S_ISREG(st.st_mode)) {
        failure = kAccessDenied;
    } else if (fcntl(fd, F_SETFL, oflags & ~O_NONBLOCK) != 0) {
        failure = os_error::FromErrno(errno);
    } else if (!TakeShareLock(fd, flags)) {
        failure = kSharingViolation;
    } else if ((flags & modeCreate) && st.st_size > 0 && ftruncate(fd, 0) != 0) {
        // Truncating an empty file would still mark it for a flush on close (ext4).
        failure = os_error::FromErrno(errno);
    }
    if (failure != 0) {
        ::close(fd);
        FillError(error, failure, path);
        return false;
    }
    m_hFile = fd;
    m_strFilePath = path;
    m_nOpenSerial = NextOpenSerial();
    m_nNoKernelCopyFrom = 0;
    return true;
}

bool CFile::IsOpen() const {
    return m_hFile >= 0;
}

uint64_t CFile::GetLength() const {
    if (!IsOpen()) CFileException::ThrowOsError(kInvalidHandle);
    struct stat st;
    if (fstat(static_cast<int>(m_hFile), &st) != 0) os_error::ThrowErrno(errno);
    return static_cast<uint64_t>(st.st_size);
}

uint64_t CFile::Seek(int64_t offset, SeekPosition from) {
    if (!IsOpen()) CFileException::ThrowOsError(kInvalidHandle);
    off_t pos = lseek(static_cast<int>(m_hFile), static_cast<off_t>(offset), Whence(from));
    if (pos < 0) {
        // Windows names a seek before the start of the file separately.
        CFileException::ThrowOsError(errno == EINVAL ? kNegativeSeek : os_error::FromErrno(errno));
    }
    return static_cast<uint64_t>(pos);
}

size_t CFile::Read(void* buffer, size_t count) {
    if (!IsOpen()) CFileException::ThrowOsError(kInvalidHandle);
    char* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < count) {
        size_t want = count - done < kMaxTransfer ? count - done : kMaxTransfer;
        ssize_t n = ::read(static_cast<int>(m_hFile), out + done, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) CFileException::ThrowOsError(TransferError(errno), m_strFilePath);
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

void CFile::Write(const void* buffer, size_t count) {
    if (!IsOpen()) CFileException::ThrowOsError(kInvalidHandle);
    const char* in = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < count) {
        size_t want = count - done < kMaxTransfer ? count - done : kMaxTransfer;
        ssize_t n = ::write(static_cast<int>(m_hFile), in + done, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) CFileException::ThrowOsError(TransferError(errno), m_strFilePath);
        // Nothing written and no reason given: the medium took no more.
        if (n == 0) CFileException::ThrowOsError(kDiskFull, m_strFilePath);
        done += static_cast<size_t>(n);
    }
}

size_t CFile::CopyFrom(CFile& source, size_t count, const CopyProgress& progress) {
    if (!IsOpen() || !source.IsOpen()) CFileException::ThrowOsError(kInvalidHandle);
    size_t done = 0;
    while (done < count && m_nNoKernelCopyFrom != source.m_nOpenSerial) {
        size_t want = count - done < kMaxTransfer ? count - done : kMaxTransfer;
        ssize_t n = copy_file_range(static_cast<int>(source.m_hFile), nullptr,
                                    static_cast<int>(m_hFile), nullptr, want, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && RefusesKernelCopy(errno)) m_nNoKernelCopyFrom = source.m_nOpenSerial;
        // Errors and the end are left to the plain copy: it names the failing side, and
        // some file systems report 0 for files they cannot copy this way.
        if (n <= 0) break;
        done += static_cast<size_t>(n);
        if (progress) progress(static_cast<size_t>(n));
    }
    if (done == count) return done;
    return done + CopyThroughBuffer(source, count - done, progress);
}

void CFile::Close() {
    if (!IsOpen()) return;
    int fd = static_cast<int>(m_hFile);
    m_hFile = -1;
    m_strFilePath.clear();
    // The descriptor is gone even when close reports a failure (a late write error).
    if (::close(fd) != 0 && errno != EINTR) os_error::ThrowErrno(errno);
}

void CFile::Abort() {
    if (!IsOpen()) return;
    ::close(static_cast<int>(m_hFile));
    m_hFile = -1;
    m_strFilePath.clear();
}

namespace {

bool IsFolder(const std::string& p) {
    struct stat st;
    return lstat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Exists(const std::string& p) {
    struct stat st;
    return lstat(p.c_str(), &st) == 0;
}

// Windows lets an entry be "renamed" to its own name; a second hard link of a file is
// another entry, though, and stays protected.
bool IsSameEntry(const std::string& oldName, const std::string& newName) {
    struct stat a, b;
    if (lstat(oldName.c_str(), &a) != 0 || lstat(newName.c_str(), &b) != 0) return false;
    if (a.st_dev != b.st_dev || a.st_ino != b.st_ino) return false;
    return oldName == newName || S_ISDIR(a.st_mode) || a.st_nlink == 1;
}

// A missing entry is blamed on whichever side is missing, the way Windows reports it.
[[noreturn]] void ThrowRenameError(int err, const std::string& oldName,
                                   const std::string& newName) {
    const std::string& blamed = err == ENOENT && Exists(oldName) ? newName : oldName;
    long code = os_error::FromErrnoForPath(err, blamed);
    throw CFileException(CFileException::OsErrorToException(code), code);
}

// Moves without ever replacing an entry; 0, or the error that stopped it (EEXIST when
// the new name is taken). Where the kernel cannot refuse to replace, a hard link, which
// cannot replace anything either, makes a file's move atomic; folders (and systems
// without links) check first.
int MoveWithoutReplace(const std::string& from, const std::string& to) {
#ifdef RENAME_NOREPLACE
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
#endif
    if (!IsFolder(from)) {
        if (link(from.c_str(), to.c_str()) == 0) return unlink(from.c_str()) == 0 ? 0 : errno;
        if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP) return errno;
    }
    if (Exists(to)) return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

std::string FolderPart(const std::string& p) {
    const size_t slash = p.find_last_of('/');
    return slash == std::string::npos ? std::string() : p.substr(0, slash + 1);
}

// Whether the folder holds an entry spelled exactly so; a look-up would also find an
// entry whose name differs in case where the file system ignores case.
bool IsListedExactly(const std::string& p) {
    const std::string folder = FolderPart(p);
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return true;  // cannot tell: taken, to be safe
    const std::string name = p.substr(folder.size());
    bool listed = false;
    while (const dirent* d = readdir(dir)) {
        if (name == d->d_name) listed = true;
    }
    closedir(dir);
    return listed;
}

// "IMG.JPG" to "IMG.jpg", "É.txt" to "é.txt": on a file system that ignores case, for
// whichever letters it folds, both names lead to the one entry (a FUSE file system may
// number it differently for each name, so names that Windows takes for the same count
// too), and the folder does not list the new spelling yet.
bool IsOtherSpelling(const std::string& oldName, const std::string& newName) {
    if (oldName == newName || FolderPart(oldName) != FolderPart(newName)) return false;
    struct stat a, b;
    if (lstat(oldName.c_str(), &a) != 0 || lstat(newName.c_str(), &b) != 0) return false;
    const bool sameEntry = a.st_dev == b.st_dev && a.st_ino == b.st_ino;
    return (sameEntry || windows_case::Compare(oldName, newName) == 0) && !IsListedExactly(newName);
}

// Such a file system finds the new spelling as the old entry and will not move onto
// it, so the entry goes through a temporary name beside it that no entry has; if the
// second step fails it comes back under its old name, or the error says where it is.
void RenameThroughTemporary(const std::string& oldName, const std::string& newName) {
    std::string temporary;
    int err = EEXIST;
    for (int n = 0; err == EEXIST && n < 1000; ++n) {
        temporary = case_temporary::Name(newName, n);
        err = MoveWithoutReplace(oldName, temporary);
    }
    if (err != 0) ThrowRenameError(err, oldName, temporary);
    err = MoveWithoutReplace(temporary, newName);
    if (err == 0) {
        if (IsListedExactly(newName)) return;
        // The file system keeps a spelling of its own: the name did not change as asked.
        CFileException::ThrowOsError(kNameExists);
    }
    if (MoveWithoutReplace(temporary, oldName) != 0) {
        const long code = os_error::FromErrno(err);
        throw CFileException(CFileException::OsErrorToException(code), code, temporary);
    }
    ThrowRenameError(err, oldName, newName);
}

}  // namespace

bool CFile::Rename(const std::string& oldName, const std::string& newName) {
    // One call where the kernel can refuse to replace; the look-ups only after a refusal.
    const int err = MoveWithoutReplace(oldName, newName);
    if (err == 0) return true;
    if (err != EEXIST) ThrowRenameError(err, oldName, newName);
    if (IsOtherSpelling(oldName, newName)) {
        RenameThroughTemporary(oldName, newName);
        return true;
    }
    // Its own name exists too, and that rename changes nothing.
    if (IsSameEntry(oldName, newName)) return false;
    CFileException::ThrowOsError(kNameExists);
    return false;
}
