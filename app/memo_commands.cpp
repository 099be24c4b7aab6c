#include "app/memo_commands.h"

#include <cstring>
#include <optional>
#include <string>

#include "calendar/civil_date.h"
#include "memo/alarm_time.h"
#include "memo/countdown.h"
#include "memo/memo_store.h"
#include "memo/undo_journal.h"
#include "memo/working_text.h"
#include "view/view_layout.h"

namespace {
// False when the change did not reach the file.
bool Replay(const UndoRecord& r, bool undo, int* currentCell) {
    if (r.kind & kUndoCountdownBit) return UndoCountdown(r, undo, currentCell);
    // The texts are stored values; written back through WriteMemo they are stored unchanged.
    const char* text = undo ? r.oldText : r.newText;
    if (r.year < 1) return WriteFreeMemo(text).ok();
    return WriteMemo(r.year, r.month, r.day, text, false).ok();
}
}  // namespace

bool DateOfCell(int cell, int* year, int* month, int* day) {
    if (!IsDayCell(cell)) return false;
    // The real date: a view of December 2035 runs on into 2036, past where the date choosers stop.
    DateOfDayNumber(LocalDayNumber(g_view.firstDay) + (cell & 0x0FFF), year, month, day);
    return true;
}

std::string MemoOfCell(int cell) {
    if (cell != kCellNone && cell == g_edit.editingCell) return WorkingTextOrEmpty();
    int y, m, d;
    if (DateOfCell(cell, &y, &m, &d)) return ReadMemo(y, m, d);
    if (cell == kCellMemoBox) return ReadFreeMemo();
    return std::string();
}

bool CellHasMemo(int cell) { return !MemoOfCell(cell).empty(); }

bool CommitToCell(int cell) {
    if (std::optional<std::string> sorted = SortMemoByTime(g_work.text)) SetWorkingText(*sorted);
    int y, m, d;
    if (DateOfCell(cell, &y, &m, &d)) return WriteMemo(y, m, d, WorkingTextOrEmpty(), false).ok();
    if (cell == kCellMemoBox) return WriteFreeMemo(WorkingTextOrEmpty()).ok();
    return true;
}

bool InsertTextIntoCell(int cell, const char* text, InsertMode mode) {
    std::string kept = g_work.text;
    SetWorkingText(mode == kInsertReplace ? std::string() : MemoOfCell(cell));
    int len = static_cast<int>(g_work.text.size());
    bool endsWithBreak = g_work.text.ends_with("\r\n");
    if (mode == kInsertNewLine && len >= 2 && len <= 4092 && !endsWithBreak) {
        PutWorkingByte(len++, '\r');
        PutWorkingByte(len++, '\n');
    }
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text ? text : ""); *p; ++p) {
        if ((*p < 0x20 && *p != '\r' && *p != '\n') || *p == 0x7F) continue;
        PutWorkingByte(len++, static_cast<char>(*p));
    }
    PutWorkingByte(len, 0);
    bool ok = CommitToCell(cell);
    SetWorkingText(kept);
    return ok;
}

bool DeleteCellMemo(int* currentCell) {
    int cell = currentCell ? *currentCell : kCellNone;
    int y, m, d;
    if (IsCountdownCell(cell)) return DeleteCountdown(cell & 0x0FFF, currentCell);
    if (DateOfCell(cell, &y, &m, &d)) return WriteMemo(y, m, d, "", false).ok();
    if (cell == kCellMemoBox) return WriteFreeMemo("").ok();
    return true;
}

bool CanUndoMemo() { return g_undo.current != nullptr; }

bool CanRedoMemo() { return g_undo.head != nullptr && g_undo.head != g_undo.current; }

bool UndoMemoChange(int* currentCell) {
    UndoRecord* r = g_undo.current;
    if (!r) return false;
    g_undo.groupStep = -1;
    int group = r->group;
    bool ok = true;
    for (; r && r->group == group; r = r->next) ok = Replay(*r, true, currentCell) && ok;
    // Replays write whole values, so after a failure the same undo can simply be tried again.
    if (ok) g_undo.current = r;
    g_undo.groupStep = 1;
    return ok;
}

bool RedoMemoChange(int* currentCell) {
    if (!CanRedoMemo()) return false;
    UndoRecord* newer = nullptr;  // the record just newer than the current position
    for (UndoRecord* p = g_undo.head; p && p != g_undo.current; p = p->next) newer = p;
    UndoRecord* first = g_undo.head;
    while (first->group != newer->group) first = first->next;
    g_undo.groupStep = -1;
    bool ok = true;
    for (UndoRecord* p = first; p && p->group == first->group; p = p->next) ok = Replay(*p, false, currentCell) && ok;
    if (ok) g_undo.current = first;
    g_undo.groupStep = 1;
    return ok;
}
