// Program entry of both editions.
#include <windows.h>

#include "app/startup_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    return RunCalendar(instance, commandLine ? commandLine : "", showCommand);
}
