// The countdown memos of the common memo file, held for the whole run, and the day numbers that
// the countdown and repeat dialogs count with.
#pragma once
#include <string>
#include <vector>

#include "base/cell_ids.h"

constexpr int kCountdownFormFields = 7;
constexpr int kCountdownFormSlot = 32;
constexpr int kCountdownTextSize = 256;  // 255 bytes and the terminating zero
constexpr int kCountdownDateTextSize = 32;
constexpr int kCountdownUndoAdded = 0x4003;
constexpr int kCountdownUndoRemoved = 0x4004;

// A memo of the list: what the file holds. The days left are counted against a today handed to
// whoever counts them (the layout's lines, the alarm's text).
struct CountdownMemo {
    int year, month, day;  // target date, month 1 to 12
    char text[kCountdownTextSize];
};

struct CountdownList {
    std::vector<CountdownMemo> memos;
    char memoPath[272];  // file the list was loaded from and is saved to
    // "CDOWN_FORM": date prefix format, date suffix format, "today", word before days to go,
    // its unit, word before days passed, its unit.
    char form[kCountdownFormFields][kCountdownFormSlot];
};

extern CountdownList g_countdowns;

// Day number (days since 1970-01-01) of the date, normalised as mktime would (month 13 is
// January of the next year, day 0 the last of the month before), minus base; saturated within
// -INT_MAX .. INT_MAX, so that the days passed (-offset) can always be told.
int DayOffset(int year, int month, int day, int base);
// The date of day number base + n, clamped to the calendar's years (1970-01-01 ... 2099-12-31).
void DateAtOffset(int n, int base, int* year, int* month, int* day);

void ResetCountdownForm(char slots[kCountdownFormFields][kCountdownFormSlot]);
// A "CDOWN_FORM" value: exactly seven comma-separated fields replace the seven slots (each cut
// to 31 bytes on a character boundary); anything else leaves them. Returns 1 when replaced.
int ApplyCountdownForm(const char* value, char slots[kCountdownFormFields][kCountdownFormSlot]);

// Replaces the list with section COUNTDOWN of memoPath. Returns how many were loaded.
int LoadCountdowns(const char* memoPath);
// Writes the whole list back, ending it with an empty key. False when the file could not be
// written; the list in memory keeps every change, so the next save that works writes it.
bool SaveCountdowns();
// Earlier dates first (so smaller day offsets, whatever day they are counted from); equal dates
// keep no particular order.
void SortCountdowns();
// Appends a memo (text cut on a character boundary); returns its index.
int AddCountdown(int year, int month, int day, const char* text);
// Removes the first memo with this date and exactly this text; returns its index or -1.
int RemoveCountdown(int year, int month, int day, const char* text);
// Moves a current cell that pointed at a countdown line beyond the list back onto the list.
void KeepCountdownCell(int* currentCell);
// Replays one countdown change: kind kCountdownUndoAdded or kCountdownUndoRemoved of the memo
// (date, text); undo reverses it, redo repeats it. The list is saved. currentCell may be null.
// Returns false for any other kind, or when the save did not reach the file.
bool UndoCountdownChange(int kind, int year, int month, int day, const char* text, bool undo,
                         int* currentCell);
// The countdown dialog's changes, each recorded for undo and saved at once; false when the save
// did not reach the file.
// OK on countdown line index: that memo is replaced in place (a removal and an addition in one
// undo step). False when index names no line.
bool ReplaceCountdown(int index, int year, int month, int day, const char* text);
// OK on any other cell, or Add: a new memo, recorded as its own undo step.
bool AddCountdownRecorded(int year, int month, int day, const char* text);
// Delete on line index: recorded, removed, and currentCell moved back onto the list.
bool DeleteCountdown(int index, int* currentCell);
struct UndoRecord;
// Undo or redo of one countdown record of the journal; false for a record of another kind or a
// failed save.
bool UndoCountdown(const UndoRecord& record, bool undo, int* currentCell);
// Empties the list; the form stays.
void ReleaseCountdowns();
// Empties the list and puts the default form back.
void ResetCountdowns();
int CountdownCount();

// The countdown form pieces of a memo: form field 1 filled with the date (three numbers), field 2
// with the text. The forms come from the configuration file: any other conversion in them is
// shown as written.
void FormatCountdownDate(const CountdownMemo& memo, const char form[kCountdownFormFields][kCountdownFormSlot],
                         char out[kCountdownDateTextSize]);
void FormatCountdownText(const CountdownMemo& memo, const char form[kCountdownFormFields][kCountdownFormSlot],
                         char out[kCountdownTextSize]);
// The number part: "today" word for offset 0, else before-word, the absolute count, unit.
void FormatCountdownNumber(int dayOffset, const char form[kCountdownFormFields][kCountdownFormSlot],
                           char* out, int outSize);
// The alarm's countdown lines (each "...\r\n", at most 255 bytes before the CR LF) of the memos in
// list order whose days counted from today (a day number) are <= maxDays and, unless
// includePast, >= 0. Empty when no memo matches.
std::string CountdownAlarmText(int today, int maxDays, bool includePast,
                               const char form[kCountdownFormFields][kCountdownFormSlot]);
