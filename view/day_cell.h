// What a day cell shows and in which style: the decisions of the cell painters of both editions.
#pragma once
#include <ctime>
#include <string>
#include <vector>

#include "config/app_state.h"

struct DayCellRequest {
    int cellIndex;
    int fontPlace;      // kFontDay, kFontToday or kFontOmday
    int backPlace;      // kBackDay, kBackToday, kBackPrday or kBackOmday
    int dayColour;      // DayColour
    int monthToPrint;   // 1..12 printed before the day, 0 for none
    int day;            // of month
    int weekday;        // 0 Sunday
    const char* holidayTexts[3];
    int holidayCount;
    const char* ruleMemo;  // the date-memo rule's text, or null
    std::string memo;      // the stored date memo (or the text being typed), marker dropped
};

// The request for cell index showing date, in a column of columnColour (DayColour of its
// weekday column in the table, of its weekday in the list). Reads the month model entry of the
// cell, the holiday rules and the date memo.
void GatherDayRequest(const AppState& state, int cellIndex, const std::tm& date, int columnColour,
                      DayCellRequest* out);

// The day number as the cell prints it: "%d", or "%d/%d" with the month.
void DayNumberText(const DayCellRequest& request, char* out, int outSize);

// The memo lines of the cell: the rule memo first, then the date memo's lines (a break at the
// very end makes no empty line).
std::vector<std::string> DayCellLines(const DayCellRequest& request);

// DayColour of a table column, and of a date in the list.
int ColumnColour(int column, int sundayColumn, int saturdayColumn);
int WeekdayColour(int weekday);
