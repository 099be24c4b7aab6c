// The settings dialog (108 "カレンダーの設定"): the display and alarm settings, the design and the
// operation bindings, edited on working copies. テスト previews the copy in the calendar, 適用
// keeps it and stays, OK keeps it and closes, キャンセル shows the kept settings again.
#pragma once
#include <windows.h>

#include "config/app_state.h"
#include "config/operations.h"
#include "settings/settings_to_keep.h"

struct SettingsDialog {
    int shellVersion;             // in: major version of the shell (5 or more shows balloon tips)
    AppState inForce;             // in: the settings and design in force
    OperationBindings bindings;   // in: the bindings in force
    bool kept;                    // out: OK or 適用 had the owner keep the working copies at least once
};

// Modal over the calendar window, which is told through WM_DIALOG_NOTE (base/win/owner_notes.h)
// and does what the dialog asks: kNotePreview with the AppState to show and lay out, keeping
// nothing (a test, a design chosen, and on キャンセル the kept settings again); kNoteSettingsKept
// with the SettingsToKeep to make the ones in force and write, answered in it.
INT_PTR OpenSettingsDialog(HWND owner, SettingsDialog* dialog);
