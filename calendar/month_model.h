// Which rules apply to each visible day, and which days are substitute or citizens' holidays.
// Rebuilt from scratch by every layout, day by day in cell order.
#pragma once
#include <cstdint>
#include <ctime>
#include <vector>

#include "calendar/holiday_rules.h"

enum DerivedHoliday { kNoDerivedHoliday = 0, kSubstituteHoliday = 1, kCitizensHoliday = 2 };

// Rules are positions in the rule table the model was resolved against (-1 none); every change
// of that table is followed by a rebuild, so they never outlive it.
struct DayEntry {
    int32_t national;
    int32_t personal;
    int32_t holidayMemo;
    int32_t dateMemo;
    int32_t derived;  // DerivedHoliday
};

struct MonthModel {
    std::vector<DayEntry> entries;  // by cell index
    EquinoxDays equinox;            // of the displayed year: the days equinox rules fall on
    // Carried from one resolved day to the next.
    bool substitutePending;
    bool previousNational;
};

// Day of March and day of September of the equinoxes of a 4-digit year.
void ComputeEquinoxDays(int year, int* vernal, int* autumnal);

// Starts a rebuild: no entries, the equinox days of displayYear (4-digit), fresh resolution
// state, then the seven days before firstVisible resolved against rules.
void BeginMonthModel(MonthModel* model, const HolidayRuleTable& rules, int displayYear, const std::tm& firstVisible);

// Resolves date against rules; with index >= 0 stores it as entry [index].
void ResolveDay(MonthModel* model, const HolidayRuleTable& rules, int index, const std::tm& date);

// The entry of cell index, or an entry of no rules when the model has none for it.
DayEntry EntryOf(const MonthModel& model, int index);

// The holiday name the day cell shows: the national rule's text in rules, or the derived
// holiday's name. Empty when the day has neither.
const char* HolidayName(const HolidayRuleTable& rules, const DayEntry& entry);
// Whether the calendar draws the day as a holiday.
bool IsHolidayEntry(const DayEntry& entry);
