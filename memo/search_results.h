// The rows the search dialog lists, as a table it owns: their texts by column, the order a click
// on a column puts them in (each column's direction kept for the program's run) and the text
// Copy puts on the clipboard.
#pragma once
#include <string>
#include <vector>

#include "memo/memo_search.h"

// Sort state of each column, kept for the whole run: 0 never sorted, 1 descending, 2 ascending.
extern int g_searchSortState[2];
void ResetSearchSortState();
// A click on column: its new state (1 unless it was 1, then 2); 0 for no such column.
int NextSortState(int column);

// What column 0 ("日付") and column 1 ("メモ") of a row show.
const std::string& SearchColumnText(const SearchRow& row, int column);

// The comparison of two column texts (at most 255 bytes each): ASCII letters folded, other
// bytes compared as they are; state 1 sorts descending, 2 ascending.
int CompareSearchTexts(const char* a, const char* b, int state);
// Sorts the table by a column in that state; rows that compare equal keep their order.
void SortSearchRows(std::vector<SearchRow>* rows, int column, int state);

// Rows in their current order as "date TAB text CR LF" lines.
std::string SearchCopyText(const std::vector<SearchRow>& rows);
