#include "split/block_copy.h"

#include <exception>
#include <functional>
#include <thread>

#include "platform/file.h"
#include "platform/file_exception.h"
#include "platform/sha256.h"

namespace {

constexpr uint64_t kBlock = 10240;
// The most one call is asked for: a count that fits every system's size_t.
constexpr uint64_t kMostPerCall = 1u << 30;
constexpr size_t kDigestBuffer = 4u << 20;
constexpr long kHandleEof = 38;
// Below this a thread costs more than the digest it takes over.
constexpr size_t kWorthAThread = 256u << 10;

// The steps of the blocks that have arrived, in order, as soon as they have.
class Steps {
  public:
    Steps(EngineNotifications& notify, uint64_t& blocks, uint64_t size)
        : m_notify(notify), m_nBlocks(blocks), m_nSize(size) {}
    void Moved(size_t bytes) {
        m_nMoved += bytes;
        const uint64_t steps =
            m_nMoved == m_nSize ? (m_nSize + kBlock - 1) / kBlock : m_nMoved / kBlock;
        const uint64_t before = m_nStepped;
        for (; m_nStepped < steps; ++m_nStepped) m_notify.SetProgressPos(++m_nBlocks);
        // A run whose last block has arrived is finished, not stopped.
        if (m_nStepped > before && m_nMoved < m_nSize && m_notify.StopRequested()) {
            throw RunStopped();
        }
    }

  private:
    EngineNotifications& m_notify;
    uint64_t& m_nBlocks;
    uint64_t m_nSize;
    uint64_t m_nMoved = 0;
    uint64_t m_nStepped = 0;
};

uint64_t Smaller(uint64_t a, uint64_t b) {
    return a < b ? a : b;
}

// Writes the bytes and feeds them to the digests, the second on a thread of its own:
// each digest costs more than the copy itself, and a split has two.
void WriteAndFeed(const char* data, size_t size, CFile& out, Sha256& first, Sha256* second) {
    if (!second || size < kWorthAThread) {
        first.Update(data, size);
        if (second) second->Update(data, size);
        out.Write(data, size);
        return;
    }
    std::exception_ptr failure;
    std::thread other([&] {
        try {
            second->Update(data, size);
        } catch (...) {
            failure = std::current_exception();
        }
    });
    try {
        out.Write(data, size);
        first.Update(data, size);
    } catch (...) {
        other.join();
        throw;
    }
    other.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace

BlockCopier::BlockCopier(EngineNotifications& notify) : m_notify(notify) {}

// Where a whole run is one system call, a stop asked during it counts before the next.
void BlockCopier::StopBeforeRun(uint64_t size) {
    if (m_nBlocks > 0 && size > 0 && m_notify.StopRequested()) throw RunStopped();
}

void BlockCopier::Copy(uint64_t size, CFile& in, CFile& out) {
    Steps steps(m_notify, m_nBlocks, size);
    const CFile::CopyProgress report = [&](size_t bytes) { steps.Moved(bytes); };
    StopBeforeRun(size);
    uint64_t done = 0;
    while (done < size) {
        const size_t want = static_cast<size_t>(Smaller(size - done, kMostPerCall));
        const size_t got = out.CopyFrom(in, want, report);
        done += got;
        if (got < want) CFileException::ThrowOsError(kHandleEof, in.GetFilePath());
    }
}

void BlockCopier::CopyDigesting(uint64_t size, CFile& in, CFile& out, Sha256& first,
                                Sha256* second) {
    m_buffer.resize(kDigestBuffer);
    Steps steps(m_notify, m_nBlocks, size);
    StopBeforeRun(size);
    uint64_t done = 0;
    while (done < size) {
        const size_t want = static_cast<size_t>(Smaller(size - done, m_buffer.size()));
        const size_t got = in.Read(m_buffer.data(), want);
        WriteAndFeed(m_buffer.data(), got, out, first, second);
        done += got;
        steps.Moved(got);
        if (got < want) CFileException::ThrowOsError(kHandleEof, in.GetFilePath());
    }
}
