// The memo search: every date memo of every year memo file that contains a keyword, as the rows
// the search dialog lists, and the dialog's status line for its outcome.
#pragma once
#include <string>
#include <vector>

#include "config/tags.h"

constexpr int kSearchKeywordMax = 255;

struct SearchRow {
    int year, month, day;
    std::string date;  // "%04d/%02d/%02d"
    std::string text;  // the memo without tag words, line breaks as spaces
    int order;         // number in order of finding
};

enum SearchOutcome { kSearchNoKeyword, kSearchNoHits, kSearchFound };

// The range of years that have a year memo file beside the common memo file memoPath (names
// with "????" for the year; years outside the calendar's are ignored). False when there is none.
bool FindMemoYearRange(const char* memoPath, int* first, int* last);

// Whether the memo (CR LF text) is a hit for keyword, the tag words of tags taken out; *shown
// then holds the row's text.
bool IsSearchHit(const TagTable& tags, const char* memo, const char* keyword, std::string* shown);

// Searches every day (1 to 31 of every month) of every year with a year memo file beside the
// common memo file memoPath; rows come in date order. The keyword is cut to 255 bytes.
SearchOutcome SearchMemos(const char* memoPath, const TagTable& tags, const char* keyword,
                          std::vector<SearchRow>* rows);

// The dialog's status line for an outcome.
void SearchStatusText(SearchOutcome outcome, int hits, char* out, int outSize);
