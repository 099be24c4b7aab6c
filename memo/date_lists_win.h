// The year, month and day drop-down lists of the memo, repeat and countdown dialogs.
#pragma once
#include <windows.h>

#include "resources/resource.h"

struct DateLists {
    int firstYear;  // the year of the year list's first entry
};

// Fills the three lists (ids 1010, 1007, 1008) for the date: the years around it, the twelve
// months and the days its month has.
void ShowDate(HWND dialog, DateLists* lists, int year, int month, int day);
// The date the lists name; a day the month lacks is its last day.
void ChosenDateOf(HWND dialog, const DateLists& lists, int* year, int* month, int* day);
// After the year or month changed: the day list offers that month's days again.
void RefitDays(HWND dialog, DateLists* lists);
// A notification from one of the three lists.
inline bool IsDateList(int id) { return id == 1010 || id == 1007 || id == 1008; }
