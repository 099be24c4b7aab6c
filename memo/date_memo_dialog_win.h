// The date memo dialog (104 "日付メモ"): the memo of one date, previewed in its day cell while
// the user types, with a choice of another date, a repeat series and clearing the month.
#pragma once
#include <windows.h>

#include "base/colour.h"

struct DateMemoDialog {
    // What it opens on; afterwards the date last shown.
    int year, month, day;
    int firstShownDay;   // day number of the first day cell on screen
    int shownDays;       // how many day cells there are
    bool rowExtend;      // "CELL_ROW_EXTEND": the calendar follows the line count while typing
    int placementKeep;   // "DLGPLACEMENT_KEEP"
    bool sortByTime;     // OK puts the lines in time order ("ALARM" and "ALARM_MEMO_SORT")
    const char* memoPath;    // the common memo file: its repeat rules
    Colour* customColours;   // the design's custom colours, for the tag dialog
    // What changed.
    bool stored;         // memos were written (OK, another date chosen, the month cleared)
};

// Modal over the calendar window owner, which receives the notes of base/win/owner_notes.h.
// IDOK or IDCANCEL.
INT_PTR OpenDateMemoDialog(HWND owner, DateMemoDialog* dialog);
