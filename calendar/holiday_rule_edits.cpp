#include "calendar/holiday_rule_edits.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "base/fields.h"
#include "base/sjis.h"

int g_ruleSortState[kRuleColumns] = {};

namespace {
bool IsEquinox(const HolidayRule& rule) {
    return rule.month == kVernalEquinoxMonth || rule.month == kAutumnalEquinoxMonth;
}

// Bytes of the separator at s (a comma, a blank or the full-width space), or 0.
int SeparatorLength(const char* s) {
    if (*s == ',' || *s == ' ' || *s == '\t') return 1;
    return static_cast<unsigned char>(s[0]) == 0x81 && static_cast<unsigned char>(s[1]) == 0x40 ? 2 : 0;
}

// The week list into the week slots, with the weekday of the date choice.
void PutListedWeeks(HolidayRule* rule, const RuleEditing& editing) {
    int value = editing.dateChoice - (kListedWeeksChoice - 1);
    for (int32_t& slot : rule->weekSlots) slot = 0;
    bool any = false;
    for (const char* p = editing.weekList.c_str(); *p;) {
        if (int n = SeparatorLength(p)) {
            p += n;
            continue;
        }
        // An item counts by its leading number, as typed digits before anything else.
        int week = 0;
        for (; *p >= '0' && *p <= '9'; ++p)
            if (week < 10) week = week * 10 + (*p - '0');
        if (week >= 1 && week <= 5) rule->weekSlots[week - 1] = value, any = true;
        while (*p && !SeparatorLength(p)) p += SjisCharLength(p);
    }
    if (!any) rule->weekSlots[0] = value;
}

struct DateKey {
    int month, day, week;
};

// Every month after December, the equinox days on their usual dates, days given by weeks after
// the 31st, then the first week slot set.
DateKey DateKeyOf(const HolidayRule& r) {
    DateKey k = {r.month, r.day <= 0 ? 32 : r.day, 0};
    if (r.month <= 0) k.month = 13;
    if (r.month == kVernalEquinoxMonth) k.month = 3, k.day = 21;
    if (r.month == kAutumnalEquinoxMonth) k.month = 9, k.day = 23;
    for (int n = 0; n < 5; ++n)
        if (r.weekSlots[n]) {
            k.week = r.weekSlots[n] + 7 * n;
            break;
        }
    return k;
}

// An open first year is the earliest, an open last year the latest.
long long YearsKeyOf(const HolidayRule& r) {
    YearSpan span = RuleYears(r);
    return span.first * 100000LL + (span.last ? span.last : 10000);
}

int Order(long long a, long long b) { return a < b ? -1 : a > b ? 1 : 0; }

// Case-blind as strcmpi: ASCII letters compare in lower case, never a trail byte folded.
int CompareTextsFolded(const char* a, const char* b) {
    bool trail = false;
    for (size_t i = 0;; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (!trail) {
            if (x >= 'A' && x <= 'Z') x += 'a' - 'A';
            if (y >= 'A' && y <= 'Z') y += 'a' - 'A';
        }
        if (x != y) return x < y ? -1 : 1;
        if (!x) return 0;
        trail = !trail && IsSjisLead(x);
    }
}
}  // namespace

std::string DateChoiceText(int choice) {
    char text[32] = "";
    if (choice >= 0 && choice < kEveryWeekChoice)
        std::snprintf(text, sizeof text, "%d日", choice + 1);
    else if (choice >= kEveryWeekChoice && choice < kListedWeeksChoice)
        std::snprintf(text, sizeof text, "毎週 %s曜日", kWeekdayNames[choice - kEveryWeekChoice]);
    else if (choice >= kListedWeeksChoice && choice < kDateChoices)
        std::snprintf(text, sizeof text, "隔週 %s曜日", kWeekdayNames[choice - kListedWeeksChoice]);
    return text;
}

RuleEditing EditingOf(const HolidayRule& rule) {
    RuleEditing e;
    if (IsEquinox(rule)) return e;
    if (rule.day >= 1) {
        e.dateChoice = (rule.day < 31 ? rule.day : 31) - 1;
        return e;
    }
    int set = 0, weekday = 0;
    for (int n = 0; n < 5; ++n) {
        int slot = rule.weekSlots[n];
        if (!slot) continue;
        e.weekList += (set++ ? "," : "") + std::to_string(n + 1);
        weekday = slot >= 1 && slot <= 7 ? slot - 1 : 0;
    }
    if (set == 5) {
        e.weekList.clear();
        e.dateChoice = kEveryWeekChoice + weekday;
        return e;
    }
    e.dateChoice = kListedWeeksChoice + weekday;
    return e;
}

void ApplyDateChoice(HolidayRule* rule, RuleEditing* editing, int choice) {
    if (choice < 0 || choice >= kDateChoices) return;
    editing->dateChoice = choice;
    if (choice < kEveryWeekChoice) {
        rule->day = choice + 1;  // the weekday stays: a first-weekday rule stays one
    } else if (choice < kListedWeeksChoice) {
        rule->day = 0;
        for (int32_t& slot : rule->weekSlots) slot = choice - (kEveryWeekChoice - 1);
    } else {
        rule->day = 0;
        PutListedWeeks(rule, *editing);
    }
}

void ApplyWeekList(HolidayRule* rule, RuleEditing* editing, const char* text) {
    editing->weekList.assign(text, SjisFitLength(text, kRuleTextMax));
    if (editing->dateChoice >= kListedWeeksChoice && editing->dateChoice < kDateChoices) PutListedWeeks(rule, *editing);
}

void ApplyRuleText(HolidayRule* rule, const char* text) {
    std::string line(text, std::strcspn(text, "\r\n"));
    CopyField(rule->text, sizeof rule->text, line.c_str());
}

namespace {
// A year edit's number: 0 for an empty edit, -1 for anything but digits (a pasted text).
int TypedYear(const char* text) {
    int year = 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9' || year > kLastRuleYear) return -1;
        year = year * 10 + (*p - '0');
    }
    return year;
}
}  // namespace

TypedYears CheckRuleYears(const char* firstText, const char* lastText) {
    int first = TypedYear(firstText), last = TypedYear(lastText);
    for (int year : {first, last})
        if (year != 0 && (year < kFirstRuleYear || year > kLastRuleYear)) return TypedYears::kOutOfRange;
    if (first && last && last < first) return TypedYears::kReversed;
    return TypedYears::kTaken;
}

TypedYears ApplyRuleYears(HolidayRule* rule, const char* firstText, const char* lastText) {
    TypedYears typed = CheckRuleYears(firstText, lastText);
    if (typed != TypedYears::kTaken) return typed;
    rule->years = YearsValue(TypedYear(firstText), TypedYear(lastText));
    rule->otherYears[0] = 0;  // typed years take the place of what another program left there
    return typed;
}

const char* TypedYearsText(TypedYears typed) {
    switch (typed) {
    case TypedYears::kReversed: return "終わりの年が始まりの年より前です。年を直してください";
    case TypedYears::kOutOfRange: return "年は1000から9999までの4桁で指定してください（空欄は制限なし）";
    default: return "";
    }
}

std::string YearEditText(int year) { return year ? std::to_string(year) : std::string(); }

bool DayChoiceEnabled(const HolidayRule& rule) { return rule.month < kVernalEquinoxMonth; }

bool WeekListEnabled(const HolidayRule& rule, const RuleEditing& editing) {
    return rule.month < kVernalEquinoxMonth && editing.dateChoice >= kListedWeeksChoice;
}

void ResetRuleSortStates() {
    for (int& state : g_ruleSortState) state = 0;
}

int NextRuleSortState(int column) {
    if (column < 0 || column >= kRuleColumns) return 0;
    g_ruleSortState[column] = g_ruleSortState[column] == 1 ? 2 : 1;
    return g_ruleSortState[column];
}

int CompareRules(const HolidayRule& a, const HolidayRule& b, int column, int state) {
    int r = 0;
    if (column == kRuleColumnKind) {
        r = Order(a.kind, b.kind);
    } else if (column == kRuleColumnDate) {
        DateKey x = DateKeyOf(a), y = DateKeyOf(b);
        r = Order(x.month, y.month);
        if (!r) r = Order(x.day, y.day);
        if (!r) r = Order(x.week, y.week);
    } else if (column == kRuleColumnYears) {
        r = Order(YearsKeyOf(a), YearsKeyOf(b));
    } else if (column == kRuleColumnMemo) {
        r = CompareTextsFolded(a.text, b.text);
    }
    return state == 1 ? -r : r;
}

std::vector<RuleEditing> EditingOfRules() {
    std::vector<RuleEditing> editing;
    for (const HolidayRule& rule : g_holidayRules.rules) editing.push_back(EditingOf(rule));
    return editing;
}

namespace {
// The editing fields stand beside every record, spare ones included.
void FollowTable(std::vector<RuleEditing>* editing) { editing->resize(g_holidayRules.rules.size()); }
}  // namespace

int AppendRuleCopy(int source, std::vector<RuleEditing>* editing) {
    HolidayRuleTable& t = g_holidayRules;
    if (t.rules.empty() || source < 0 || (source >= t.count && source != 0)) return -1;
    FollowTable(editing);
    HolidayRule copy = t.rules[static_cast<size_t>(source)];  // growing the table may move it
    RuleEditing copiedEditing = (*editing)[static_cast<size_t>(source)];
    *AppendHolidayRule() = copy;
    FollowTable(editing);
    (*editing)[static_cast<size_t>(t.count - 1)] = copiedEditing;
    return t.count - 1;
}

int DeleteRuleOfRow(std::vector<int>* rowRules, int row, std::vector<RuleEditing>* editing) {
    HolidayRuleTable& t = g_holidayRules;
    std::vector<int>& rows = *rowRules;
    if (row < 0 || row >= static_cast<int>(rows.size())) return -1;
    int index = rows[static_cast<size_t>(row)];
    if (index < 0 || index >= t.count) return -1;
    FollowTable(editing);
    std::move(t.rules.begin() + index + 1, t.rules.begin() + t.count, t.rules.begin() + index);
    std::move(editing->begin() + index + 1, editing->begin() + t.count, editing->begin() + index);
    --t.count;
    rows.erase(rows.begin() + row);
    for (int& r : rows)
        if (r > index) --r;
    int left = static_cast<int>(rows.size());
    return row < left ? row : left - 1;
}

void ReorderRulesToRows(std::vector<int>* rowRules, std::vector<RuleEditing>* editing) {
    HolidayRuleTable& t = g_holidayRules;
    std::vector<int>& rows = *rowRules;
    FollowTable(editing);
    for (int i = 0; i < static_cast<int>(rows.size()) && i < t.count; ++i) {
        int b = rows[static_cast<size_t>(i)];
        if (b == i || b < 0 || b >= t.count) continue;
        std::swap(t.rules[i], t.rules[b]);
        std::swap((*editing)[static_cast<size_t>(i)], (*editing)[static_cast<size_t>(b)]);
        // The row that showed rule i shows it at b now; the rows before i are in order already.
        for (size_t j = static_cast<size_t>(i) + 1; j < rows.size(); ++j)
            if (rows[j] == i) {
                rows[j] = b;
                break;
            }
        rows[static_cast<size_t>(i)] = i;
    }
}
