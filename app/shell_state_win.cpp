#include "app/shell_state_win.h"

#include <cstring>

ShellState g_shell;

void ResetShellState(ShellState* shell) {
    std::memset(shell, 0, sizeof *shell);
    shell->shellVersion = 5;
}
