// Moves runs of bytes in the 10240-byte blocks of the progress protocol, many whole
// blocks per system call, and reports one progress step per block.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/engine_notifications.h"

class CFile;

class BlockCopier {
  public:
    // Fills up to count bytes; fewer only when the input has ended.
    using ReadFn = std::function<size_t(char* buffer, size_t count)>;

    explicit BlockCopier(EngineNotifications& notify);

    // Copies size bytes to out. An input that ends early has what it gave written,
    // then raises the end-of-file error naming inputName.
    void Copy(uint64_t size, const ReadFn& read, const std::string& inputName, CFile& out);

  private:
    EngineNotifications& m_notify;
    std::vector<char> m_buffer;
    uint64_t m_nBlocks = 0;  // running count over the whole run of the engine
};
