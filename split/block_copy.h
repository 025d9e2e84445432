// Moves runs of bytes in the 10240-byte blocks of the progress protocol, many whole
// blocks per system call, and reports one progress step per block.
#pragma once

#include <cstdint>

#include "platform/engine_notifications.h"

class CFile;

class BlockCopier {
  public:
    explicit BlockCopier(EngineNotifications& notify);

    // Copies size bytes from in's position to out's. An input that ends early has what
    // it gave written, then raises the end-of-file error naming in.
    void Copy(uint64_t size, CFile& in, CFile& out);

  private:
    EngineNotifications& m_notify;
    uint64_t m_nBlocks = 0;  // running count over the whole run of the engine
};
