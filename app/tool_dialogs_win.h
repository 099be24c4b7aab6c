// The tool dialogs the commands open over the calendar window: fixed phrases (40051), tag words
// (40024), memo search (40065) and the holiday and regular memo rules (40054).
#pragma once
#include <windows.h>

// True when the dialog may have changed what the calendar shows; false for a command that has
// no dialog here.
bool OpenToolDialog(HWND hwnd, int command);
