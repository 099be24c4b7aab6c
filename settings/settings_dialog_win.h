// The settings dialog (108 "カレンダーの設定"): the display and alarm settings, the design and the
// operation bindings, edited on a working copy. テスト previews the copy in the calendar, 適用
// keeps it and stays, OK keeps it and closes, キャンセル shows the kept settings again.
#pragma once
#include <windows.h>

struct SettingsDialog {
    int shellVersion;  // in: major version of the shell (5 or more shows balloon tips)
    bool kept;         // out: OK or 適用 made the working copy the settings at least once
};

// Modal over the calendar window, which is told through WM_DIALOG_NOTE: kNotePreview to lay out
// and show g_app as it is now without keeping anything, kNoteSettingsKept when g_app was kept and
// written (with the tray setting it had before in lParam).
INT_PTR OpenSettingsDialog(HWND owner, SettingsDialog* dialog);
