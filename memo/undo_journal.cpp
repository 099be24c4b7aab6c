#include "memo/undo_journal.h"

UndoJournal g_undo;

void RecordUndo(int year, int month, int day, int kind, std::string_view oldText, std::string_view newText) {
    if (g_undo.groupStep < 0) return;
    g_undo.groupCounter += g_undo.groupStep;
    // Records undone and not redone are gone once something new happens.
    g_undo.records.resize(g_undo.done);
    if (g_undo.limit <= 0) {
        g_undo.records.clear();
        g_undo.done = 0;
        return;
    }
    g_undo.records.push_back(
        UndoRecord{g_undo.groupCounter, year, month, day, kind, std::string(oldText), std::string(newText)});
    int groups = 1;
    for (size_t i = g_undo.records.size() - 1; i > 0; --i) {
        if (g_undo.records[i - 1].group != g_undo.records[i].group && ++groups > g_undo.limit) {
            g_undo.records.erase(g_undo.records.begin(), g_undo.records.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    g_undo.done = g_undo.records.size();
}

void ClearUndoJournal() {
    int limit = g_undo.limit;
    g_undo = UndoJournal{};
    g_undo.limit = limit;
}

void ResetUndoJournal() { g_undo = UndoJournal{}; }

int UndoRecordCount() { return static_cast<int>(g_undo.records.size()); }
