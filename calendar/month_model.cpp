#include "calendar/month_model.h"

#include "calendar/civil_date.h"
#include "calendar/holiday_rules.h"

MonthModel g_monthModel;

namespace {
// Where the law on derived holidays changed: substitute holidays from 12 April 1973, only for
// the day after a Sunday holiday until 2006 and for the first day after it that is no holiday
// from 2007; citizens' holidays from 27 December 1985.
const int kSubstitutesFrom = DayNumberOf(1973, 4, 12);
const int kSubstituteMovesOnFrom = DayNumberOf(2007, 1, 1);
const int kCitizensHolidaysFrom = DayNumberOf(1985, 12, 27);

struct ResolutionState {
    bool substitutePending;
    bool previousNational;
};
ResolutionState g_state;
}  // namespace

void ComputeEquinoxDays(int year, int* vernal, int* autumnal) {
    int u = year - 1980;
    if (year < 1980) {
        // The 1980 constants drift by a day before their base year (1975 would give 20 March
        // and 23 September instead of 21 and 24); the 1900-1979 constants hit the real days.
        int q = (year - 1983) / 4;
        *vernal = static_cast<int>(20.8357 + 0.242194 * u - q);
        *autumnal = static_cast<int>(23.2588 + 0.242194 * u - q);
        return;
    }
    int q = u / 4;
    *vernal = static_cast<int>(20.8431 + 0.242194 * u - q);
    *autumnal = static_cast<int>(23.2488 + 0.242194 * u - q);
}

void BeginMonthModel(int displayYear, const std::tm& firstVisible) {
    ComputeEquinoxDays(displayYear, &g_equinoxDays.vernal, &g_equinoxDays.autumnal);
    g_state = ResolutionState{};
    g_monthModel.entries.clear();
    for (int back = 7; back >= 1; --back) ResolveDay(-back, AddDays(firstVisible, -back));
}

void ResolveDay(int index, const std::tm& date) {
    int national = MatchRuleIndex(date, kNationalHoliday);
    int derived = kNoDerivedHoliday;
    int day = LocalDayNumber(date);
    if (g_state.substitutePending) {
        if (national < 0) {
            if (day >= kSubstitutesFrom) derived = kSubstituteHoliday;
            g_state.substitutePending = false;
        } else if (day < kSubstituteMovesOnFrom) {
            g_state.substitutePending = false;  // the day after was a holiday already: no substitute
        }
    } else if (date.tm_wday != 0) {
        if (national < 0 && day >= kCitizensHolidaysFrom && g_state.previousNational &&
            MatchRuleIndex(AddDays(date, 1), kNationalHoliday) >= 0)
            derived = kCitizensHoliday;
    } else if (national >= 0) {
        g_state.substitutePending = true;
    }
    g_state.previousNational = national >= 0;
    if (index < 0) return;
    std::vector<DayEntry>& entries = g_monthModel.entries;
    if (static_cast<size_t>(index) >= entries.size())
        entries.resize(static_cast<size_t>(index) + 1, DayEntry{-1, -1, -1, -1, kNoDerivedHoliday});
    entries[static_cast<size_t>(index)] = DayEntry{national, MatchRuleIndex(date, kPersonalHoliday),
                                                   MatchRuleIndex(date, kHolidayMemoRule),
                                                   MatchRuleIndex(date, kDateMemoRule), derived};
}

void ReleaseMonthModel() { g_monthModel = MonthModel{}; }

const char* HolidayName(const DayEntry& entry) {
    if (entry.derived == kSubstituteHoliday) return "振替休日";
    if (entry.derived == kCitizensHoliday) return "国民の休日";
    if (entry.national >= 0 && entry.national < g_holidayRules.count) return g_holidayRules.rules[entry.national].text;
    return "";
}

bool IsHolidayEntry(const DayEntry& entry) {
    return entry.derived != kNoDerivedHoliday || entry.national >= 0 || entry.personal >= 0;
}
