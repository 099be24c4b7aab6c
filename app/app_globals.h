// Process-wide state of the running calendar beside AppState: where the view stands, what the
// shell found out at start-up, and the few values later features read every minute.
#pragma once
#include <ctime>

struct NavigationState {
    int monthOffset;       // displayed month minus the current month
    int monthRequest;      // months to move at the next rebuild
    int rowScrollRequest;  // days to scroll at the next rebuild
    int scrolled;          // the view has been scrolled away from its default first day
    int dayOffset;         // 0-based day of the displayed month at which a scrolled view starts
};

constexpr int kCountdownFormFields = 7;
constexpr int kCountdownFormSlot = 32;

struct ShellState {
    void* instance;    // module handle of the program
    void* mainWindow;  // the one calendar window
    bool alwaysOnTop;
    bool firstRun;      // until the first run of the minute timer
    int shellVersion;   // major version of the shell library
    std::tm today;      // recorded by the last rebuild
    int todayNumber;    // day number of today
    std::tm alarmReference;
    int undoDepth;
    int drawMemoSize;   // buffer size and growth step for memo values read while drawing
    // Date prefix format, date suffix format, "today", word before days to go, its unit,
    // word before days passed, its unit.
    char countdownForm[kCountdownFormFields][kCountdownFormSlot];
};

extern NavigationState g_nav;
extern ShellState g_shell;

// Navigation back at the current month, unscrolled.
void ResetNavigation(NavigationState* nav);
// Everything a fresh start has before the configuration is read.
void ResetShellState(ShellState* shell);
