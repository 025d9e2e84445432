// Memory inside the program under test, for messages whose pointers the system does not copy.
#pragma once

#include <windows.h>

#include <cstddef>

namespace e2e {

class RemoteBuffer {
  public:
    RemoteBuffer(HANDLE process, size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool ok() const { return m_address != nullptr; }
    void* address() const { return m_address; }
    LPARAM as_lparam() const { return reinterpret_cast<LPARAM>(m_address); }
    bool Write(const void* data, size_t size);
    bool Read(void* data, size_t size) const;

  private:
    HANDLE m_process;
    void* m_address;
};

}  // namespace e2e
