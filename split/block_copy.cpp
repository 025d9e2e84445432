#include "split/block_copy.h"

#include "platform/file.h"
#include "platform/file_exception.h"

namespace {

constexpr size_t kBlock = 10240;
// 100 blocks: under 1 MiB, and large enough that system calls cost little.
constexpr size_t kBlocksPerTransfer = 100;
constexpr long kHandleEof = 38;

}  // namespace

BlockCopier::BlockCopier(EngineNotifications& notify)
    : m_notify(notify), m_buffer(kBlock * kBlocksPerTransfer) {}

void BlockCopier::Copy(uint64_t size, const ReadFn& read, const std::string& inputName,
                       CFile& out) {
    while (size > 0) {
        size_t want = size < m_buffer.size() ? static_cast<size_t>(size) : m_buffer.size();
        size_t got = read(m_buffer.data(), want);
        out.Write(m_buffer.data(), got);
        if (got < want) CFileException::ThrowOsError(kHandleEof, inputName);
        // Every whole block and a short tail each count as one step.
        for (size_t done = 0; done < got; done += kBlock) m_notify.SetProgressPos(++m_nBlocks);
        size -= got;
    }
}
