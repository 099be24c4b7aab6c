#include "memo/working_text.h"

WorkingText g_work;
MemoEditState g_edit = {kCellNone, kCellNone, 0, 0, 0, 0, false};

void SetWorkingText(std::string_view text) {
    std::string fresh(text);  // copied out first: text may point into the working text
    g_work.text.swap(fresh);
}

void PutWorkingByte(int p, char c) {
    if (p < 0) return;
    size_t at = static_cast<size_t>(p);
    std::string& t = g_work.text;
    if (at > t.size()) return;
    if (c == 0) t.resize(at);
    else if (at == t.size()) t.push_back(c);
    else t[at] = c;
}

const char* WorkingTextOrEmpty() { return g_work.text.c_str(); }

void ReleaseWorkingText() {
    g_work = WorkingText{};
    g_edit = MemoEditState{kCellNone, kCellNone, 0, 0, 0, 0, false};
}

bool IsEditingDate(int year, int month, int day) {
    return IsDayCell(g_edit.editingCell) && g_edit.year == year && g_edit.month == month && g_edit.day == day;
}

bool IsEditingFreeMemo() { return g_edit.editingCell == kCellMemoBox; }

void BeginEditing(int cell, int year, int month, int day) {
    g_edit.editingCell = cell;
    g_edit.year = year;
    g_edit.month = month;
    g_edit.day = day;
}

void EndEditing() {
    g_edit.editingCell = kCellNone;
    g_edit.year = g_edit.month = g_edit.day = 0;
}
