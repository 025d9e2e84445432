// The failures a handler can raise; the dialog layer reports them at its boundary.
#pragma once

#include <string>

class CException {
public:
    virtual ~CException() = default;
    // The text shown to the user; false when the failure has no text of its own.
    virtual bool GetErrorMessage(std::string& text) const = 0;
};

class CMemoryException : public CException {
public:
    bool GetErrorMessage(std::string& text) const override;
};
