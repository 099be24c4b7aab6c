// The years the calendar knows, 1970 to 2099: the views, the date lists and day counts of the
// dialogs, repeat series, the year memo files that are searched and exported, and the
// companion's dates all keep within them. Japan's holiday law and the equinox formula the
// holiday rules follow are defined to 2099; the day arithmetic is civil, so nothing in the range
// depends on the runtime's 32-bit time.
#pragma once
#include "calendar/civil_date.h"

constexpr int kFirstCalendarYear = 1970;
constexpr int kLastCalendarYear = 2099;

constexpr bool IsCalendarYear(int year) { return year >= kFirstCalendarYear && year <= kLastCalendarYear; }

// Day numbers of 1 January of the first year and 31 December of the last.
inline int FirstCalendarDay() { return DayNumberOf(kFirstCalendarYear, 1, 1); }
inline int LastCalendarDay() { return DayNumberOf(kLastCalendarYear, 12, 31); }
inline bool IsCalendarDay(int dayNumber) { return dayNumber >= FirstCalendarDay() && dayNumber <= LastCalendarDay(); }

// The most days a day count of the dialogs holds: from any day of the range to either end.
inline int MostCalendarDays() { return LastCalendarDay() - FirstCalendarDay(); }
