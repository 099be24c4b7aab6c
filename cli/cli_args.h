// What the companion's commands share in reading their arguments: the one line a refusal prints,
// and dates written YYYY-MM-DD.
#pragma once

constexpr int kExitUsage = 2;

// "desk-calendar-cli: message[: detail]" on stderr; returns kExitUsage. message is ASCII, detail
// UTF-8 as the user typed it.
int Fail(const char* message, const char* detail = nullptr);

// "YYYY-MM-DD" of a date that exists, from year 1 on; false for anything else.
bool ParseIsoDate(const char* text, int* year, int* month, int* day);
