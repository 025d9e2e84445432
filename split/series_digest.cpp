#include "split/series_digest.h"

#include <vector>

#include "platform/file.h"
#include "platform/file_exception.h"

Sha256::Digest DigestFile(const std::string& path) {
    CFile file;
    CFileException error(CFileException::none, 0);
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary, &error)) {
        error.m_strFileName = path;
        throw error;
    }
    Sha256 digest;
    std::vector<char> buffer(1u << 20);
    for (size_t got; (got = file.Read(buffer.data(), buffer.size())) > 0;) {
        digest.Update(buffer.data(), got);
    }
    return digest.Final();
}
