// The design page's list of named designs, for the frame to refresh after OK or Apply has marked
// the live design as changed (its name then differs from the one listed).
#pragma once
#include <windows.h>

#include "settings/settings_session_win.h"

// Fills the design list with the named designs beside the program, adds the live design's name and
// the working copy's when no entry begins with them, and selects the working copy's.
void ListDesigns(HWND page, SettingsSession* s);
