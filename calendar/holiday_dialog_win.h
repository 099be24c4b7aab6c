// The holiday and regular memo dialog (132 "祝日/定例メモの設定"): lists the rules of the
// holiday file and edits g_holidayRules in place; OK and 適用 write the table to the file,
// キャンセル reads it back from the file.
#pragma once
#include <windows.h>

struct HolidayDialog {
    const char* holidayPath;  // the holiday file
    bool saved;               // out: the table was written to the file (OK or 適用)
};

// Modal over the calendar window owner, which is told to rebuild (base/win/owner_notes.h) after
// 適用; after OK and キャンセル the caller rebuilds. Returns 1 either way.
INT_PTR OpenHolidayDialog(HWND owner, HolidayDialog* dialog);
