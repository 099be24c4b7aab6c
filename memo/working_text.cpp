#include "memo/working_text.h"

#include <cstdlib>
#include <cstring>

WorkingText g_work = {nullptr, 0};
MemoEditState g_edit = {kCellNone, kCellNone, 0, 0, 0, 0, false};

namespace {
constexpr int kStep = 256;
}  // namespace

void SetWorkingText(const char* text, int n) {
    if (n < 0) n = 0;
    int capacity = (n / kStep + 1) * kStep;
    if (capacity != g_work.capacity || !g_work.text) {
        // The caller may hand in the buffer itself: copy out before it is released.
        char* fresh = static_cast<char*>(std::malloc(static_cast<size_t>(capacity)));
        if (n) std::memcpy(fresh, text, static_cast<size_t>(n));
        std::free(g_work.text);
        g_work.text = fresh;
        g_work.capacity = capacity;
    } else if (n && text != g_work.text) {
        std::memmove(g_work.text, text, static_cast<size_t>(n));
    }
    g_work.text[n] = 0;
}

void SetWorkingText(const char* text) {
    SetWorkingText(text ? text : "", text ? static_cast<int>(std::strlen(text)) : 0);
}

void PutWorkingByte(int p, char c) {
    if (p < 0) return;
    if (p >= g_work.capacity || !g_work.text) {
        int capacity = g_work.capacity + ((p - g_work.capacity + kStep) / kStep) * kStep;
        char* grown = static_cast<char*>(std::realloc(g_work.text, static_cast<size_t>(capacity)));
        if (!g_work.text) grown[0] = 0;
        g_work.text = grown;
        g_work.capacity = capacity;
    }
    g_work.text[p] = c;
}

const char* WorkingTextOrEmpty() { return g_work.text ? g_work.text : ""; }

void ReleaseWorkingText() {
    std::free(g_work.text);
    g_work = WorkingText{nullptr, 0};
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
