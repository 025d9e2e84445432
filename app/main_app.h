// The application object: single instance, file-type registration, the main dialog,
// and the exit page.
#pragma once

#include <string>

#include "app/framework/win_app.h"

class CMainApp : public CWinApp {
  public:
    // False on every path: the program has no message loop of its own.
    bool InitInstance() override;

    // True when the registry says the file type must not be registered.
    bool ReadInstallFlag();
    // Writes the install marker and the ".spt" association; stops at the first failure.
    bool RegisterFileType();

    std::string m_strModulePath;  // UTF-8
};
