// CNG (bcrypt.dll, Vista on) where the system has it: the path Windows keeps fast.
// CryptoAPI's PROV_RSA_AES, which holds SHA-256 from XP SP3 on, where it has not.
#include <windows.h>
// After windows.h, which they need.
#include <bcrypt.h>
#include <wincrypt.h>

#include <string>

#include "platform/sha256.h"

// The headers declare it only for builds that need XP SP3 or later; asked for at run
// time, it is there from XP SP3 on, and older systems still start the program.
#ifndef CALG_SHA_256
#define CALG_SHA_256 (ALG_CLASS_HASH | ALG_TYPE_ANY | 12)  // ALG_SID_SHA_256
#endif

namespace {

// bcrypt.dll is looked up at run time, from the system folder only, so that XP starts.
class Cng {
  public:
    static const Cng& Get() {
        static const Cng cng;
        return cng;
    }
    bool Usable() const { return m_algorithm != nullptr; }
    DWORD ObjectLength() const { return m_objectLength; }

    bool Create(BCRYPT_HASH_HANDLE* hash, void* object) const {
        return m_create(m_algorithm, hash, static_cast<PUCHAR>(object), m_objectLength,
                        nullptr, 0, 0) >= 0;
    }
    bool Hash(BCRYPT_HASH_HANDLE hash, const void* data, ULONG size) const {
        return m_hashData(hash, static_cast<PUCHAR>(const_cast<void*>(data)), size, 0) >= 0;
    }
    bool Finish(BCRYPT_HASH_HANDLE hash, uint8_t* digest, ULONG size) const {
        return m_finish(hash, digest, size, 0) >= 0;
    }
    void Destroy(BCRYPT_HASH_HANDLE hash) const { m_destroy(hash); }

  private:
    using Open = NTSTATUS(WINAPI*)(BCRYPT_ALG_HANDLE*, LPCWSTR, LPCWSTR, ULONG);
    using GetProperty = NTSTATUS(WINAPI*)(BCRYPT_HANDLE, LPCWSTR, PUCHAR, ULONG, ULONG*, ULONG);
    using CreateHash = NTSTATUS(WINAPI*)(BCRYPT_ALG_HANDLE, BCRYPT_HASH_HANDLE*, PUCHAR, ULONG,
                                         PUCHAR, ULONG, ULONG);
    using HashData = NTSTATUS(WINAPI*)(BCRYPT_HASH_HANDLE, PUCHAR, ULONG, ULONG);
    using FinishHash = NTSTATUS(WINAPI*)(BCRYPT_HASH_HANDLE, PUCHAR, ULONG, ULONG);
    using DestroyHash = NTSTATUS(WINAPI*)(BCRYPT_HASH_HANDLE);

    template <typename Function>
    static Function Find(HMODULE module, const char* name) {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }

    // The algorithm stays open for the life of the process; opening it is the slow part.
    Cng() {
        wchar_t folder[MAX_PATH];
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return;
        HMODULE module = LoadLibraryW((std::wstring(folder, length) + L"\\bcrypt.dll").c_str());
        if (!module) return;
        const Open open = Find<Open>(module, "BCryptOpenAlgorithmProvider");
        const GetProperty property = Find<GetProperty>(module, "BCryptGetProperty");
        m_create = Find<CreateHash>(module, "BCryptCreateHash");
        m_hashData = Find<HashData>(module, "BCryptHashData");
        m_finish = Find<FinishHash>(module, "BCryptFinishHash");
        m_destroy = Find<DestroyHash>(module, "BCryptDestroyHash");
        if (!open || !property || !m_create || !m_hashData || !m_finish || !m_destroy) return;
        BCRYPT_ALG_HANDLE algorithm = nullptr;
        if (open(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0) < 0) return;
        ULONG written = 0;
        // Vista wants the hash object's memory from the caller.
        if (property(algorithm, BCRYPT_OBJECT_LENGTH, reinterpret_cast<PUCHAR>(&m_objectLength),
                     sizeof m_objectLength, &written, 0) < 0 ||
            m_objectLength == 0) {
            return;
        }
        m_algorithm = algorithm;
    }

    BCRYPT_ALG_HANDLE m_algorithm = nullptr;
    DWORD m_objectLength = 0;
    CreateHash m_create = nullptr;
    HashData m_hashData = nullptr;
    FinishHash m_finish = nullptr;
    DestroyHash m_destroy = nullptr;
};

constexpr size_t kLargestRun = 0x40000000u;

}  // namespace

Sha256::Sha256() {
    const Cng& cng = Cng::Get();
    if (cng.Usable()) {
        char* object = new char[cng.ObjectLength()];
        BCRYPT_HASH_HANDLE hash = nullptr;
        if (!cng.Create(&hash, object)) {
            delete[] object;
            throw CHashException();
        }
        m_object = object;
        m_context = hash;
        return;
    }
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
    if (m_object) {
        Cng::Get().Destroy(m_context);
        delete[] static_cast<char*>(m_object);
        return;
    }
    CryptDestroyHash(reinterpret_cast<HCRYPTHASH>(m_context));
    CryptReleaseContext(static_cast<HCRYPTPROV>(m_provider), 0);
}

void Sha256::Update(const void* data, size_t size) {
    const BYTE* bytes = static_cast<const BYTE*>(data);
    while (size > 0) {
        const DWORD run = size > kLargestRun ? kLargestRun : static_cast<DWORD>(size);
        const bool hashed =
            m_object ? Cng::Get().Hash(m_context, bytes, run)
                     : CryptHashData(reinterpret_cast<HCRYPTHASH>(m_context), bytes, run, 0);
        if (!hashed) throw CHashException();
        bytes += run;
        size -= run;
    }
}

Sha256::Digest Sha256::Final() {
    Digest digest{};
    if (m_object) {
        if (!Cng::Get().Finish(m_context, digest.data(), digest.size())) throw CHashException();
        return digest;
    }
    DWORD size = static_cast<DWORD>(digest.size());
    if (!CryptGetHashParam(reinterpret_cast<HCRYPTHASH>(m_context), HP_HASHVAL, digest.data(),
                           &size, 0) ||
        size != digest.size()) {
        throw CHashException();
    }
    return digest;
}
