// Splits one fuzz input into the pieces a target needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzInput {
  public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    uint8_t TakeByte() {
        if (m_pos >= m_size) return 0;
        return m_data[m_pos++];
    }
    // A string whose length is given by the next byte, clipped to what is left.
    std::string TakeString() {
        size_t length = TakeByte();
        return TakeBytes(length);
    }
    std::string TakeRest() { return TakeBytes(m_size - m_pos); }

  private:
    std::string TakeBytes(size_t length) {
        if (length > m_size - m_pos) length = m_size - m_pos;
        std::string s(reinterpret_cast<const char*>(m_data + m_pos), length);
        m_pos += length;
        return s;
    }

    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            __builtin_printf("property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            __builtin_trap();                                                                  \
        }                                                                                      \
    } while (0)
