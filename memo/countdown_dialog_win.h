// The countdown dialog (135 "あと何日メモ"): a target date, as a date or a day count from today,
// and its one-line text; adds, replaces or deletes a countdown memo.
#pragma once
#include <windows.h>

struct CountdownDialog {
    int line;              // the countdown line that is current, or -1
    int year, month, day;  // the date it opens on when no line is current
    int today;             // the day number day counts are counted from
    int currentCell;       // in and out: Delete moves it back onto the list
    bool changed;          // out: the list changed
};

// Modal over owner. IDOK, IDC_COUNTDOWN_ADD or IDC_COUNTDOWN_DELETE when the list changed,
// IDCANCEL when nothing did.
INT_PTR OpenCountdownDialog(HWND owner, CountdownDialog* dialog);
