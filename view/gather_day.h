// What a day cell holds, shared by both editions' cell painters and by the layout.
#pragma once
#include <ctime>

// The memo lines the day of cell index needs: the lines of its stored date memo (or of the text
// being typed into it), plus one when a date-memo rule gives it a text. An empty memo counts as
// one line, as the cell keeps room for it.
int DayMemoLineCount(int cellIndex, const std::tm& date);
