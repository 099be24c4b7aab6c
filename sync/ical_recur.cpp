#include "sync/ical_recur.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "calendar/civil_date.h"
#include "sync/ical_calendar.h"

namespace {
const char* const kDayCodes[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    size_t at = 0;
    for (;;) {
        size_t end = s.find(sep, at);
        parts.push_back(s.substr(at, end == std::string::npos ? std::string::npos : end - at));
        if (end == std::string::npos) return parts;
        at = end + 1;
    }
}

bool Number(const std::string& s, int lo, int hi, int* out) {
    if (s.empty() || s.size() > 6) return false;
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, 10);
    if (*end || v < lo || v > hi) return false;
    *out = static_cast<int>(v);
    return true;
}

bool ParseDay(const std::string& s, std::pair<int, int>* out) {
    if (s.size() < 2) return false;
    std::string code = s.substr(s.size() - 2);
    int weekday = -1;
    for (int i = 0; i < 7; ++i)
        if (code == kDayCodes[i]) weekday = i;
    int ordinal = 0;
    if (weekday < 0 || (s.size() > 2 && (!Number(s.substr(0, s.size() - 2), -53, 53, &ordinal) || !ordinal)))
        return false;
    *out = {ordinal, weekday};
    return true;
}

// UNTIL as a date or a date-time; the day is its own, the caller moves it to the event's clock.
bool ParseUntil(const std::string& s, RecurRule* r) {
    When until;
    if (!ParseWhen(s, false, &until)) return false;
    r->untilDay = until.day;
    if (!until.date) r->untilClock = until.Clock(), r->untilUtc = until.utc;
    return true;
}

bool Has(const std::vector<int>& list, int v) { return std::find(list.begin(), list.end(), v) != list.end(); }

// The days of year / month the rule picks; defaultDay when it names none.
std::vector<int> MonthDays(const RecurRule& r, int year, int month, int defaultDay) {
    int first = DayNumberOf(year, month, 1), length = DaysInMonth(year, month);
    std::vector<int> byMonthDay, byDay;
    for (int md : r.byMonthDay) {
        int d = md > 0 ? md : length + md + 1;
        if (d >= 1 && d <= length) byMonthDay.push_back(first + d - 1);
    }
    for (auto [ordinal, weekday] : r.byDay) {
        std::vector<int> all;
        for (int d = 0; d < length; ++d)
            if (WeekdayOf(first + d) == weekday) all.push_back(first + d);
        if (ordinal == 0) byDay.insert(byDay.end(), all.begin(), all.end());
        else if (ordinal > 0 && ordinal <= static_cast<int>(all.size())) byDay.push_back(all[ordinal - 1]);
        else if (ordinal < 0 && -ordinal <= static_cast<int>(all.size())) byDay.push_back(all[all.size() + ordinal]);
    }
    std::vector<int> days;
    if (!r.byMonthDay.empty() && !r.byDay.empty()) {
        for (int d : byMonthDay)
            if (Has(byDay, d)) days.push_back(d);
    } else if (!r.byMonthDay.empty()) {
        days = byMonthDay;
    } else if (!r.byDay.empty()) {
        days = byDay;
    } else if (defaultDay <= length) {
        days.push_back(first + defaultDay - 1);
    }
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}

// Whether a day passes the limiting parts of a daily or weekly rule.
bool PassesLimits(const RecurRule& r, int day, bool weekdays) {
    int y, m, d;
    DateOfDayNumber(day, &y, &m, &d);
    if (!r.byMonth.empty() && !Has(r.byMonth, m)) return false;
    if (!r.byMonthDay.empty()) {
        RecurRule monthly;
        monthly.freq = RecurRule::kMonthly;
        monthly.byMonthDay = r.byMonthDay;
        std::vector<int> days = MonthDays(monthly, y, m, 0);
        if (!Has(days, day)) return false;
    }
    if (weekdays && !r.byDay.empty()) {
        bool any = false;
        for (auto [ordinal, weekday] : r.byDay) any |= weekday == WeekdayOf(day);
        if (!any) return false;
    }
    return true;
}
}  // namespace

int WeekdayOf(int dayNumber) { return ((dayNumber + 4) % 7 + 7) % 7; }  // 1 January 1970 was a Thursday

bool ParseRecurRule(const std::string& value, RecurRule* out) {
    *out = RecurRule{};
    bool freq = false;
    for (const std::string& part : Split(value, ';')) {
        if (part.empty()) continue;
        size_t eq = part.find('=');
        if (eq == std::string::npos) return false;
        std::string name = part.substr(0, eq), v = part.substr(eq + 1);
        if (name == "FREQ") {
            if (v == "DAILY") out->freq = RecurRule::kDaily;
            else if (v == "WEEKLY") out->freq = RecurRule::kWeekly;
            else if (v == "MONTHLY") out->freq = RecurRule::kMonthly;
            else if (v == "YEARLY") out->freq = RecurRule::kYearly;
            else return false;
            freq = true;
        } else if (name == "INTERVAL") {
            if (!Number(v, 1, 10000, &out->interval)) return false;
        } else if (name == "COUNT") {
            if (!Number(v, 1, 100000, &out->count)) return false;
        } else if (name == "UNTIL") {
            if (!ParseUntil(v, out)) return false;
        } else if (name == "BYDAY") {
            for (const std::string& d : Split(v, ',')) {
                std::pair<int, int> day;
                if (!ParseDay(d, &day)) return false;
                out->byDay.push_back(day);
            }
        } else if (name == "BYMONTHDAY") {
            for (const std::string& d : Split(v, ',')) {
                int n;
                if (!Number(d, -31, 31, &n) || !n) return false;
                out->byMonthDay.push_back(n);
            }
        } else if (name == "BYMONTH") {
            for (const std::string& m : Split(v, ',')) {
                int n;
                if (!Number(m, 1, 12, &n)) return false;
                out->byMonth.push_back(n);
            }
        } else if (name != "WKST") {
            return false;  // BYSETPOS, BYWEEKNO, BYYEARDAY, BYHOUR, ...: not followed
        }
    }
    return freq;
}

std::vector<int> ExpandRecurrence(const RecurRule& r, int startDay, int lastDay) {
    std::vector<int> days{startDay};
    int limit = std::min(r.untilDay, lastDay);
    auto emit = [&](int day) {
        if (day <= startDay || day > limit) return true;
        days.push_back(day);
        return !(r.count && static_cast<int>(days.size()) >= r.count);
    };
    if (startDay > limit || r.count == 1) return days;
    int year, month, dayOfMonth;
    DateOfDayNumber(startDay, &year, &month, &dayOfMonth);
    switch (r.freq) {
    case RecurRule::kDaily:
        for (long day = startDay + r.interval; day <= limit; day += r.interval)
            if (PassesLimits(r, static_cast<int>(day), true) && !emit(static_cast<int>(day))) break;
        break;
    case RecurRule::kWeekly: {
        int monday = startDay - (WeekdayOf(startDay) + 6) % 7;
        std::vector<int> offsets;  // days after Monday, in week order
        for (auto [ordinal, weekday] : r.byDay) offsets.push_back((weekday + 6) % 7);
        if (offsets.empty()) offsets.push_back((WeekdayOf(startDay) + 6) % 7);
        std::sort(offsets.begin(), offsets.end());
        for (long week = monday; week <= limit; week += 7L * r.interval)
            for (int offset : offsets) {
                int day = static_cast<int>(week) + offset;
                if (PassesLimits(r, day, false) && !emit(day)) return days;
            }
        break;
    }
    case RecurRule::kMonthly:
        for (long k = 0;; k += r.interval) {
            long index = (year * 12L + month - 1) + k;
            int y = static_cast<int>(index / 12), m = static_cast<int>(index % 12) + 1;
            if (DayNumberOf(y, m, 1) > limit) break;
            if (!r.byMonth.empty() && !Has(r.byMonth, m)) continue;
            for (int day : MonthDays(r, y, m, dayOfMonth))
                if (!emit(day)) return days;
        }
        break;
    case RecurRule::kYearly:
        for (long y = year;; y += r.interval) {
            if (DayNumberOf(static_cast<int>(y), 1, 1) > limit) break;
            std::vector<int> months = r.byMonth;
            if (months.empty() && !r.byDay.empty() && r.byMonthDay.empty()) {
                // Weekdays of the whole year, an ordinal counting through the year.
                RecurRule whole = r;
                std::vector<int> all;
                for (int m = 1; m <= 12; ++m) {
                    whole.byDay.clear();
                    for (auto [ordinal, weekday] : r.byDay) whole.byDay.push_back({0, weekday});
                    for (int day : MonthDays(whole, static_cast<int>(y), m, 0)) all.push_back(day);
                }
                std::vector<int> picked;
                for (auto [ordinal, weekday] : r.byDay) {
                    std::vector<int> same;
                    for (int day : all)
                        if (WeekdayOf(day) == weekday) same.push_back(day);
                    if (ordinal == 0) picked.insert(picked.end(), same.begin(), same.end());
                    else if (ordinal > 0 && ordinal <= static_cast<int>(same.size())) picked.push_back(same[ordinal - 1]);
                    else if (ordinal < 0 && -ordinal <= static_cast<int>(same.size()))
                        picked.push_back(same[same.size() + ordinal]);
                }
                std::sort(picked.begin(), picked.end());
                for (int day : picked)
                    if (!emit(day)) return days;
                continue;
            }
            if (months.empty()) months.push_back(month);
            std::sort(months.begin(), months.end());
            for (int m : months)
                for (int day : MonthDays(r, static_cast<int>(y), m, dayOfMonth))
                    if (!emit(day)) return days;
        }
        break;
    }
    return days;
}
