// The holiday and regular memo rules of the holiday file, held for the whole run.
// The table holds exactly what the file holds: the program has no built-in rules.
#pragma once
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

enum RuleKind { kNationalHoliday = 0, kPersonalHoliday = 1, kHolidayMemoRule = 2, kDateMemoRule = 3 };
enum { kRuleKinds = 4, kRuleMonths = 15, kVernalEquinoxMonth = 13, kAutumnalEquinoxMonth = 14 };

struct HolidayRule {
    int32_t kind;
    int32_t month;    // 0 every month, 1..12, 13 vernal / 14 autumnal equinox day
    int32_t day;      // 1..31, or <= 0 for the week slots
    int32_t weekday;  // -1 none, 0..6: the first such weekday on or after day
    int32_t weekSlots[5];  // week n of the month: weekday + 1, or 0
    int32_t years;         // the years the rule applies to: see RuleYears
    // Field 10 as another program left it, when it is not a span of years in the form written
    // here: kept and written back byte for byte, and the rule applies in every year. Empty when
    // the field held a span (or nothing).
    char otherYears[248];
    char text[128];
};

// The span of years of a rule, stored as first year x 10000 + last year, either part 0 when
// open, each year of four digits: 0 every year, 19962002 from 1996 to 2002, 20160000 from 2016
// on, 1988 until 1988. Any other value (negative, a year of fewer digits, a last year before the
// first) counts as every year.
struct YearSpan {
    int first;  // 0: no first year
    int last;   // 0: no last year
};
YearSpan RuleYears(const HolidayRule& rule);
enum { kFirstRuleYear = 1000, kLastRuleYear = 9999 };
// The stored form of a span; a first or last year outside 1000 .. 9999 counts as open.
int32_t YearsValue(int first, int last);
// Field 10 of a rule line taken in: a span in the form the writer writes (decimal, no sign, no
// leading zero, a valid span) goes to years; any other text is kept in otherYears.
void ReadYearsField(const char* field, HolidayRule* rule);
// Field 10 as the writer writes it: the kept text of another program, or the span.
std::string YearsFieldText(const HolidayRule& rule);
bool RuleAppliesIn(const HolidayRule& rule, int year);
// The equinox days an equinox rule falls on (day of March, day of September).
struct EquinoxDays {
    int vernal;
    int autumnal;
};

// Whether the rule falls on the date (tm_year, tm_mon, tm_mday, tm_wday read); equinox rules
// fall on the equinox days given.
bool RuleMatchesDate(const HolidayRule& rule, const std::tm& date, const EquinoxDays& equinox);

struct HolidayRuleTable {
    // The first count are the rules. Record 0 always exists once loaded: with no rules it is the
    // blank template the holiday settings dialog edits. Records past count are spare.
    std::vector<HolidayRule> rules;
    int count = 0;
};
extern HolidayRuleTable g_holidayRules;

extern const char* const kMonthNames[kRuleMonths];
extern const char* const kWeekdayNames[7];
extern const char* const kRuleKindNames[kRuleKinds];

// Reads section SETTING of the holiday file into g_holidayRules (release the previous table
// first); returns how many rules were loaded. A missing file gives 0 rules and the blank template.
int LoadHolidayRules(const char* holidayPath);
void ReleaseHolidayRules();
int HolidayRuleCount();

// One more rule at the end, blank. The pointer is good until the next append.
HolidayRule* AppendHolidayRule();
void SetBlankRule(HolidayRule* rule);

// Rewrites keys 1..count and an empty key count+1. Returns false when a write failed.
bool SaveHolidayRules(const char* holidayPath, const HolidayRule* rules, int count);

// The first rule of rules of that kind (kind < 0: any kind) matching the date (tm_year, tm_mon,
// tm_mday and tm_wday are read), or null.
const HolidayRule* MatchRule(const HolidayRuleTable& rules, const EquinoxDays& equinox, const std::tm& date,
                             int kind);
// Index form of MatchRule: the rule's position in rules, or -1.
int MatchRuleIndex(const HolidayRuleTable& rules, const EquinoxDays& equinox, const std::tm& date, int kind);

struct RuleDescription {
    char kind[32];
    char date[96];
    char years[24];  // "" every year, "1996～2002", "2016～", "～1988", "2019" for one year
    char memo[128];
};
// The texts the holiday settings dialog lists for a rule; out-of-range fields show as "?".
void DescribeRule(const HolidayRule& rule, RuleDescription* out);
