#include "platform/posix/os_error_posix.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/file_exception.h"

namespace os_error {
namespace {

struct Mapping {
    int err;
    long code;
};

// ENXIO: a pipe nobody reads, or a terminal that is not this program's; no file to open.
const Mapping kMappings[] = {
    {ENOENT, 2},       {ENOTDIR, 3}, {EACCES, 5},         {EPERM, 5},       {EISDIR, 5},
    {EBADF, 6},        {EMFILE, 4},  {ENFILE, 4},         {EEXIST, 183},    {ENOSPC, 112},
    {EDQUOT, 112},     {EROFS, 19},  {ENAMETOOLONG, 206}, {ETXTBSY, 32},    {EBUSY, 32},
    {EWOULDBLOCK, 32}, {EINVAL, 87}, {EXDEV, 17},         {ENOTEMPTY, 145}, {EIO, 1117},
    {ELOOP, 1921},     {ENOMEM, 8},  {EFBIG, 223},        {ESPIPE, 132},    {ENXIO, 5},
};

// ERROR_GEN_FAILURE: "a device attached to the system is not functioning".
constexpr long kGenericCode = 31;

}  // namespace

long FromErrno(int err) {
    for (const Mapping& m : kMappings) {
        if (m.err == err) return m.code;
    }
    return kGenericCode;
}

long FromErrnoForPath(int err, const std::string& path) {
    constexpr long kPathNotFound = 3;
    if (err != ENOENT) return FromErrno(err);
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos || slash == 0) return FromErrno(err);
    struct stat st;
    return stat(path.substr(0, slash).c_str(), &st) == 0 ? FromErrno(err) : kPathNotFound;
}

void ThrowErrno(int err, const std::string& fileName) {
    long code = FromErrno(err);
    throw CFileException(CFileException::OsErrorToException(code), code, fileName);
}

}  // namespace os_error
