// Clearing a whole month of date memos, from the memo menu or the date memo dialog, after the
// user has confirmed it.
#pragma once
#include <string>

constexpr char kClearMonthCaption[] = "メモ消去";

// "%d年%d月のメモをすべて消去します。"
std::string ClearMonthQuestion(int year, int month);

// Empties days 1 to 31 of the month as one undo step. False when a memo did not reach its file.
bool ClearMonthMemos(int year, int month);
