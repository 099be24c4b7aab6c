// What a day cell shows and in which style: the decisions of the cell painters of both editions.
#pragma once
#include <ctime>
#include <string>
#include <vector>

#include "calendar/holiday_rules.h"
#include "calendar/month_model.h"
#include "calendar/today.h"
#include "config/app_state.h"
#include "view/edit_overlay.h"

struct DayCellRequest {
    int cellIndex;
    int fontPlace;      // kFontDay, kFontToday or kFontOmday
    int backPlace;      // kBackDay, kBackToday, kBackPrday or kBackOmday
    int dayColour;      // DayColour
    int monthToPrint;   // 1..12 printed before the day, 0 for none
    int year, month;    // of the date shown (month 1..12)
    int day;            // of month
    int weekday;        // 0 Sunday
    std::vector<std::string> holidayTexts;  // the holiday's name, a personal holiday, a holiday memo
    std::string ruleMemo;  // the date-memo rule's text, empty for none
    std::string memo;      // the stored date memo, marker dropped
};

// What the day cells of a layout are told apart by.
struct DaySources {
    const Settings& settings;
    const HolidayRuleTable& rules;
    const MonthModel& model;
    const Today& today;
    const std::tm& displayedMonth;  // other-month days are told by it
};

// The request for cell index showing date, in a column of columnColour (DayColour of its
// weekday column in the table, of its weekday in the list): the cell's month model entry, the
// rules' texts and today decide its style; its memo is read from the memo files.
DayCellRequest GatherDayRequest(const DaySources& sources, int cellIndex, const std::tm& date, int columnColour);

// The date memo of a day as the cell shows it: the stored value, without its leading-space
// marker.
std::string StoredDayMemo(int year, int month, int day);

// The day number as the cell prints it: "%d", or "%d/%d" with the month.
void DayNumberText(const DayCellRequest& request, char* out, int outSize);

// The memo lines of the cell: the rule memo first, then the date memo's lines (a break at the
// very end makes no empty line). While a text is typed for the cell's date, its lines stand in
// place of the stored memo's.
std::vector<std::string> DayCellLines(const DayCellRequest& request, const EditOverlay& editing);

// The memo lines the day needs in a row as high as its memo: its date memo's lines (an empty
// memo keeps room for one; the text typed for its date in its place), plus one for a date-memo
// rule.
int DayMemoLineCount(const DayCellRequest& request, const EditOverlay& editing);

// DayColour of a table column, and of a date in the list.
int ColumnColour(int column, int sundayColumn, int saturdayColumn);
int WeekdayColour(int weekday);
