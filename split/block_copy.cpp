#include "split/block_copy.h"

#include "platform/file.h"
#include "platform/file_exception.h"

namespace {

constexpr uint64_t kBlock = 10240;
// 100 blocks: under 1 MiB, and large enough that system calls cost little.
constexpr uint64_t kBlocksPerTransfer = 100;
constexpr long kHandleEof = 38;

}  // namespace

BlockCopier::BlockCopier(EngineNotifications& notify) : m_notify(notify) {}

void BlockCopier::Copy(uint64_t size, CFile& in, CFile& out) {
    constexpr uint64_t kTransfer = kBlock * kBlocksPerTransfer;
    while (size > 0) {
        size_t want = static_cast<size_t>(size < kTransfer ? size : kTransfer);
        size_t got = out.CopyFrom(in, want);
        if (got < want) CFileException::ThrowOsError(kHandleEof, in.GetFilePath());
        // Every whole block and a short tail each count as one step.
        for (size_t done = 0; done < got; done += kBlock) m_notify.SetProgressPos(++m_nBlocks);
        size -= got;
    }
}
