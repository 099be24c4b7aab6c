// Holiday rule files: LoadHolidayRules on any bytes, the rule texts the dialog lists, a year of
// ResolveDay, and the table saved and loaded again. A rule line SaveHolidayRules writes loads
// back equal (a text loses only the blanks at its end, as every stored value does), for the
// rules of the fuzzed file and for a rule made of fuzzed values.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <vector>

#include "calendar/calendar_years.h"
#include "calendar/civil_date.h"
#include "calendar/holiday_rules.h"
#include "calendar/month_model.h"
#include "fuzz_common.h"

namespace {
std::string TrimEnd(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
    return s;
}

void CheckSameRule(const HolidayRule& a, const HolidayRule& b, int i) {
    FUZZ_CHECK(a.kind == b.kind && a.month == b.month && a.day == b.day && a.weekday == b.weekday &&
                   std::memcmp(a.weekSlots, b.weekSlots, sizeof a.weekSlots) == 0 &&
                   YearsFieldText(a) == YearsFieldText(b),
               "rule %d: numbers %d,%d,%d,%d,..,%s came back as %d,%d,%d,%d,..,%s", i, a.kind, a.month, a.day,
               a.weekday, YearsFieldText(a).c_str(), b.kind, b.month, b.day, b.weekday, YearsFieldText(b).c_str());
    YearSpan x = RuleYears(a), y = RuleYears(b);
    FUZZ_CHECK(x.first == y.first && x.last == y.last, "rule %d: its years changed on the way", i);
    FUZZ_CHECK(TrimEnd(a.text) == b.text, "rule %d: text \"%s\" came back as \"%s\"", i, a.text, b.text);
}

// Saves rules to a file of their own and loads it into g_holidayRules.
void SaveAndLoad(const std::vector<HolidayRule>& rules) {
    std::string path = FuzzFile("saved_holiday.ini");
    unlink(path.c_str());
    FUZZ_CHECK(SaveHolidayRules(path.c_str(), rules.data(), static_cast<int>(rules.size())), "save failed");
    int n = LoadHolidayRules(path.c_str());
    FUZZ_CHECK(n == static_cast<int>(rules.size()), "%zu rules saved, %d loaded", rules.size(), n);
    for (int i = 0; i < n; ++i) CheckSameRule(rules[static_cast<size_t>(i)], g_holidayRules.rules[i], i);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    int year = in.ConsumeIntegralInRange(kFirstCalendarYear, kLastCalendarYear);
    HolidayRule made;
    SetBlankRule(&made);
    made.kind = in.ConsumeIntegral<int32_t>();
    made.month = in.ConsumeIntegral<int32_t>();
    made.day = in.ConsumeIntegral<int32_t>();
    made.weekday = in.ConsumeIntegral<int32_t>();
    for (int32_t& slot : made.weekSlots) slot = in.ConsumeIntegral<int32_t>();
    made.years = in.ConsumeIntegral<int32_t>();
    std::string text = ValidCp932(in.ConsumeRandomLengthString(200)), line;
    for (char c : text)
        if (c != '\r' && c != '\n') line += c;
    CopyField(made.text, sizeof made.text, line.c_str());

    FreshDataFiles();
    PutFile(g_files.holidayPath, in.ConsumeRemainingBytesAsString());
    int count = LoadHolidayRules(g_files.holidayPath);
    FUZZ_CHECK(count == HolidayRuleCount() && static_cast<size_t>(count) <= g_holidayRules.rules.size() &&
                   !g_holidayRules.rules.empty(),
               "table");
    std::vector<HolidayRule> loaded(g_holidayRules.rules.begin(), g_holidayRules.rules.begin() + count);
    for (int i = 0; i < count; ++i) {
        const HolidayRule& r = loaded[static_cast<size_t>(i)];
        FUZZ_CHECK(strnlen(r.text, sizeof r.text) < sizeof r.text, "rule %d text unterminated", i);
        RuleDescription d;
        std::memset(&d, 0x55, sizeof d);
        DescribeRule(r, &d);
        FUZZ_CHECK(strnlen(d.kind, sizeof d.kind) < sizeof d.kind && strnlen(d.date, sizeof d.date) < sizeof d.date &&
                       strnlen(d.years, sizeof d.years) < sizeof d.years && strnlen(d.memo, sizeof d.memo) < sizeof d.memo,
                   "rule %d description unterminated", i);
    }

    // A year of days as the month model resolves them.
    std::tm first{};
    first.tm_year = year - 1900;
    first.tm_mday = 1;
    first = NormaliseDate(first);
    MonthModel model;
    BeginMonthModel(&model, g_holidayRules, year, first);
    for (int i = 0; i < 366; ++i) {
        std::tm day = AddDays(first, i);
        if (day.tm_year != first.tm_year) break;
        ResolveDay(&model, g_holidayRules, i, day);
        const DayEntry& e = model.entries[static_cast<size_t>(i)];
        for (int rule : {e.national, e.personal, e.holidayMemo, e.dateMemo})
            FUZZ_CHECK(rule >= -1 && rule < count, "day %d names rule %d of %d", i, rule, count);
        FUZZ_CHECK(strnlen(HolidayName(g_holidayRules, e), 128) < 128, "holiday name unterminated");
    }

    SaveAndLoad(loaded);
    SaveAndLoad({made});
    ReleaseHolidayRules();
    return 0;
}
