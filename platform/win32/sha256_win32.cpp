// CryptoAPI: PROV_RSA_AES holds SHA-256 from Windows XP SP3 on.
#include <windows.h>
// After windows.h, which it needs.
#include <wincrypt.h>

#include "platform/sha256.h"

// The headers declare it only for builds that need XP SP3 or later; asked for at run
// time, it is there from XP SP3 on, and older systems still start the program.
#ifndef CALG_SHA_256
#define CALG_SHA_256 (ALG_CLASS_HASH | ALG_TYPE_ANY | 12)  // ALG_SID_SHA_256
#endif

Sha256::Sha256() {
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    if (!CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_AES,
                              CRYPT_VERIFYCONTEXT | CRYPT_SILENT)) {
        throw CHashException();
    }
    if (!CryptCreateHash(provider, CALG_SHA_256, 0, 0, &hash)) {
        CryptReleaseContext(provider, 0);
        throw CHashException();
    }
    m_provider = provider;
    m_context = reinterpret_cast<void*>(hash);
}

Sha256::~Sha256() {
    CryptDestroyHash(reinterpret_cast<HCRYPTHASH>(m_context));
    CryptReleaseContext(static_cast<HCRYPTPROV>(m_provider), 0);
}

void Sha256::Update(const void* data, size_t size) {
    const BYTE* bytes = static_cast<const BYTE*>(data);
    while (size > 0) {
        const DWORD run = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        if (!CryptHashData(reinterpret_cast<HCRYPTHASH>(m_context), bytes, run, 0)) {
            throw CHashException();
        }
        bytes += run;
        size -= run;
    }
}

Sha256::Digest Sha256::Final() {
    Digest digest{};
    DWORD size = static_cast<DWORD>(digest.size());
    if (!CryptGetHashParam(reinterpret_cast<HCRYPTHASH>(m_context), HP_HASHVAL, digest.data(),
                           &size, 0) ||
        size != digest.size()) {
        throw CHashException();
    }
    return digest;
}
