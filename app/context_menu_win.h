// The context menus of the calendar window, filled in for the cell they act on.
#pragma once
#include <windows.h>

#include "app/pointer.h"

// Loads the chosen menu, fills in its texts and states, and runs it at the screen point; the
// chosen item arrives as WM_COMMAND.
void ShowContextMenu(HWND hwnd, const MenuChoice& choice, POINT at);
