// Program entry of both editions.
#include <windows.h>

#include "app/startup_win.h"
#include "base/win/wide_text.h"

// The command line is read in its wide form: the narrow one WinMain is handed is in the system's
// code page, which may lack the characters of a folder's name.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    return RunCalendar(instance, CommandLineAfterProgram().c_str(), showCommand);
}
