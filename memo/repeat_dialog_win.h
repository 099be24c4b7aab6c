// The repeat settings dialog (136 "繰り返し入力設定"): the end of a series as a day count or a
// date, how it ends and how often it repeats.
#pragma once
#include <windows.h>

#include "memo/repeat.h"

struct RepeatDialog {
    int startYear, startMonth, startDay;  // the date memo dialog's date: where the series starts
    const RepeatRule* chosen;             // the rule chosen in the date memo dialog, or null
    RepeatList* list;                     // OK puts the rule at its front and saves the list
    const char* memoPath;                 // the common memo file the list is saved in
};

// Modal over owner. IDOK once the rule is at the front of the list, else IDCANCEL.
INT_PTR OpenRepeatDialog(HWND owner, RepeatDialog* dialog);
