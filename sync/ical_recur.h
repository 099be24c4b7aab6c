// Recurrence rules of iCalendar events (FREQ DAILY, WEEKLY, MONTHLY, YEARLY with INTERVAL, COUNT,
// UNTIL, BYDAY with ordinals, BYMONTHDAY and BYMONTH) expanded into dates, as day numbers.
#pragma once
#include <climits>
#include <string>
#include <utility>
#include <vector>

struct RecurRule {
    enum Freq { kDaily, kWeekly, kMonthly, kYearly } freq = kDaily;
    int interval = 1;
    int count = 0;              // 0: no limit by count
    int untilDay = INT_MAX;     // last day that may hold an occurrence
    long long untilClock = -1;  // UNTIL as a date-time (seconds since 1970 on its clock), else -1
    bool untilUtc = false;      // that date-time ends in "Z"
    std::vector<std::pair<int, int>> byDay;  // (ordinal, 0 none; weekday 0 Sunday .. 6)
    std::vector<int> byMonthDay;             // negative: from the end of the month
    std::vector<int> byMonth;                // 1 .. 12
};

// False for a rule this reader does not follow (another FREQ, BYSETPOS, BYWEEKNO, ...) or that is
// malformed; the event is then skipped rather than placed wrongly.
bool ParseRecurRule(const std::string& value, RecurRule* out);

// The occurrences from startDay (always the first) in order, none after lastDay.
std::vector<int> ExpandRecurrence(const RecurRule& rule, int startDay, int lastDay);

// Day of the week of a day number: 0 Sunday .. 6 Saturday.
int WeekdayOf(int dayNumber);
