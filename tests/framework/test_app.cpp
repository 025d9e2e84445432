// The application object that the framework expects in every program.
#include "app/framework/win_app.h"

CWinApp g_testApp;
