#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/posix/os_error_posix.h"
#include "platform/state_files.h"

namespace state_files {

std::string Folder() {
    // A relative XDG_STATE_HOME is to be ignored.
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/') return std::string(state) + "/quillet";
    const char* home = std::getenv("HOME");
    if (!home || !home[0]) return std::string();
    return std::string(home) + "/.local/state/quillet";
}

bool CreateFolders(const std::string& folderPath) {
    for (size_t slash = folderPath.find('/', 1);; slash = folderPath.find('/', slash + 1)) {
        const std::string part = folderPath.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    struct stat st;
    return stat(folderPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RemoveFile(const std::string& filePath) {
    return unlink(filePath.c_str()) == 0;
}

bool ModifiedTime(const std::string& entryPath, int64_t& time) {
    struct stat st;
    if (lstat(entryPath.c_str(), &st) != 0) return false;
    time = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
}

DurableLog::~DurableLog() {
    if (IsOpen()) close(static_cast<int>(m_handle));
}

bool DurableLog::Create(const std::string& filePath, long& osError) {
    const int fd = open(filePath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) {
        osError = os_error::FromErrnoForPath(errno, filePath);
        return false;
    }
    m_handle = fd;
    // The new file's entry has to reach the disk as well as its lines.
    const size_t slash = filePath.find_last_of('/');
    const int folder = open(slash == 0 ? "/" : filePath.substr(0, slash).c_str(),
                            O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}

bool DurableLog::Append(const std::string& text, long& osError) {
    const int fd = static_cast<int>(m_handle);
    for (size_t done = 0; done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            osError = n < 0 ? os_error::FromErrno(errno) : 112;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    if (fdatasync(fd) != 0) {
        osError = os_error::FromErrno(errno);
        return false;
    }
    return true;
}

}  // namespace state_files
