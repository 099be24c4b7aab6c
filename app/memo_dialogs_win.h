// The memo dialogs opened for the current cell (command 40025 and the countdown command 40066),
// and what the open dialogs ask of the calendar window.
#pragma once
#include <windows.h>

// A day cell opens the date memo dialog, the memo box the free memo dialog, a countdown line the
// countdown dialog. False when there is no such cell (nothing opened).
bool OpenMemoInput(HWND hwnd);
// The countdown dialog on the current countdown line, on the current day, or on today.
bool OpenCountdownInput(HWND hwnd);

// WM_DIALOG_NOTE: a cell to repaint or select, a rebuild, a stored memo.
void OnDialogNote(HWND hwnd, WPARAM note, LPARAM cell);
