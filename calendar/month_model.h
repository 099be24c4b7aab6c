// Which rules apply to each visible day, and which days are substitute or citizens' holidays.
// Rebuilt from scratch by every layout, day by day in cell order.
#pragma once
#include <cstdint>
#include <ctime>
#include <vector>

enum DerivedHoliday { kNoDerivedHoliday = 0, kSubstituteHoliday = 1, kCitizensHoliday = 2 };

// Rules are positions in g_holidayRules (-1 none); every change of that table is followed by a
// rebuild, so they never outlive it.
struct DayEntry {
    int32_t national;
    int32_t personal;
    int32_t holidayMemo;
    int32_t dateMemo;
    int32_t derived;  // DerivedHoliday
};

struct MonthModel {
    std::vector<DayEntry> entries;  // one past the highest index stored; entries never resolved are empty
};
extern MonthModel g_monthModel;

// Day of March and day of September of the equinoxes of a 4-digit year.
void ComputeEquinoxDays(int year, int* vernal, int* autumnal);

// Starts a rebuild: equinox days of displayYear (4-digit) into g_equinoxDays, fresh resolution
// state, the model emptied, then the seven days before firstVisible resolved.
void BeginMonthModel(int displayYear, const std::tm& firstVisible);

// Resolves date; with index >= 0 stores it as entry [index].
void ResolveDay(int index, const std::tm& date);

void ReleaseMonthModel();

// The holiday name the day cell shows: the national rule's text, or the derived holiday's name.
// Empty when the day has neither.
const char* HolidayName(const DayEntry& entry);
// Whether the calendar draws the day as a holiday.
bool IsHolidayEntry(const DayEntry& entry);
