#include "memo/date_lists_win.h"

#include <string>
#include <vector>

#include "base/win/dialog_kit.h"
#include "calendar/civil_date.h"
#include "memo/date_choice.h"

namespace {
constexpr int kYearList = 1010, kMonthList = 1007, kDayList = 1008;

std::vector<std::string> Numbers(int first, int count) {
    std::vector<std::string> v;
    for (int i = 0; i < count; ++i) v.push_back(std::to_string(first + i));
    return v;
}
}  // namespace

void ShowDate(HWND dialog, DateLists* lists, int year, int month, int day) {
    YearChoices years = YearChoicesAround(year);
    lists->firstYear = years.first;
    // A date outside the years on offer shows the nearest year: whatever is chosen then lies
    // within them.
    int index = year - years.first;
    index = index < 0 ? 0 : index >= years.count ? years.count - 1 : index;
    FillList(dialog, kYearList, Numbers(years.first, years.count), index);
    FillList(dialog, kMonthList, Numbers(1, 12), month - 1);
    int y, m, d;
    ChosenDate(years.first, index, month - 1, day - 1, &y, &m, &d);
    FillList(dialog, kDayList, Numbers(1, DaysInMonth(y, m)), d - 1);
}

void ChosenDateOf(HWND dialog, const DateLists& lists, int* year, int* month, int* day) {
    ChosenDate(lists.firstYear, ListSelection(dialog, kYearList), ListSelection(dialog, kMonthList),
               ListSelection(dialog, kDayList), year, month, day);
}

void RefitDays(HWND dialog, DateLists* lists) {
    int y, m, d;
    ChosenDateOf(dialog, *lists, &y, &m, &d);
    FillList(dialog, kDayList, Numbers(1, DaysInMonth(y, m)), d - 1);
}
