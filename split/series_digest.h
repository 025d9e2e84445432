// Digests of a series' files, taken in a thread beside the copy that moves the same
// bytes: the copy moves them inside the kernel, this reads them again from the cache.
#pragma once

#include <atomic>
#include <cstdint>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "platform/sha256.h"

// Bytes to feed one digest: first the text, then size bytes of the file from offset
// (fewer where the file ends sooner).
struct DigestRun {
    std::string text;
    std::string path;
    uint64_t offset = 0;
    uint64_t size = 0;
};
using DigestPlan = std::vector<DigestRun>;

// One digest per plan, in order. Stops early, with digests of no use, once stop is
// set; failures raise CFileException.
std::vector<Sha256::Digest> TakeDigests(const std::vector<DigestPlan>& plans,
                                        const std::atomic<bool>& stop);

// The digest of a whole file; raises CFileException when it cannot be read.
Sha256::Digest DigestFile(const std::string& path);

// Runs TakeDigests in a thread of its own from construction on.
class BackgroundDigests {
  public:
    explicit BackgroundDigests(std::vector<DigestPlan> plans);
    ~BackgroundDigests();  // stops the work and waits for it
    BackgroundDigests(const BackgroundDigests&) = delete;
    BackgroundDigests& operator=(const BackgroundDigests&) = delete;

    // Waits for the digests; raises what the thread raised.
    std::vector<Sha256::Digest> Join();

  private:
    std::vector<DigestPlan> m_plans;
    std::vector<Sha256::Digest> m_digests;
    std::exception_ptr m_failure;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
