// What the shell of the running calendar found out at start-up and keeps for the run.
#pragma once
#include <windows.h>

#include <ctime>

struct ShellState {
    HINSTANCE instance;
    HWND mainWindow;  // the one calendar window
    int shellVersion;  // major version of the shell library
    bool showingWriteFailures;  // a box telling of failed writes is open
};

extern ShellState g_shell;

// Everything a fresh start has before the configuration is read.
void ResetShellState(ShellState* shell);
