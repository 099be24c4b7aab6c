// The context menus of the calendar window, filled in for the cell they act on.
#pragma once
#include <windows.h>

#include <string>

#include "app/pointer.h"

// Loads the chosen menu, fills in its texts and states, and runs it at the screen point; the
// chosen item arrives as WM_COMMAND.
void ShowContextMenu(HWND hwnd, const MenuChoice& choice, POINT at);

// The system's name of a key value's key (GetKeyNameTextA), "" when it has none.
std::string KeyNameOf(int keyValue);
