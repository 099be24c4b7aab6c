// Calendar dates by arithmetic on the civil calendar: day numbers (days since 1 January 1970)
// and normalised broken-down dates, the same for every year the view can reach, also before
// 1970 where the runtime's mktime gives up, and free of time-zone and summer-time shifts.
#pragma once
#include <ctime>

// Day number of year / month / day; the month may lie outside 1..12 and the day outside the
// month: both carry over as mktime would (month 13 is January of the next year, day 0 the last
// day of the month before). Saturates at the limits of an int.
int DayNumberOf(int year, int month, int day);
// The date of a day number.
void DateOfDayNumber(int dayNumber, int* year, int* month, int* day);

// Day number of the date in `date` (tm_year, tm_mon, tm_mday, carried over as above).
int LocalDayNumber(const std::tm& date);
// The date with month and day carried over into a valid date; weekday and day of the year set,
// the time of day kept.
std::tm NormaliseDate(std::tm date);
// The date moved by days (normalised).
std::tm AddDays(std::tm date, int days);

// Days of month (1..12) of year.
int DaysInMonth(int year, int month);

inline bool SameMonth(const std::tm& a, const std::tm& b) { return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon; }
