#include "app/memo_commands.h"

#include <cstring>
#include <optional>
#include <string>

#include "calendar/calendar_years.h"
#include "calendar/civil_date.h"
#include "config/app_state.h"
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
    const std::string& text = undo ? r.oldText : r.newText;
    if (r.year < 1) return WriteFreeMemo(text, g_app.design.memoRow).ok();
    return WriteMemo(r.year, r.month, r.day, text, false).ok();
}
}  // namespace

bool DateOfCell(int cell, int* year, int* month, int* day) {
    if (!IsDayCell(cell)) return false;
    // The real date; the days before 1970 and after 2099 that the first and last months' weeks
    // show hold no memo, as no search, export or date list would ever find it there.
    int dayNumber = LocalDayNumber(g_view.firstDay) + (cell & 0x0FFF);
    if (!IsCalendarDay(dayNumber)) return false;
    DateOfDayNumber(dayNumber, year, month, day);
    return true;
}

std::string MemoOfCell(int cell) {
    if (cell != kCellNone && cell == g_edit.editingCell) return WorkingTextOrEmpty();
    int y, m, d;
    if (DateOfCell(cell, &y, &m, &d)) return ReadMemo(y, m, d);
    if (cell == kCellMemoBox) return ReadFreeMemo(g_app.design.memoRow);
    return std::string();
}

bool CellHasMemo(int cell) { return !MemoOfCell(cell).empty(); }

bool CommitToCell(int cell) {
    if (SortsMemosByTime(g_app.settings))
        if (std::optional<std::string> sorted = SortMemoByTime(g_work.text)) SetWorkingText(*sorted);
    int y, m, d;
    if (DateOfCell(cell, &y, &m, &d)) return WriteMemo(y, m, d, WorkingTextOrEmpty(), false).ok();
    if (cell == kCellMemoBox) return WriteFreeMemo(WorkingTextOrEmpty(), g_app.design.memoRow).ok();
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
    if (cell == kCellMemoBox) return WriteFreeMemo("", g_app.design.memoRow).ok();
    return true;
}

bool CanUndoMemo() { return g_undo.done > 0; }

bool CanRedoMemo() { return g_undo.done < g_undo.records.size(); }

bool UndoMemoChange(int* currentCell) {
    if (!CanUndoMemo()) return false;
    const std::deque<UndoRecord>& records = g_undo.records;
    size_t i = g_undo.done;
    int group = records[i - 1].group;
    g_undo.groupStep = -1;
    bool ok = true;
    // Newest first, down to the first record of the group.
    for (; i > 0 && records[i - 1].group == group; --i) ok = Replay(records[i - 1], true, currentCell) && ok;
    // Replays write whole values, so after a failure the same undo can simply be tried again.
    if (ok) g_undo.done = i;
    g_undo.groupStep = 1;
    return ok;
}

bool RedoMemoChange(int* currentCell) {
    if (!CanRedoMemo()) return false;
    const std::deque<UndoRecord>& records = g_undo.records;
    // The group just newer than the position, replayed newest first as well.
    size_t end = g_undo.done;
    int group = records[end].group;
    while (end < records.size() && records[end].group == group) ++end;
    g_undo.groupStep = -1;
    bool ok = true;
    for (size_t i = end; i > g_undo.done; --i) ok = Replay(records[i - 1], false, currentCell) && ok;
    if (ok) g_undo.done = end;
    g_undo.groupStep = 1;
    return ok;
}
