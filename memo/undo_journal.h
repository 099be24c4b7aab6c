// The undo journal: every stored memo change, newest first, kept in whole groups.
#pragma once

constexpr int kUndoCountdownBit = 0x4000;  // kinds with this bit are countdown memo changes

struct UndoRecord {
    int group;
    int year, month, day;
    int kind;  // 0 memo text, 0x4003 countdown added, 0x4004 countdown removed
    char* oldText;
    char* newText;
    UndoRecord* next;
};

struct UndoJournal {
    UndoRecord* head;
    UndoRecord* current;
    int groupCounter;
    int groupStep;  // 1 normal, 0 inside a multi-write step, -1 while replaying
    int limit;      // groups kept ("UNDO_SIZE"); 0 or less keeps none
};

extern UndoJournal g_undo;

void RecordUndo(int year, int month, int day, int kind, const char* oldText, const char* newText);
// Frees every record and starts afresh; the limit stays.
void ClearUndoJournal();
// Frees every record; the limit back to 9.
void ResetUndoJournal();
int UndoRecordCount();
