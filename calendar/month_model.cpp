#include "calendar/month_model.h"

#include "calendar/civil_date.h"
#include "calendar/holiday_rules.h"

namespace {
// Where the law on derived holidays changed: substitute holidays from 12 April 1973, only for
// the day after a Sunday holiday until 2006 and for the first day after it that is no holiday
// from 2007; citizens' holidays from 27 December 1985.
const int kSubstitutesFrom = DayNumberOf(1973, 4, 12);
const int kSubstituteMovesOnFrom = DayNumberOf(2007, 1, 1);
const int kCitizensHolidaysFrom = DayNumberOf(1985, 12, 27);

constexpr DayEntry kNoRules = {-1, -1, -1, -1, kNoDerivedHoliday};
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

void BeginMonthModel(MonthModel* model, const HolidayRuleTable& rules, int displayYear, const std::tm& firstVisible) {
    model->entries.clear();
    ComputeEquinoxDays(displayYear, &model->equinox.vernal, &model->equinox.autumnal);
    model->substitutePending = false;
    model->previousNational = false;
    for (int back = 7; back >= 1; --back) ResolveDay(model, rules, -back, AddDays(firstVisible, -back));
}

void ResolveDay(MonthModel* model, const HolidayRuleTable& rules, int index, const std::tm& date) {
    auto match = [&](const std::tm& d, int kind) { return MatchRuleIndex(rules, model->equinox, d, kind); };
    int national = match(date, kNationalHoliday);
    int derived = kNoDerivedHoliday;
    int day = LocalDayNumber(date);
    if (model->substitutePending) {
        if (national < 0) {
            if (day >= kSubstitutesFrom) derived = kSubstituteHoliday;
            model->substitutePending = false;
        } else if (day < kSubstituteMovesOnFrom) {
            model->substitutePending = false;  // the day after was a holiday already: no substitute
        }
    } else if (date.tm_wday != 0) {
        if (national < 0 && day >= kCitizensHolidaysFrom && model->previousNational &&
            match(AddDays(date, 1), kNationalHoliday) >= 0)
            derived = kCitizensHoliday;
    } else if (national >= 0) {
        model->substitutePending = true;
    }
    model->previousNational = national >= 0;
    if (index < 0) return;
    size_t at = static_cast<size_t>(index);
    if (at >= model->entries.size()) model->entries.resize(at + 1, kNoRules);
    model->entries[at] = DayEntry{national, match(date, kPersonalHoliday), match(date, kHolidayMemoRule),
                                  match(date, kDateMemoRule), derived};
}

DayEntry EntryOf(const MonthModel& model, int index) {
    return index >= 0 && static_cast<size_t>(index) < model.entries.size() ? model.entries[static_cast<size_t>(index)]
                                                                          : kNoRules;
}

const char* HolidayName(const HolidayRuleTable& rules, const DayEntry& entry) {
    if (entry.derived == kSubstituteHoliday) return "振替休日";
    if (entry.derived == kCitizensHoliday) return "国民の休日";
    if (entry.national >= 0 && entry.national < rules.count) return rules.rules[entry.national].text;
    return "";
}

bool IsHolidayEntry(const DayEntry& entry) {
    return entry.derived != kNoDerivedHoliday || entry.national >= 0 || entry.personal >= 0;
}
