// The memo search: every date memo of every year memo file that contains a keyword, the rows the
// search dialog lists, their sort order and the text that Copy puts on the clipboard.
#pragma once
#include <string>
#include <vector>

constexpr int kSearchKeywordMax = 255;

struct SearchRow {
    int year, month, day;
    std::string date;  // "%04d/%02d/%02d"
    std::string text;  // the memo without tag words, line breaks as spaces
    int order;         // number in order of finding
};

enum SearchOutcome { kSearchNoKeyword, kSearchNoHits, kSearchFound };

// The range of years that have a year memo file beside the common memo file memoPath (names
// with "????" for the year; years outside 1970 to 2036 are ignored). False when there is none.
bool FindMemoYearRange(const char* memoPath, int* first, int* last);

// Whether the memo (CR LF text) is a hit for keyword; *shown then holds the row's text.
bool IsSearchHit(const char* memo, const char* keyword, std::string* shown);

// Searches every day (1 to 31 of every month) of every year in the range; rows come in date
// order. The keyword is cut to 255 bytes.
SearchOutcome SearchMemos(const char* keyword, std::vector<SearchRow>* rows);

// The dialog's status line for an outcome.
void SearchStatusText(SearchOutcome outcome, int hits, char* out, int outSize);

// Sort state of each column, kept for the whole run: 0 never sorted, 1 descending, 2 ascending.
extern int g_searchSortState[2];
// A click on column: its new state (1 unless it was 1, then 2).
int NextSortState(int column);
// The list's comparison of two column texts (at most 255 bytes each): ASCII letters folded,
// other bytes compared as they are; state 1 sorts descending, 2 ascending.
int CompareSearchTexts(const char* a, const char* b, int state);
void SortSearchRows(std::vector<SearchRow>* rows, int column, int state);

// Rows in their current order as "date TAB text CR LF" lines.
std::string SearchCopyText(const std::vector<SearchRow>& rows);
