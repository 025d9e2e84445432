#include <cstddef>
#include <vector>

#include "platform/file.h"

namespace {
// The largest buffer a copy moves bytes through.
constexpr size_t kCopyBuffer = 1u << 20;
}  // namespace

size_t CFile::CopyThroughBuffer(CFile& source, size_t count, const CopyProgress& progress) {
    // Kept between calls: a fresh megabyte each time costs page faults on every copy.
    thread_local std::vector<char> buffer(kCopyBuffer);
    size_t done = 0;
    while (done < count) {
        size_t want = count - done < buffer.size() ? count - done : buffer.size();
        size_t got = source.Read(buffer.data(), want);
        Write(buffer.data(), got);
        done += got;
        if (progress && got > 0) progress(got);
        if (got < want) break;
    }
    return done;
}
