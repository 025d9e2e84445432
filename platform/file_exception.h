// A failed file operation: its cause (derived from the system error code), the code
// itself and, where the operation knew it, the file's path.
#pragma once

#include <string>

#include "platform/exception.h"

class CFileException : public CException {
  public:
    enum Cause {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    CFileException(Cause cause, long osError, std::string fileName = std::string())
        : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName)) {}

    // Windows system error code -> cause; 0 gives none.
    static Cause OsErrorToException(long osError);
    // Raises the file error for a Windows system error code; code 0 raises nothing.
    static void ThrowOsError(long osError, const std::string& fileName = std::string());

    // The cause's text with %1 filled by the file name as a message shows it (the name
    // itself stays UTF-8), or by the text for an unnamed file when there is none.
    bool GetErrorMessage(std::string& text) const override;
    std::string ErrorMessage() const;

    Cause m_cause;
    long m_lOsError;
    std::string m_strFileName;
};
