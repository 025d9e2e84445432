// A validation failure: the exchange has told the user already, so nobody reports it.
#pragma once

#include "platform/exception.h"

class CUserException : public CException {
  public:
    bool GetErrorMessage(std::string& /*text*/) const override { return false; }
};
