#include "app/pointer.h"

#include "base/cell_ids.h"
#include "memo/countdown.h"
#include "resources/resource.h"
#include "view/view_layout.h"

namespace {
bool Inside(int x, int y, int left, int top, int right, int bottom) {
    return x >= left && x < right && y >= top && y < bottom;
}
}  // namespace

HitArea HitTestWindow(int x, int y, const HitInputs& in) {
    if (in.painted && ButtonAt(x, y, *in.painted) >= 0) return kHitClient;
    int m = in.frameMargin;
    if (in.keepWinHeight) {
        if (y <= m) return kHitTop;
        if (y >= in.clientHeight - m) return kHitBottom;
    }
    if (x <= m) return kHitLeft;
    if (x >= in.clientWidth - m) return kHitRight;
    return y <= in.titleHeight ? kHitCaption : kHitClient;
}

int ButtonAt(int x, int y, const PaintResult& painted) {
    if (!painted.buttonsShown) return -1;
    for (int i = 0; i < kButtonCount; ++i) {
        const ButtonRect& b = painted.buttons[i];
        if (Inside(x, y, b.left, b.top, b.right, b.bottom)) return i;
    }
    return -1;
}

int DayCellAt(int x, int y) {
    for (size_t i = 0; i < g_view.cells.size() && static_cast<int>(i) <= kMaxCellIndex; ++i) {
        const CellRect& c = g_view.cells[i];
        if (Inside(x, y, c.left, c.top, c.right, c.bottom)) return kCellDayBase + static_cast<int>(i);
    }
    return kCellNone;
}

int CountdownLineAt(int x, int y) {
    for (size_t j = 0; j < g_view.countdowns.size() && static_cast<int>(j) <= kMaxCellIndex; ++j) {
        const CountdownLine& c = g_view.countdowns[j];
        if (Inside(x, y, c.left, c.top, c.right, c.bottom)) return kCellCountdownBase + static_cast<int>(j);
    }
    return kCellNone;
}

bool InMemoBox(int x, int y) {
    const CellRect& b = g_view.memoBox;
    return Inside(x, y, b.left, b.top, b.right, b.bottom);
}

bool CellBounds(int cell, CellRect* out) {
    if (IsDayCell(cell) && CellIndex(cell) < static_cast<int>(g_view.cells.size())) {
        *out = g_view.cells[CellIndex(cell)];
        out->right += 1;  // a day cell is drawn one pixel into its right neighbour
    } else if (cell == kCellMemoBox) {
        *out = g_view.memoBox;
    } else if (IsCountdownCell(cell) && CellIndex(cell) < static_cast<int>(g_view.countdowns.size())) {
        const CountdownLine& c = g_view.countdowns[CellIndex(cell)];
        *out = {c.left, c.top, c.right, c.bottom + 1};
    } else {
        return false;
    }
    return true;
}

MenuChoice ChooseMenu(int x, int y, int titleHeight, int headHeight) {
    MenuChoice choice = {0, kCellNone};
    if (y > titleHeight + headHeight) {
        if (InMemoBox(x, y)) choice = {IDR_MEMO_MENU, kCellMemoBox};
        else if (int cell = DayCellAt(x, y)) choice = {IDR_MEMO_MENU, cell};
    } else {
        choice = {IDR_WINDOW_MENU, kCellNone};
    }
    if (choice.menu != IDR_MEMO_MENU)
        if (int line = CountdownLineAt(x, y)) choice = {IDR_COUNTDOWN_MENU, line};
    return choice;
}
