// Moves runs of bytes in as few system calls as the system takes, and reports one
// progress step per 10240-byte block of the run, a short tail counting as one.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/engine_notifications.h"

class CFile;
class Sha256;

// Raised between blocks when the user has chosen to stop the run; the engine removes the
// file it was writing.
struct RunStopped {};

class BlockCopier {
  public:
    explicit BlockCopier(EngineNotifications& notify);

    // Copies size bytes from in's position to out's. An input that ends early has what
    // it gave written, then raises the end-of-file error naming in. Raises RunStopped
    // after a block when the user asks to stop.
    void Copy(uint64_t size, CFile& in, CFile& out);
    // The same through a buffer of ours: each block read is fed to the digests, then
    // written, so they describe exactly the bytes out received.
    void CopyDigesting(uint64_t size, CFile& in, CFile& out, Sha256& first, Sha256* second);

  private:
    void StopBeforeRun(uint64_t size);

    EngineNotifications& m_notify;
    uint64_t m_nBlocks = 0;  // running count over the whole run of the engine
    std::vector<char> m_buffer;
};
