// Texts the context menus fill in: the clear-month item with the shown month and the memo menu's
// date item.
#pragma once
#include <string>

// The item's pattern (two numbers: year, month) filled in; conversions it should not have stay
// as they are written.
std::string ClearMonthItemText(const char* pattern, int year, int month);

// "%4d/%d/%d：%s" of the date with "今日", or the distance "%d日前" / "%d日後" from today.
std::string DateItemText(int year, int month, int day, int todayNumber);
