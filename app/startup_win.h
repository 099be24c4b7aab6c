// The program's whole run: start-up, the message loop and shutdown.
#pragma once
#include <windows.h>

// Returns the exit code: 0 on every early exit, else the code of WM_QUIT.
int RunCalendar(HINSTANCE instance, const char* commandLine, int showCommand);
