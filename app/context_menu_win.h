// The context menus of the calendar window, filled in for the cell they act on.
#pragma once
#include <windows.h>

#include "app/commands.h"
#include "app/pointer.h"
#include "base/win/handles.h"

// What the items of the chosen menu depend on now: the view, the journal, the target's memo, the
// clipboard's text and whether keys are bound at all.
MenuState MenuStateNow(HWND hwnd, const MenuChoice& choice);
// The chosen menu loaded and filled in: texts with their keys, gray and checked states, the
// fixed-phrase popup and the memo menu's date item. Its first popup is the one to show.
OwnedMenu FilledContextMenu(const MenuChoice& choice, const MenuState& state);
// Fills in the chosen menu and runs it at the screen point; the chosen item arrives as WM_COMMAND.
void ShowContextMenu(HWND hwnd, const MenuChoice& choice, POINT at);
