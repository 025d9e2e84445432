// The framework's part of start-up: the application object already exists; set up the
// common controls, start it, and end it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "app/framework/exception_report.h"
#include "app/main_app.h"
#include "platform/framework_texts.h"

namespace {

CMainApp theApp;

void InitCommonControlClasses() {
    INITCOMMONCONTROLSEX classes = {};
    classes.dwSize = sizeof(classes);
    classes.dwICC = ICC_PROGRESS_CLASS | ICC_TAB_CLASSES;
    ::InitCommonControlsEx(&classes);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    InitCommonControlClasses();
    try {
        theApp.InitInstance();
    } catch (...) {
        ReportHandlerFailure(framework_text::kInternalFailure);
    }
    return theApp.ExitInstance();
}
