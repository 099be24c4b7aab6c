#include "calendar/holiday_rules.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/fields.h"
#include "base/sjis.h"
#include "config/profile_store.h"
#include "config/settings.h"

HolidayRuleTable g_holidayRules;

const char* const kMonthNames[kRuleMonths] = {"毎月", "1月", "2月", "3月", "4月", "5月", "6月", "7月",
                                              "8月", "9月", "10月", "11月", "12月", "春分日", "秋分日"};
const char* const kWeekdayNames[7] = {"日", "月", "火", "水", "木", "金", "土"};
const char* const kRuleKindNames[kRuleKinds] = {"国民の祝日", "個人的休日", "メモ(祝日)", "メモ(日付)"};

namespace {
constexpr char kSection[] = "SETTING";

const char* WeekdayName(int weekday) { return weekday >= 0 && weekday < 7 ? kWeekdayNames[weekday] : "?"; }

}  // namespace

namespace {
bool IsRuleYear(int year) { return year >= kFirstRuleYear && year <= kLastRuleYear; }

// A span in the stored form: every part 0 or a year of four digits, the last not before the first.
bool IsSpanValue(int32_t value) {
    if (value < 0 || value > kLastRuleYear * 10000 + kLastRuleYear) return false;
    int first = value / 10000, last = value % 10000;
    if (first && !IsRuleYear(first)) return false;
    if (last && !IsRuleYear(last)) return false;
    return !(first && last && last < first);
}
}  // namespace

YearSpan RuleYears(const HolidayRule& rule) {
    if (!IsSpanValue(rule.years)) return YearSpan{0, 0};
    return YearSpan{rule.years / 10000, rule.years % 10000};
}

int32_t YearsValue(int first, int last) {
    if (!IsRuleYear(first)) first = 0;
    if (!IsRuleYear(last)) last = 0;
    return first * 10000 + last;
}

void ReadYearsField(const char* field, HolidayRule* rule) {
    rule->years = 0;
    rule->otherYears[0] = 0;
    size_t n = std::strlen(field);
    bool digits = n > 0 && n <= 8;
    for (size_t i = 0; digits && i < n; ++i) digits = field[i] >= '0' && field[i] <= '9';
    // Only the writer's own spellings: "0", a last year, or a first year and a last one (or 0000).
    bool ours = digits && (n == 1 || n == 4 || n == 8) && (field[0] != '0' || n == 1);
    int32_t value = ours ? static_cast<int32_t>(std::strtol(field, nullptr, 10)) : 0;
    if (ours && IsSpanValue(value) && (n != 1 || value == 0)) {
        rule->years = value;
        return;
    }
    CopyField(rule->otherYears, sizeof rule->otherYears, field);
    // Written back before a comma, a lead byte at its end would take that comma along.
    KeepListItem(rule->otherYears);
}

std::string YearsFieldText(const HolidayRule& rule) {
    if (rule.otherYears[0]) return std::string(rule.otherYears, strnlen(rule.otherYears, sizeof rule.otherYears));
    return std::to_string(rule.years);
}

bool RuleAppliesIn(const HolidayRule& rule, int year) {
    YearSpan span = RuleYears(rule);
    return (!span.first || year >= span.first) && (!span.last || year <= span.last);
}

bool RuleMatchesDate(const HolidayRule& r, const std::tm& date, const EquinoxDays& equinox) {
    if (!RuleAppliesIn(r, date.tm_year + 1900)) return false;
    if (r.month == kVernalEquinoxMonth) return date.tm_mon == 2 && date.tm_mday == equinox.vernal;
    if (r.month == kAutumnalEquinoxMonth) return date.tm_mon == 8 && date.tm_mday == equinox.autumnal;
    if (r.month > kAutumnalEquinoxMonth) return false;
    if (r.month >= 1 && date.tm_mon + 1 != r.month) return false;
    if (r.day >= 1) {
        if (r.weekday < 0) return date.tm_mday == r.day;
        int after = date.tm_mday - r.day;
        return after >= 0 && after < 7 && date.tm_wday == r.weekday;
    }
    int week = (date.tm_mday - 1) / 7;
    if (week < 0) return false;
    if (week > 4) week = 4;
    return r.weekSlots[week] == date.tm_wday + 1;
}

void SetBlankRule(HolidayRule* rule) {
    std::memset(rule, 0, sizeof *rule);
    rule->kind = kNationalHoliday;
    rule->month = 1;
    rule->day = 1;
    rule->weekday = -1;
}

HolidayRule* AppendHolidayRule() {
    HolidayRuleTable& t = g_holidayRules;
    if (static_cast<size_t>(t.count) >= t.rules.size()) t.rules.emplace_back();
    HolidayRule* rule = &t.rules[static_cast<size_t>(t.count++)];
    SetBlankRule(rule);
    return rule;
}

int LoadHolidayRules(const char* holidayPath) {
    ReleaseHolidayRules();
    for (int n = 1;; ++n) {
        char key[16];
        std::snprintf(key, sizeof key, "%d", n);
        char line[256];
        if (ProfileReadString(kSection, key, "", line, sizeof line, holidayPath) <= 0) break;
        char copy[sizeof line];
        std::memcpy(copy, line, std::strlen(line) + 1);
        char* fields[11];
        int count = SplitFields(copy, ',', fields, 11);
        if (count < 10) continue;
        HolidayRule* rule = AppendHolidayRule();
        int32_t numbers[9];
        for (int i = 0; i < 9; ++i) numbers[i] = LeadingNumber(fields[i]);
        rule->kind = numbers[0];
        rule->month = numbers[1];
        rule->day = numbers[2];
        rule->weekday = numbers[3];
        for (int i = 0; i < 5; ++i) rule->weekSlots[i] = numbers[4 + i];
        ReadYearsField(fields[9], rule);
        // The text is everything behind the tenth comma as it stands, its own commas included
        // (a split would lose one at its end).
        const char* text = count > 10 ? line + (fields[10] - copy) : "";
        CopyField(rule->text, sizeof rule->text, text);
    }
    if (g_holidayRules.count == 0) {
        g_holidayRules.rules.resize(1);
        SetBlankRule(&g_holidayRules.rules[0]);
    }
    return g_holidayRules.count;
}

void ReleaseHolidayRules() { g_holidayRules = HolidayRuleTable{}; }

int HolidayRuleCount() { return g_holidayRules.count; }

bool SaveHolidayRules(const char* holidayPath, const HolidayRule* rules, int count) {
    ProfileWriteBatch batch;  // the whole table in one replacement of the file
    bool ok = true;
    char key[16];
    for (int i = 1; i <= count; ++i) {
        const HolidayRule& r = rules[i - 1];
        char text[128];
        CopyField(text, sizeof text, r.text);
        char line[512];
        std::snprintf(line, sizeof line, "%d,%d,%d,%d,%d,%d,%d,%d,%d,%s,%s", r.kind, r.month, r.day, r.weekday,
                      r.weekSlots[0], r.weekSlots[1], r.weekSlots[2], r.weekSlots[3], r.weekSlots[4],
                      YearsFieldText(r).c_str(), text);
        std::snprintf(key, sizeof key, "%d", i);
        ok = ProfileWriteString(kSection, key, line, holidayPath) && ok;
    }
    std::snprintf(key, sizeof key, "%d", count + 1);
    ok = ProfileWriteString(kSection, key, "", holidayPath) && ok;
    return batch.End().ok() && ok;
}

int MatchRuleIndex(const HolidayRuleTable& rules, const EquinoxDays& equinox, const std::tm& date, int kind) {
    for (int i = 0; i < rules.count; ++i) {
        const HolidayRule& r = rules.rules[i];
        if ((kind < 0 || r.kind == kind) && RuleMatchesDate(r, date, equinox)) return i;
    }
    return -1;
}

const HolidayRule* MatchRule(const HolidayRuleTable& rules, const EquinoxDays& equinox, const std::tm& date,
                             int kind) {
    int i = MatchRuleIndex(rules, equinox, date, kind);
    return i >= 0 ? &rules.rules[i] : nullptr;
}

void DescribeRule(const HolidayRule& rule, RuleDescription* out) {
    if (rule.kind >= 0 && rule.kind < kRuleKinds)
        std::snprintf(out->kind, sizeof out->kind, "%s", kRuleKindNames[rule.kind]);
    else
        std::snprintf(out->kind, sizeof out->kind, "?(%d)", rule.kind);
    CopyField(out->memo, sizeof out->memo, rule.text);
    YearSpan span = RuleYears(rule);
    if (span.first && span.first == span.last) std::snprintf(out->years, sizeof out->years, "%d", span.first);
    else if (span.first && span.last) std::snprintf(out->years, sizeof out->years, "%d～%d", span.first, span.last);
    else if (span.first) std::snprintf(out->years, sizeof out->years, "%d～", span.first);
    else if (span.last) std::snprintf(out->years, sizeof out->years, "～%d", span.last);
    else out->years[0] = 0;

    // A month below 0 matches like "every month"; one above 14 never matches.
    char monthText[24];
    if (rule.month > kAutumnalEquinoxMonth)
        std::snprintf(monthText, sizeof monthText, "?(%d)", rule.month);
    else
        std::snprintf(monthText, sizeof monthText, "%s", kMonthNames[rule.month < 0 ? 0 : rule.month]);

    if (rule.month >= kVernalEquinoxMonth) {
        std::snprintf(out->date, sizeof out->date, "%s", monthText);
    } else if (rule.day >= 1 && rule.weekday < 0) {
        std::snprintf(out->date, sizeof out->date, "%s%d日", monthText, rule.day);
    } else if (rule.day >= 1) {
        std::snprintf(out->date, sizeof out->date, "%s%d日以降で最初の%s曜日", monthText, rule.day,
                      WeekdayName(rule.weekday));
    } else {
        char weeks[24] = "第";
        int set = 0, weekday = 0;
        for (int n = 0; n < 5; ++n) {
            if (rule.weekSlots[n] == 0) continue;
            size_t len = std::strlen(weeks);
            std::snprintf(weeks + len, sizeof weeks - len, set ? ",%d" : "%d", n + 1);
            ++set;
            weekday = rule.weekSlots[n] >= 1 && rule.weekSlots[n] <= 7 ? rule.weekSlots[n] - 1 : -1;
        }
        if (set == 5) std::snprintf(weeks, sizeof weeks, "毎週");
        std::snprintf(out->date, sizeof out->date, "%s%s%s曜日", monthText, weeks, WeekdayName(weekday));
    }
}
