// The DPI that programs started from now on are shown at (Wine's LogPixels), for as long
// as the object lives.
#pragma once

#include <windows.h>

#include "driver/registry.h"

namespace e2e {

class ScreenDpi {
  public:
    explicit ScreenDpi(DWORD dpi);
    ~ScreenDpi();
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;

    bool ok() const { return m_ok; }

  private:
    RegValue m_previous;
    bool m_ok = false;
};

}  // namespace e2e
