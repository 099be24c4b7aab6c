// The undo journal: every stored memo change, kept in whole groups, oldest first.
#pragma once
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

constexpr int kUndoCountdownBit = 0x4000;  // kinds with this bit are countdown memo changes

struct UndoRecord {
    int group = 0;  // the group counter after the record was added; a group is undone as one
    int year = 0, month = 0, day = 0;
    int kind = 0;  // 0 memo text, 0x4003 countdown added, 0x4004 countdown removed
    std::string oldText;  // the stored values before and after (for countdowns: "" and its text)
    std::string newText;
};

struct UndoJournal {
    std::deque<UndoRecord> records;  // oldest first
    size_t done = 0;  // records before this are not undone; the newest of them is the position
    int groupCounter = 0;
    int groupStep = 1;  // 1 normal, 0 inside a multi-write step, -1 while replaying
    int limit = 9;      // groups kept ("UNDO_SIZE"); 0 or less keeps none
};

extern UndoJournal g_undo;

// Adds a record (dropping the undone ones) and keeps the newest `limit` groups.
void RecordUndo(int year, int month, int day, int kind, std::string_view oldText, std::string_view newText);
// Drops every record and starts afresh; the limit stays.
void ClearUndoJournal();
// Drops every record; the limit back to 9.
void ResetUndoJournal();
int UndoRecordCount();
