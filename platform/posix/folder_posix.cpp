#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>
#include <cstdlib>

#include "platform/folder.h"
#include "platform/posix/os_error_posix.h"

namespace folder {
namespace {

bool IsDirectory(const std::string& folderPath, const dirent& d) {
    if (d.d_type == DT_DIR) return true;
    if (d.d_type != DT_UNKNOWN && d.d_type != DT_LNK) return false;
    // A link to a folder lists as a folder, as a folder link does on Windows.
    struct stat st;
    std::string full = folderPath + "/" + d.d_name;
    return stat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsDotOrDotDot(const std::string& name) {
    return name == "." || name == "..";
}

class DirCloser {
  public:
    explicit DirCloser(DIR* dir) : m_dir(dir) {}
    ~DirCloser() { closedir(m_dir); }
    DirCloser(const DirCloser&) = delete;
    DirCloser& operator=(const DirCloser&) = delete;

  private:
    DIR* m_dir;
};

}  // namespace

bool List(const std::string& folderPath, std::vector<Entry>& entries) {
    entries.clear();
    DIR* dir = opendir(folderPath.c_str());
    if (!dir) return false;
    DirCloser closer(dir);
    for (;;) {
        // The end and a failure both end the loop; only errno tells them apart.
        errno = 0;
        const dirent* d = readdir(dir);
        if (!d) break;
        Entry e;
        e.name = d->d_name;
        e.isDirectory = IsDirectory(folderPath, *d);
        e.isHidden = e.name[0] == '.' && !IsDotOrDotDot(e.name);
        entries.push_back(e);
    }
    if (errno == 0) return true;
    entries.clear();
    return false;
}

bool Create(const std::string& folderPath, long* osError) {
    if (mkdir(folderPath.c_str(), 0777) == 0) {
        if (osError) *osError = 0;
        return true;
    }
    if (osError) *osError = os_error::FromErrnoForPath(errno, folderPath);
    return false;
}

namespace {

uint64_t Nanoseconds(int64_t seconds, uint32_t nanoseconds) {
    return static_cast<uint64_t>(seconds) * 1000000000u + nanoseconds;
}

bool IdentifyAt(const std::string& path, int flags, FileIdentity& identity) {
#ifdef STATX_BTIME
    struct statx sx;
    if (statx(AT_FDCWD, path.c_str(), flags, STATX_BASIC_STATS | STATX_BTIME, &sx) == 0) {
        identity.volume = makedev(sx.stx_dev_major, sx.stx_dev_minor);
        identity.index = sx.stx_ino;
        identity.isDirectory = S_ISDIR(sx.stx_mode);
        identity.size = sx.stx_size;
        identity.modified = Nanoseconds(sx.stx_mtime.tv_sec, sx.stx_mtime.tv_nsec);
        identity.created = (sx.stx_mask & STATX_BTIME)
                               ? Nanoseconds(sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec)
                               : 0;
        return true;
    }
    if (errno != ENOSYS) return false;
#endif
    struct stat st;
    const int result =
        (flags & AT_SYMLINK_NOFOLLOW) ? lstat(path.c_str(), &st) : stat(path.c_str(), &st);
    if (result != 0) return false;
    identity.volume = static_cast<uint64_t>(st.st_dev);
    identity.index = static_cast<uint64_t>(st.st_ino);
    identity.isDirectory = S_ISDIR(st.st_mode);
    identity.size = static_cast<uint64_t>(st.st_size);
    identity.modified = Nanoseconds(st.st_mtim.tv_sec, static_cast<uint32_t>(st.st_mtim.tv_nsec));
    identity.created = 0;
    return true;
}

}  // namespace

bool Identify(const std::string& path, FileIdentity& identity) {
    identity = FileIdentity();
    return IdentifyAt(path, AT_SYMLINK_NOFOLLOW, identity);
}

bool IdentifyTarget(const std::string& path, FileIdentity& identity) {
    identity = FileIdentity();
    return IdentifyAt(path, 0, identity);
}

std::string Resolve(const std::string& folderPath) {
    char* real = realpath(folderPath.c_str(), nullptr);
    if (!real) return folderPath;
    std::string resolved = real;
    free(real);
    return resolved;
}

bool NameTooLong(const std::string& name) {
    return name.size() > NAME_MAX;
}

std::string StoredName(const std::string& name) {
    return name;
}

std::string NameKey(const std::string& name) {
    return name;
}

}  // namespace folder
