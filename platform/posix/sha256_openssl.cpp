#include <openssl/evp.h>

#include "platform/sha256.h"

Sha256::Sha256() {
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    if (!context || EVP_DigestInit_ex(context, EVP_sha256(), nullptr) != 1) {
        EVP_MD_CTX_free(context);
        throw CHashException();
    }
    m_context = context;
}

Sha256::~Sha256() {
    EVP_MD_CTX_free(static_cast<EVP_MD_CTX*>(m_context));
}

void Sha256::Update(const void* data, size_t size) {
    if (EVP_DigestUpdate(static_cast<EVP_MD_CTX*>(m_context), data, size) != 1) {
        throw CHashException();
    }
}

Sha256::Digest Sha256::Final() {
    Digest digest{};
    unsigned int size = 0;
    if (EVP_DigestFinal_ex(static_cast<EVP_MD_CTX*>(m_context), digest.data(), &size) != 1 ||
        size != digest.size()) {
        throw CHashException();
    }
    return digest;
}
