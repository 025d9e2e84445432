// The application's own texts and addresses, in the system code page.
#pragma once

namespace app_text {

extern const char kAlreadyRunning[];
extern const char kSheetTitle[];
// Opened when the program ends; the About page's last link opens the same page.
extern const char kExitPage[];
// Why the session may not end while a split or merge runs.
extern const char kRunBlocksSessionEnd[];

}  // namespace app_text
