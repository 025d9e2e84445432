#include "split/series_digest.h"

#include <memory>

#include "platform/file.h"
#include "platform/file_exception.h"

namespace {

constexpr size_t kReadSize = 1u << 20;

// Keeps the file of the last run open: a split's runs all read its source.
class Reader {
  public:
    CFile& Open(const std::string& path) {
        if (!m_file.IsOpen() || m_file.GetFilePath() != path) {
            m_file.Abort();
            CFileException error(CFileException::none, 0);
            if (!m_file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary,
                             &error)) {
                error.m_strFileName = path;
                throw error;
            }
        }
        return m_file;
    }

  private:
    CFile m_file;
};

void Feed(const DigestRun& run, Sha256& digest, Reader& reader, std::vector<char>& buffer,
          const std::atomic<bool>& stop) {
    digest.Update(run.text.data(), run.text.size());
    if (run.size == 0) return;
    CFile& file = reader.Open(run.path);
    file.Seek(static_cast<int64_t>(run.offset), CFile::begin);
    for (uint64_t left = run.size; left > 0 && !stop;) {
        const size_t want = left < buffer.size() ? static_cast<size_t>(left) : buffer.size();
        const size_t got = file.Read(buffer.data(), want);
        digest.Update(buffer.data(), got);
        if (got < want) return;
        left -= got;
    }
}

}  // namespace

std::vector<Sha256::Digest> TakeDigests(const std::vector<DigestPlan>& plans,
                                        const std::atomic<bool>& stop) {
    std::vector<Sha256::Digest> digests;
    std::vector<char> buffer(kReadSize);
    Reader reader;
    for (const DigestPlan& plan : plans) {
        Sha256 digest;
        for (const DigestRun& run : plan) Feed(run, digest, reader, buffer, stop);
        digests.push_back(digest.Final());
    }
    return digests;
}

Sha256::Digest DigestFile(const std::string& path) {
    const std::atomic<bool> never{false};
    return TakeDigests({{DigestRun{"", path, 0, UINT64_MAX}}}, never)[0];
}

BackgroundDigests::BackgroundDigests(std::vector<DigestPlan> plans) : m_plans(std::move(plans)) {
    m_thread = std::thread([this] {
        try {
            m_digests = TakeDigests(m_plans, m_stop);
        } catch (...) {
            m_failure = std::current_exception();
        }
    });
}

BackgroundDigests::~BackgroundDigests() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
}

std::vector<Sha256::Digest> BackgroundDigests::Join() {
    if (m_thread.joinable()) m_thread.join();
    if (m_failure) std::rethrow_exception(m_failure);
    return m_digests;
}
