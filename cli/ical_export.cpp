#include "cli/ical_export.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "calendar/civil_date.h"
#include "calendar/holiday_rules.h"
#include "calendar/month_model.h"
#include "sync/ical_text.h"
#include "sync/memo_events.h"
#include "sync/text_convert.h"
#include "config/file_names.h"
#include "memo/alarm_time.h"
#include "memo/countdown.h"
#include "memo/memo_store.h"
#include "memo/tag_words.h"

namespace {
const char* const kDayCodes[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

std::string Utf8(const char* cp932) { return Cp932ToUtf8(cp932).value_or(""); }

class Writer {
  public:
    explicit Writer(const char* stamp) : stamp_(stamp) {}
    void Line(const std::string& line) { out_ += FoldLine(line); }
    // BEGIN:VEVENT with its UID, stamp and summary; the caller adds the dates and ends it.
    void Begin(const std::string& uidSource, const std::string& summary) {
        Line("BEGIN:VEVENT");
        Line("UID:" + EventUid(uidSource));
        Line(std::string("DTSTAMP:") + stamp_);
        Line("SUMMARY:" + EscapeText(summary));
    }
    std::string& Text() { return out_; }
    const char* Stamp() const { return stamp_; }

  private:
    const char* stamp_;
    std::string out_;
};

void ExportMemoLine(Writer& w, int day, int index, const char* line, const Settings& settings) {
    LineEventOptions options{&g_tags, settings.alarm != 0, settings.alarmTime};
    AppendLineEvent(&w.Text(), EventUid(IcsDateText(day) + "|" + std::to_string(index) + "|" + line), day, line,
                    options, w.Stamp());
}

void ExportMemos(Writer& w, int fromDay, int toDay, const Settings& settings) {
    for (int day = fromDay; day <= toDay; ++day) {
        int y, m, d;
        DateOfDayNumber(day, &y, &m, &d);
        std::string memo = ReadMemo(y, m, d);
        int index = 0;
        for (size_t at = 0; at < memo.size(); ++index) {
            size_t end = memo.find("\r\n", at);
            if (end == std::string::npos) end = memo.size();
            std::string line = memo.substr(at, end - at);
            if (!line.empty()) ExportMemoLine(w, day, index, line.c_str(), settings);
            at = end + 2;
        }
    }
}

void ExportCountdowns(Writer& w, int fromDay, int toDay) {
    LoadCountdowns(g_files.memoPath);
    for (const CountdownMemo& c : g_countdowns.memos) {
        int day = DayNumberOf(c.year, c.month, c.day);
        if (day < fromDay || day > toDay) continue;
        w.Begin("countdown|" + IcsDateText(day) + "|" + c.text, Utf8(c.text));
        w.Line("DTSTART;VALUE=DATE:" + IcsDateText(day));
        w.Line("CATEGORIES:" + EscapeText(Utf8("あと何日メモ")));
        w.Line("END:VEVENT");
    }
}

// The recurrence of a rule that is not an equinox day; empty when it can never match.
std::string RuleRecurrence(const HolidayRule& r) {
    std::string freq = r.month >= 1 ? "FREQ=YEARLY;BYMONTH=" + std::to_string(r.month) : "FREQ=MONTHLY";
    if (r.day >= 1 && r.weekday < 0) return freq + ";BYMONTHDAY=" + std::to_string(r.day);
    if (r.day >= 1) {
        if (r.weekday > 6 || r.day > 31) return "";
        // The first such weekday on or after the day, within the month.
        std::string days;
        for (int d = r.day; d <= r.day + 6 && d <= 31; ++d) days += (days.empty() ? "" : ",") + std::to_string(d);
        return freq + ";BYMONTHDAY=" + days + ";BYDAY=" + kDayCodes[r.weekday];
    }
    std::string byDay;
    int weekday = -1, weeks = 0;
    bool same = true;
    for (int n = 0; n < 5; ++n) {
        int slot = r.weekSlots[n];
        if (slot < 1 || slot > 7) continue;
        same = same && (weekday < 0 || weekday == slot - 1);
        weekday = slot - 1;
        ++weeks;
        byDay += (byDay.empty() ? "" : ",") + std::to_string(n + 1) + kDayCodes[slot - 1];
    }
    if (!weeks) return "";
    if (weeks == 5 && same) {  // every week: the fifth week holds days 29 to 31, as the fifth such weekday
        if (r.month < 1) return std::string("FREQ=WEEKLY;BYDAY=") + kDayCodes[weekday];
        return freq + ";BYDAY=" + kDayCodes[weekday];
    }
    return freq + ";BYDAY=" + byDay;
}

void ExportRules(Writer& w, int fromDay, int toDay) {
    LoadHolidayRules(g_files.holidayPath);
    int fromYear, toYear, m, d;
    DateOfDayNumber(fromDay, &fromYear, &m, &d);
    DateOfDayNumber(toDay, &toYear, &m, &d);
    for (int i = 0; i < HolidayRuleCount(); ++i) {
        const HolidayRule& r = g_holidayRules.rules[i];
        if (r.kind < 0 || r.kind >= kRuleKinds || r.month > kAutumnalEquinoxMonth) continue;
        YearSpan span = RuleYears(r);
        int first = span.first && span.first > fromYear ? span.first : fromYear;
        int last = span.last && span.last < toYear ? span.last : toYear;
        std::string category = "CATEGORIES:" + EscapeText(Utf8(kRuleKindNames[r.kind]));
        std::string summary = Utf8(r.text);
        if (r.month >= kVernalEquinoxMonth) {
            for (int y = first; y <= last; ++y) {
                int vernal, autumnal;
                ComputeEquinoxDays(y, &vernal, &autumnal);
                int day = r.month == kVernalEquinoxMonth ? DayNumberOf(y, 3, vernal) : DayNumberOf(y, 9, autumnal);
                if (day < fromDay || day > toDay) continue;
                w.Begin("rule|" + std::to_string(i) + "|" + IcsDateText(day) + "|" + r.text, summary);
                w.Line("DTSTART;VALUE=DATE:" + IcsDateText(day));
                w.Line(category);
                w.Line("END:VEVENT");
            }
            continue;
        }
        std::string recurrence = RuleRecurrence(r);
        if (recurrence.empty() || first > last) continue;
        int start = -1;  // the first day in the range the rule falls on
        for (int day = std::max(fromDay, DayNumberOf(first, 1, 1)); day <= toDay && day <= DayNumberOf(last, 12, 31); ++day) {
            std::tm date = {};
            int y, mo, dd;
            DateOfDayNumber(day, &y, &mo, &dd);
            date.tm_year = y - 1900, date.tm_mon = mo - 1, date.tm_mday = dd;
            date = NormaliseDate(date);
            if (RuleMatchesDate(r, date, EquinoxDays{})) {  // equinox rules were taken above
                start = day;
                break;
            }
        }
        if (start < 0) continue;
        w.Begin("rule|" + std::to_string(i) + "|" + r.text, summary);
        w.Line("DTSTART;VALUE=DATE:" + IcsDateText(start));
        std::string until = span.last ? ";UNTIL=" + std::to_string(span.last) + "1231" : "";
        w.Line("RRULE:" + recurrence + until);
        w.Line(category);
        w.Line("END:VEVENT");
    }
}
// The days off the rules make without naming them (substitute and citizens' holidays), as
// all-day events: another calendar would show them as workdays.
void ExportDerivedHolidays(Writer& w, int fromDay, int toDay) {
    int fromYear, toYear, m, d;
    DateOfDayNumber(fromDay, &fromYear, &m, &d);
    DateOfDayNumber(toDay, &toYear, &m, &d);
    std::string category = "CATEGORIES:" + EscapeText(Utf8(kRuleKindNames[0]));
    for (int year = fromYear; year <= toYear; ++year) {
        std::tm first{};
        first.tm_year = year - 1900;
        first.tm_mday = 1;
        first = NormaliseDate(first);
        MonthModel model;
        BeginMonthModel(&model, g_holidayRules, year, first);  // resolved as the holidays command and the calendar do
        for (int i = 0;; ++i) {
            std::tm date = AddDays(first, i);
            if (date.tm_year != first.tm_year) break;
            ResolveDay(&model, g_holidayRules, i, date);
            int day = LocalDayNumber(date);
            const DayEntry& e = model.entries[static_cast<size_t>(i)];
            if (e.derived == kNoDerivedHoliday || day < fromDay || day > toDay) continue;
            w.Begin("derived|" + IcsDateText(day), Utf8(HolidayName(g_holidayRules, e)));
            w.Line("DTSTART;VALUE=DATE:" + IcsDateText(day));
            w.Line(category);
            w.Line("END:VEVENT");
        }
    }
}
}  // namespace

std::string ExportIcs(int fromDay, int toDay, const Settings& settings, const char* stamp) {
    Writer w(stamp);
    w.Line("BEGIN:VCALENDAR");
    w.Line("VERSION:2.0");
    w.Line("PRODID:-//Tessel//desk-calendar//JA");
    w.Line("CALSCALE:GREGORIAN");
    ExportMemos(w, fromDay, toDay, settings);
    ExportCountdowns(w, fromDay, toDay);
    ExportRules(w, fromDay, toDay);
    ExportDerivedHolidays(w, fromDay, toDay);
    w.Line("END:VCALENDAR");
    return std::move(w.Text());
}
