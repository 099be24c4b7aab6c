// The title bar's text: "TITLE_FORM" expanded for the displayed month, with the Japanese era.
#pragma once
#include <ctime>
#include <string>
#include <vector>

// The era of a month (month 1..12): 令和 from May 2019, 平成 from 1989, 昭和 before; *eraYear
// is the year within it.
const char* EraOf(int year, int month, int* eraYear);

// The first "%g" becomes the era's name, the first "%h" the era year as "%2d", the first "%m"
// a single digit below October; the rest goes through strftime for the displayed month. At most
// outSize - 1 bytes; an empty text when the form cannot be expanded.
void FormatTitle(const char* titleForm, const std::tm& displayed, char* out, int outSize);

// The titles of the twelve months of year, January first.
std::vector<std::string> TitlesOfYear(const char* titleForm, int year);
