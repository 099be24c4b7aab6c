// Repeat rules of the date memo dialog: the most recently used list in section REPEAT of the
// common memo file.
#pragma once

constexpr int kRepeatListMax = 10;

struct RepeatRule {
    int dayCount;    // the series ends this many days after its start
    int endKind;     // 0 up to that day, 1 to the end of its month, 2 to the end of its year
    int repeatKind;  // 0 daily, 1 weekly, 2 monthly, 3 yearly
};

struct RepeatList {
    RepeatRule rules[kRepeatListMax];  // most recently used first
    int count;
};

// Reads at most 10 rules, stopping at the first empty value; malformed values are skipped.
int LoadRepeatList(const char* memoPath, RepeatList* list);
// Writes the rules and an empty key behind the last. False when the file could not be written.
bool SaveRepeatList(const char* memoPath, const RepeatList& list);
// Moves rule index to the front and saves.
bool UseRule(const char* memoPath, RepeatList* list, int index);
// Puts rule at the front (the oldest drops out of a full list) and saves.
bool AddRule(const char* memoPath, RepeatList* list, const RepeatRule& rule);

enum RepeatOutcome { kRepeatFinished, kRepeatStopped, kRepeatWriteFailed };

// Asked after every date of a series; true stops it (the dialog: an Esc key press is waiting).
typedef bool (*RepeatStopCheck)(void* context);

// Appends text as a new last line to the memos of the series from the start date (1-based
// month) by rule, as one undo step; the end date itself is not written and nothing after the
// calendar's last year is. Returns kRepeatStopped when stopCheck stopped it, kRepeatWriteFailed when a memo could not
// be written (the series ends there); what was written stays.
RepeatOutcome RunRepeatSeries(int year, int month, int day, const char* text, const RepeatRule& rule,
                              RepeatStopCheck stopCheck = nullptr, void* context = nullptr);

// Index of a rule equal to rule in the list, or -1.
int FindRule(const RepeatList& list, const RepeatRule& rule);

// The rule as the date memo dialog's repeat combo shows it ("%4d日先%s %s").
void FormatRepeatRule(const RepeatRule& rule, char* out, int outSize);
