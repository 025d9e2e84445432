// What every end-to-end test shares: the paths fixed at build time, the shell recorders, and
// a skip when there is no display to show windows on.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "driver/process.h"
#include "driver/shell_recorder.h"

namespace e2e {

// The folder of the test programs, as a Windows path; screenshots and logs go below it.
std::wstring WorkFolder();
std::wstring ScreenshotFolder();
// A picture's path there; pictures taken under another code page than 936 are named
// for it ("cp1252-name"), beside those of 936.
std::wstring ScreenshotPath(const std::wstring& name);
const ShellRecorder& Recorder();

class DisplayTest : public ::testing::Test {
  protected:
    void SetUp() override;
};

// Starts a program and waits for its sheet; fails the test with the reason when it cannot.
HWND StartAndFindSheet(AppProcess& app, const std::wstring& exe);

}  // namespace e2e
