// CryptoAPI: PROV_RSA_AES holds SHA-256 from Windows XP SP3 on.
#include <wincrypt.h>
#include <windows.h>

#include "platform/sha256.h"

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
