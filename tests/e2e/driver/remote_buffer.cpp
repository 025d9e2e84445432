#include "driver/remote_buffer.h"

namespace e2e {

RemoteBuffer::RemoteBuffer(HANDLE process, size_t size)
    : m_process(process),
      m_address(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteBuffer::~RemoteBuffer() {
    if (m_address) VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
}

bool RemoteBuffer::Write(const void* data, size_t size) {
    SIZE_T written = 0;
    return m_address && WriteProcessMemory(m_process, m_address, data, size, &written) &&
           written == size;
}

bool RemoteBuffer::Read(void* data, size_t size) const {
    SIZE_T read = 0;
    return m_address && ReadProcessMemory(m_process, m_address, data, size, &read) && read == size;
}

}  // namespace e2e
