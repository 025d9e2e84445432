#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>

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

bool Identify(const std::string& path, FileIdentity& identity) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return false;
    identity.volume = static_cast<uint64_t>(st.st_dev);
    identity.index = static_cast<uint64_t>(st.st_ino);
    return true;
}

std::string StoredName(const std::string& name) {
    return name;
}

std::string NameKey(const std::string& name) {
    return name;
}

}  // namespace folder
