// SHA-256 through CryptoAPI against BCrypt, on the same buffer in 4 MiB runs as a split
// hashes them: prints MB/s for each, best of three. Usage: hash_speed [MIB]
#include <windows.h>
#include <bcrypt.h>
#include <wincrypt.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#ifndef CALG_SHA_256
#define CALG_SHA_256 (ALG_CLASS_HASH | ALG_TYPE_ANY | 12)
#endif

namespace {

constexpr size_t kRun = 4u << 20;

bool CryptoApi(const std::vector<BYTE>& data, size_t runs) {
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    if (!CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_AES,
                              CRYPT_VERIFYCONTEXT | CRYPT_SILENT) ||
        !CryptCreateHash(provider, CALG_SHA_256, 0, 0, &hash)) {
        return false;
    }
    for (size_t i = 0; i < runs; ++i) CryptHashData(hash, data.data(), kRun, 0);
    BYTE digest[32];
    DWORD size = sizeof digest;
    const bool ok = CryptGetHashParam(hash, HP_HASHVAL, digest, &size, 0);
    CryptDestroyHash(hash);
    CryptReleaseContext(provider, 0);
    return ok;
}

bool BCrypt(const std::vector<BYTE>& data, size_t runs) {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    if (BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0) != 0) {
        return false;
    }
    if (BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0) != 0) {
        BCryptCloseAlgorithmProvider(algorithm, 0);
        return false;
    }
    for (size_t i = 0; i < runs; ++i) {
        BCryptHashData(hash, const_cast<BYTE*>(data.data()), kRun, 0);
    }
    BYTE digest[32];
    const bool ok = BCryptFinishHash(hash, digest, sizeof digest, 0) == 0;
    BCryptDestroyHash(hash);
    BCryptCloseAlgorithmProvider(algorithm, 0);
    return ok;
}

template <typename Hash>
void Report(const char* name, Hash hash, const std::vector<BYTE>& data, size_t runs) {
    double best = 0;
    for (int round = 0; round < 3; ++round) {
        const auto start = std::chrono::steady_clock::now();
        if (!hash(data, runs)) {
            std::printf("%-9s unavailable\n", name);
            return;
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        const double rate = runs * (kRun / 1e6) / took.count();
        if (rate > best) best = rate;
    }
    std::printf("%-9s %8.0f MB/s\n", name, best);
}

}  // namespace

int main(int argc, char** argv) {
    const size_t mib = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 256;
    const size_t runs = mib / 4 ? mib / 4 : 1;
    std::vector<BYTE> data(kRun);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<BYTE>(i * 2654435761u >> 24);
    std::printf("SHA-256 of %zu MiB in 4 MiB runs\n", runs * 4);
    Report("CryptoAPI", CryptoApi, data, runs);
    Report("BCrypt", BCrypt, data, runs);
    return 0;
}
