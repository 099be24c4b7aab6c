#include "memo/date_choice.h"

#include <cstdlib>

#include "calendar/calendar_years.h"
#include "calendar/civil_date.h"

YearChoices YearChoicesAround(int year) {
    int first = year - 5, last = year + 5;
    if (first < kFirstCalendarYear) first = kFirstCalendarYear;
    if (last > kLastCalendarYear) last = kLastCalendarYear;
    if (first > last) first = last;  // a date outside the range still gets one entry
    return YearChoices{first, last - first + 1};
}

void ChosenDate(int firstYear, int yearIndex, int monthIndex, int dayIndex, int* year, int* month, int* day) {
    int y = firstYear + (yearIndex > 0 ? yearIndex : 0);
    if (y < kFirstCalendarYear) y = kFirstCalendarYear;
    if (y > kLastCalendarYear) y = kLastCalendarYear;
    int m = monthIndex < 0 ? 1 : monthIndex > 11 ? 12 : monthIndex + 1;
    int d = dayIndex < 0 ? 1 : dayIndex + 1;
    if (d > DaysInMonth(y, m)) d = DaysInMonth(y, m);
    *year = y, *month = m, *day = d;
}

int ClampDays(long long n, int low, int high) { return n < low ? low : n > high ? high : static_cast<int>(n); }

int DayCountFromText(const char* text, int low, int high) {
    char* end = nullptr;
    long long n = std::strtoll(text ? text : "", &end, 10);
    return ClampDays(n, low, high);
}
