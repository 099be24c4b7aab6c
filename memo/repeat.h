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
