// Texts the context menus fill in: the clear-month item with the shown month, the memo menu's
// date item, and the key binding shown behind an item.
#pragma once
#include <string>

// The item's pattern (two numbers: year, month) filled in; conversions it should not have stay
// as they are written.
std::string ClearMonthItemText(const char* pattern, int year, int month);

// "%4d/%d/%d：%s" of the date with "今日", or the distance "%d日前" / "%d日後" from today.
std::string DateItemText(int year, int month, int day, int todayNumber);

// A key binding's name: "(なし)" for 0, else "Alt + ", "Ctrl + ", "Shift + " for the modifiers
// that are set, then the key's name as the system gives it. At most 49 bytes.
std::string KeyBindingName(int value, const char* keyName);
