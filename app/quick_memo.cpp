#include "app/quick_memo.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "app/memo_commands.h"
#include "base/cell_ids.h"
#include "base/sjis.h"
#include "memo/memo_store.h"
#include "memo/working_text.h"

namespace {
void Close(QuickMemoHost& host) {
    EndEditing();
    g_edit.outerFrame = false;
    host.RebuildAndResize();
}
}  // namespace

bool QuickMemoOpen() { return g_edit.editingCell != kCellNone && g_edit.outerFrame; }

void QuickMemoType(int cell, const std::string& typed, QuickMemoHost& host) {
    int year = 0, month = 0, day = 0;
    // A day outside the calendar's years holds no memo: nothing typed there could be stored.
    if (!DateOfCell(cell, &year, &month, &day) && cell != kCellMemoBox) return;
    bool opening = !QuickMemoOpen();
    // Blanks do not open a quick memo; what was typed behind them in the same burst does.
    std::string_view chars = typed;
    if (opening) chars.remove_prefix(std::min(chars.size(), chars.find_first_not_of(' ')));
    if (chars.empty()) return;
    if (opening) {
        std::string text = MemoOfCell(cell);
        if (!text.empty()) text += "\r\n";
        SetWorkingText(text);
        g_edit.startPos = static_cast<int>(text.size());
    }
    int length = static_cast<int>(g_work.text.size());
    for (char c : chars) PutWorkingByte(length++, c);
    PutWorkingByte(length, 0);
    if (opening) {
        BeginEditing(cell, year, month, day);
        g_edit.outerFrame = true;
        host.RebuildAndResize();  // the cell now shows the text being typed
    }
    host.Select(cell, false);
}

void QuickMemoBackspace(int currentCell, QuickMemoHost& host) {
    if (!QuickMemoOpen()) return;
    const char* text = WorkingTextOrEmpty();
    int length = static_cast<int>(std::strlen(text));
    if (length <= g_edit.startPos) return;
    // From the start of the typed part, so that a double-byte character goes whole.
    int last = g_edit.startPos;
    for (int i = g_edit.startPos; i < length; i += SjisCharLength(text + i)) last = i;
    PutWorkingByte(last, 0);
    if (last <= g_edit.startPos) {
        Close(host);
        host.Select(currentCell, true);
    } else {
        host.Select(currentCell, false);
    }
}

void QuickMemoEscape(QuickMemoHost& host) {
    if (QuickMemoOpen()) Close(host);
    host.Select(kCellNone, false);
}

void QuickMemoFollowStored() {
    if (!QuickMemoOpen()) return;
    const char* text = WorkingTextOrEmpty();
    size_t length = std::strlen(text), start = static_cast<size_t>(g_edit.startPos);
    std::string typed = start < length ? std::string(text + start) : std::string();
    bool day = IsDayCell(g_edit.editingCell);
    std::string stored = ReadMemo(day ? g_edit.year : 0, day ? g_edit.month : 0, day ? g_edit.day : 0);
    if (!stored.empty()) stored += "\r\n";
    g_edit.startPos = static_cast<int>(stored.size());
    stored += typed;
    SetWorkingText(stored);
}

bool QuickMemoCommit(QuickMemoHost& host) {
    if (!QuickMemoOpen()) return true;
    if (!CommitToCell(g_edit.editingCell)) return false;
    Close(host);
    host.RefreshTray();
    return true;
}
