#include "split/block_copy.h"

#include "platform/file.h"
#include "platform/file_exception.h"

namespace {

constexpr uint64_t kBlock = 10240;
// The most one call is asked for: a count that fits every system's size_t.
constexpr uint64_t kMostPerCall = 1u << 30;
constexpr long kHandleEof = 38;

}  // namespace

BlockCopier::BlockCopier(EngineNotifications& notify) : m_notify(notify) {}

void BlockCopier::Copy(uint64_t size, CFile& in, CFile& out) {
    uint64_t moved = 0;    // bytes of this run that have arrived
    uint64_t stepped = 0;  // steps of this run reported
    // The steps of the blocks that have arrived, in order, as soon as they have.
    const CFile::CopyProgress report = [&](size_t bytes) {
        moved += bytes;
        const uint64_t steps = moved == size ? (size + kBlock - 1) / kBlock : moved / kBlock;
        const uint64_t before = stepped;
        for (; stepped < steps; ++stepped) m_notify.SetProgressPos(++m_nBlocks);
        // A run whose last block has arrived is finished, not stopped.
        if (stepped > before && moved < size && m_notify.StopRequested()) throw RunStopped();
    };
    // Where a whole run is one system call, a stop asked during it counts before the next.
    if (m_nBlocks > 0 && size > 0 && m_notify.StopRequested()) throw RunStopped();
    uint64_t done = 0;
    while (done < size) {
        const size_t want =
            static_cast<size_t>(size - done < kMostPerCall ? size - done : kMostPerCall);
        const size_t got = out.CopyFrom(in, want, report);
        done += got;
        if (got < want) CFileException::ThrowOsError(kHandleEof, in.GetFilePath());
    }
}
