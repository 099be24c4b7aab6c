#include "app/app_globals.h"

#include <cstring>

#include "app/startup.h"

NavigationState g_nav;
ShellState g_shell;

void ResetNavigation(NavigationState* nav) { std::memset(nav, 0, sizeof *nav); }

void ResetShellState(ShellState* shell) {
    std::memset(shell, 0, sizeof *shell);
    shell->firstRun = true;
    shell->shellVersion = 5;
    shell->undoDepth = 9;
    shell->drawMemoSize = 256;
    ResetCountdownForm(shell->countdownForm);
}
