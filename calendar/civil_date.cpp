#include "calendar/civil_date.h"

#include <climits>

namespace {
long long FloorDiv(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
}  // namespace

int DayNumberOf(int year, int month, int day) {
    long long m0 = month - 1LL;
    long long y = year + FloorDiv(m0, 12);
    long long m = m0 - FloorDiv(m0, 12) * 12 + 1;
    y -= m <= 2;
    long long era = FloorDiv(y, 400);
    long long yoe = y - era * 400;
    long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    long long days = era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
    // A year some millions away (a hand-edited file) saturates instead of wrapping round.
    return static_cast<int>(days > INT_MAX ? INT_MAX : days < INT_MIN ? INT_MIN : days);
}

void DateOfDayNumber(int dayNumber, int* year, int* month, int* day) {
    long long z = dayNumber + 719468LL;
    long long era = FloorDiv(z, 146097);
    long long doe = z - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    long long m = mp < 10 ? mp + 3 : mp - 9;
    *year = static_cast<int>(yoe + era * 400 + (m <= 2));
    *month = static_cast<int>(m);
    *day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
}

int LocalDayNumber(const std::tm& date) { return DayNumberOf(date.tm_year + 1900, date.tm_mon + 1, date.tm_mday); }

std::tm NormaliseDate(std::tm date) {
    int n = LocalDayNumber(date);
    int y, m, d;
    DateOfDayNumber(n, &y, &m, &d);
    date.tm_year = y - 1900;
    date.tm_mon = m - 1;
    date.tm_mday = d;
    date.tm_wday = static_cast<int>(FloorDiv(n + 4LL, 7) * -7 + n + 4);  // 1970-01-01 was a Thursday
    date.tm_yday = n - DayNumberOf(y, 1, 1);
    date.tm_isdst = -1;
    return date;
}

int DaysInMonth(int year, int month) { return DayNumberOf(year, month + 1, 1) - DayNumberOf(year, month, 1); }

std::tm AddDays(std::tm date, int days) {
    date.tm_mday += days;
    return NormaliseDate(date);
}
