// SHA-256 from the system's own implementation: libcrypto on POSIX, CNG (or
// CryptoAPI before Vista) on Windows. Running digests, fed in any number of runs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/exception.h"

// The system could not hash: reported as an internal failure.
class CHashException : public CException {
  public:
    bool GetErrorMessage(std::string&) const override { return false; }
};

class Sha256 {
  public:
    using Digest = std::array<uint8_t, 32>;

    Sha256();  // failures of the system's implementation raise CHashException
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void Update(const void* data, size_t size);
    // The digest of everything fed so far; the object is spent afterwards.
    Digest Final();

    // 64 lowercase hexadecimal digits.
    static std::string Hex(const Digest& digest);

  private:
    void* m_context = nullptr;
    uintptr_t m_provider = 0;  // Windows, CryptoAPI: the provider the hash lives in
    void* m_object = nullptr;  // Windows, CNG: the hash object's memory
};
