// Points the program's state folder (where the rename journals go) at a fresh folder
// for one test, so no test writes into the user's own.
#pragma once

#include <cstdlib>
#include <string>

#include "common/temp_dir.h"

#ifdef _WIN32
#include <windows.h>
#endif

class StateFolderForTest {
  public:
    StateFolderForTest() { Set(m_dir.path().c_str()); }
    ~StateFolderForTest() { Set(nullptr); }
    // Where the program keeps its rename journals.
    std::string JournalFolder() const {
#ifdef _WIN32
        return m_dir.Join("Quillet");
#else
        return m_dir.Join("quillet");
#endif
    }

    StateFolderForTest(const StateFolderForTest&) = delete;
    StateFolderForTest& operator=(const StateFolderForTest&) = delete;

  private:
    static void Set(const char* value) {
#ifdef _WIN32
        SetEnvironmentVariableA("LOCALAPPDATA", value);
#else
        if (value) {
            setenv("XDG_STATE_HOME", value, 1);
        } else {
            unsetenv("XDG_STATE_HOME");
        }
#endif
    }

    TempDir m_dir;
};
