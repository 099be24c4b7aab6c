// The date lists of the memo, repeat and countdown dialogs, and their day counts: what may be
// chosen, so that no dialog stores a date outside the calendar's years or past a month's end.
#pragma once

struct YearChoices {
    int first;  // the year of the first entry: the list's base year
    int count;
};

// The year list around year: five years before to five after, none outside the calendar's years.
YearChoices YearChoicesAround(int year);

// The date the three lists name: year = first + yearIndex, month = monthIndex + 1, day =
// dayIndex + 1 but never past the month's last day.
void ChosenDate(int firstYear, int yearIndex, int monthIndex, int dayIndex, int* year, int* month, int* day);

// A day count as typed: its decimal value (a leading minus allowed), anything else 0, held
// within low ... high.
int DayCountFromText(const char* text, int low, int high);
int ClampDays(long long n, int low, int high);
