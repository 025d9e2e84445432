#include "platform/file_exception.h"

#include <initializer_list>

#include "platform/framework_texts.h"
#include "platform/text.h"

namespace {

struct CauseCodes {
    CFileException::Cause cause;
    std::initializer_list<long> codes;
};

// Windows system error codes grouped by the cause the user is told about.
const CauseCodes kCauseTable[] = {
    {CFileException::fileNotFound, {2, 6, 18, 107}},
    {CFileException::badPath,
     {3, 15, 17, 34, 52, 53, 55, 67, 70, 85, 111, 123, 124, 125, 144, 154, 161, 206, 208, 267}},
    {CFileException::tooManyOpenFiles, {4, 36, 68, 113}},
    {CFileException::accessDenied, {5, 12, 19, 29, 54, 58, 64, 65, 71, 80, 82, 86, 170, 183, 999}},
    {CFileException::invalidFile, {11, 26, 60, 66, 114, 182, 191, 193}},
    {CFileException::removeCurrentDir, {16, 145}},
    {CFileException::directoryFull, {62}},
    {CFileException::badSeek, {24, 25, 27, 30, 131, 132}},
    {CFileException::hardIO, {20, 21, 22, 23, 57, 59, 88, 117, 995, 996, 997}},
    {CFileException::sharingViolation, {32}},
    {CFileException::lockViolation, {33, 108, 167}},
    {CFileException::diskFull, {39, 112}},
    {CFileException::endOfFile, {38}},
};

void ReplaceFirst(std::string& s, const std::string& from, const std::string& to) {
    size_t pos = s.find(from);
    if (pos != std::string::npos) s.replace(pos, from.size(), to);
}

}  // namespace

CFileException::Cause CFileException::OsErrorToException(long osError) {
    if (osError == 0) return none;
    for (const CauseCodes& row : kCauseTable) {
        for (long code : row.codes) {
            if (code == osError) return row.cause;
        }
    }
    return genericException;
}

void CFileException::ThrowOsError(long osError, const std::string& fileName) {
    if (osError == 0) return;
    throw CFileException(OsErrorToException(osError), osError, fileName);
}

bool CFileException::GetErrorMessage(std::string& text) const {
    text = ErrorMessage();
    return true;
}

std::string CFileException::ErrorMessage() const {
    std::string text = framework_text::Get(framework_text::kFileNone + m_cause);
    const std::string name = m_strFileName.empty()
                                 ? std::string(framework_text::Get(framework_text::kUnnamedFile))
                                 : text::ForDisplay(m_strFileName);
    ReplaceFirst(text, "%1", name);
    return text;
}
