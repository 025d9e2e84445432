#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/os_error_posix.h"
#include "platform/whole_file.h"

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

namespace whole_file {

void Sync(const std::string& path) {
    // Whatever the name holds by now is never waited on.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) os_error::ThrowErrno(errno, path);
    const bool synced = fsync(fd) == 0;
    const int err = errno;
    close(fd);
    if (!synced && err != EINVAL) os_error::ThrowErrno(err, path);
}

void Replace(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) os_error::ThrowErrno(errno, to);
    // The new entry is on the disk only once its folder is.
    const int fd = open(FolderOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) os_error::ThrowErrno(errno, to);
    const bool synced = fsync(fd) == 0;
    const int err = errno;
    close(fd);
    if (!synced && err != EINVAL) os_error::ThrowErrno(err, to);
}

bool Remove(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

}  // namespace whole_file
