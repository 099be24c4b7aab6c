// What the companion's commands share in reading their arguments: the one line a refusal prints,
// and dates written YYYY-MM-DD.
#pragma once
#include <string>

constexpr int kExitUsage = 2;

// "desk-calendar-cli: message[: detail]" on stderr; returns kExitUsage. message is code page 932
// as the calendar's own texts, detail UTF-8 as the user typed it.
int Fail(const char* message, const char* detail = nullptr);
// A message line on stderr as Fail writes it, without failing.
void Tell(const char* message, const char* detail = nullptr);

// The refusal of a UTF-8 text that code page 932 cannot hold: the message, then the first such
// character named ("「…」(U+…)"); returns kExitUsage.
int FailUnencodable(const char* message, const char* utf8);

// "the years a to b" of the years the companion reads and writes, for messages (code page 932).
std::string YearRangeText();

// "YYYY-MM-DD" of a date that exists, from year 1 on; false for anything else.
bool ParseIsoDate(const char* text, int* year, int* month, int* day);
