#include "app/commands.h"

#include "app/interaction.h"
#include "base/cell_ids.h"
#include "calendar/civil_date.h"
#include "calendar/today.h"
#include "config/app_state.h"
#include "config/profile_access.h"
#include "config/settings.h"
#include "memo/countdown.h"
#include "resources/resource.h"
#include "view/view_layout.h"

namespace {
void MonthRequest(int months) { g_nav.monthRequest = months; }
void RowRequest(int days) { g_nav.rowScrollRequest = days; }

void ThisMonth(CommandHost& host) {
    if (g_nav.monthOffset != 0) {
        g_nav.monthOffset = 0;
    } else {
        // Today's cell, counted from the first day on show before anything moves.
        int index = g_today.dayNumber - LocalDayNumber(g_view.firstDay);
        if (index >= 0 && index < static_cast<int>(g_view.cells.size()) && index <= kMaxCellIndex) {
            g_interaction.currentCell = kCellDayBase + index;
            host.Select(g_interaction.currentCell, true);
        }
    }
    g_nav.scrolled = 0;
    g_nav.dayOffset = 0;
}

void ToggleTopmost(CommandHost& host) {
    g_interaction.alwaysOnTop = !g_interaction.alwaysOnTop;
    host.SetTopmost(g_interaction.alwaysOnTop);
    WriteConfigInt("ZORDER", g_interaction.alwaysOnTop ? 1 : 0);
}

// The top-left corner of the current cell's rectangle, or false without one.
bool CurrentCellCorner(int* x, int* y) {
    int cell = g_interaction.currentCell;
    if (IsDayCell(cell) && CellIndex(cell) < static_cast<int>(g_view.cells.size())) {
        *x = g_view.cells[CellIndex(cell)].left;
        *y = g_view.cells[CellIndex(cell)].top;
    } else if (cell == kCellMemoBox) {
        *x = g_view.memoBox.left;
        *y = g_view.memoBox.top;
    } else if (IsCountdownCell(cell) && CellIndex(cell) < CountdownCount()) {
        *x = g_countdowns.memos[CellIndex(cell)].left;
        *y = g_countdowns.memos[CellIndex(cell)].top;
    } else {
        return false;
    }
    return true;
}

bool AtThisMonth(const MenuState& s) { return !s.awayFromThisMonth; }
bool ButtonsShownState(const MenuState& s) { return s.buttonsShown; }
bool TopmostState(const MenuState& s) { return s.alwaysOnTop; }
bool NoUndo(const MenuState& s) { return !s.canUndo; }
bool NoRedo(const MenuState& s) { return !s.canRedo; }
bool NoMemo(const MenuState& s) { return !s.targetHasMemo; }
bool NoClipboardText(const MenuState& s) { return !s.clipboardHasText; }

Settings& S() { return g_app.settings; }

constexpr int R = kAfterRebuild, RS = kAfterRebuild | kAfterSaveView;

// Commands whose dialogs and memo operations are not built yet have a row for their menu states
// and no action.
const CommandSpec kCommands[] = {
    {IDM_EXIT, 0, [](CommandHost& h) { h.DestroyWindow(); }, nullptr, nullptr},
    {IDM_SHOW, 0, [](CommandHost& h) { h.ShowWindow(); }, nullptr, nullptr},
    {IDM_HIDE, 0, [](CommandHost& h) { h.HideWindow(); }, nullptr, nullptr},
    {IDM_TOGGLE_BUTTONS, RS, [](CommandHost&) { S().btnSize ^= 2; }, nullptr, ButtonsShownState},
    {IDM_TOGGLE_TOPMOST, R, ToggleTopmost, nullptr, TopmostState},
    {IDM_PREV_MONTH, R, [](CommandHost&) { MonthRequest(-1); }, nullptr, nullptr},
    {IDM_NEXT_MONTH, R, [](CommandHost&) { MonthRequest(1); }, nullptr, nullptr},
    {IDM_THIS_MONTH, R, ThisMonth, AtThisMonth, nullptr},
    {IDM_PREV_YEAR, R, [](CommandHost&) { MonthRequest(-12); }, nullptr, nullptr},
    {IDM_NEXT_YEAR, R, [](CommandHost&) { MonthRequest(12); }, nullptr, nullptr},
    {IDM_OPEN_WINDOW_MENU, 0, [](CommandHost& h) { h.RightClickAt(5, 5); }, nullptr, nullptr},
    {IDM_OPEN_CELL_MENU, 0,
     [](CommandHost& h) {
         int x, y;
         if (CurrentCellCorner(&x, &y)) h.RightClickAt(x + 5, y + 5);
     },
     nullptr, nullptr},
    {IDM_TOGGLE_CALENDAR_TYPE, RS, [](CommandHost&) { S().calendarType = 1 - S().calendarType; }, nullptr, nullptr},
    {IDM_TOGGLE_TODAY_TOP, RS, [](CommandHost&) { S().listTodayTop = !S().listTodayTop; }, nullptr, nullptr},
    {IDM_TOGGLE_ROW_EXTEND, RS, [](CommandHost&) { S().cellRowExtend = !S().cellRowExtend; }, nullptr, nullptr},
    {IDM_TOGGLE_ALARM, RS, [](CommandHost&) { S().alarm = !S().alarm; }, nullptr, nullptr},
    {IDM_SCROLL_ROW_BACK, R, [](CommandHost&) { RowRequest(-1); }, nullptr, nullptr},
    {IDM_SCROLL_ROW_FORWARD, R, [](CommandHost&) { RowRequest(1); }, nullptr, nullptr},
    {IDM_SCROLL_UNIT_BACK, R, [](CommandHost&) { RowRequest(-S().dayscrollUnit); }, nullptr, nullptr},
    {IDM_SCROLL_UNIT_FORWARD, R, [](CommandHost&) { RowRequest(S().dayscrollUnit); }, nullptr, nullptr},
    {IDM_MEMO_CUT, 0, nullptr, NoMemo, nullptr},
    {IDM_MEMO_COPY, 0, nullptr, NoMemo, nullptr},
    {IDM_MEMO_DELETE, 0, nullptr, NoMemo, nullptr},
    {IDM_MEMO_PASTE, 0, nullptr, NoClipboardText, nullptr},
    {IDM_MEMO_APPEND_PASTE, 0, nullptr, NoClipboardText, nullptr},
    {IDM_UNDO, 0, nullptr, NoUndo, nullptr},
    {IDM_REDO, 0, nullptr, NoRedo, nullptr},
};
}  // namespace

const CommandSpec* FindCommand(int id) {
    for (const CommandSpec& c : kCommands)
        if (c.id == id) return &c;
    return nullptr;
}

bool RunCommand(int id, CommandHost& host) {
    const CommandSpec* c = FindCommand(id);
    if (!c || !c->run) return false;
    c->run(host);
    if (c->after & kAfterRebuild) host.RebuildAndResize();
    if (c->after & kAfterSaveView) WriteViewSettings(g_app);
    return true;
}
