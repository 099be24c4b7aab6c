#include "app/commands.h"

#include <array>
#include <utility>

#include "app/interaction.h"
#include "app/memo_commands.h"
#include "app/startup.h"
#include "base/cell_ids.h"
#include "calendar/civil_date.h"
#include "calendar/today.h"
#include "config/app_state.h"
#include "config/profile_access.h"
#include "config/settings.h"
#include "memo/clear_month.h"
#include "memo/countdown.h"
#include "memo/phrases.h"
#include "resources/resource.h"
#include "view/view_layout.h"

namespace {
Settings& S() { return g_app.settings; }

bool Fits(int months, int days) { return NavigationStepFits(S(), g_today.date, g_nav, months, days); }
// A step past the calendar's years is not asked for: nothing is rebuilt.
bool MonthRequest(int months) {
    if (!Fits(months, 0)) return false;
    g_nav.monthRequest = months;
    return true;
}
bool RowRequest(int days) {
    if (!Fits(0, days)) return false;
    g_nav.rowScrollRequest = days;
    return true;
}

bool ThisMonth(CommandHost& host) {
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
    return true;
}

bool ToggleTopmost(CommandHost& host) {
    g_interaction.alwaysOnTop = !g_interaction.alwaysOnTop;
    host.SetTopmost(g_interaction.alwaysOnTop);
    WriteConfigInt("ZORDER", g_interaction.alwaysOnTop ? kZOrderTopmost : kZOrderUnchanged);
    return true;
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
    } else if (IsCountdownCell(cell) && CellIndex(cell) < static_cast<int>(g_view.countdowns.size())) {
        *x = g_view.countdowns[CellIndex(cell)].left;
        *y = g_view.countdowns[CellIndex(cell)].top;
    } else {
        return false;
    }
    return true;
}

bool Copy(CommandHost& host) {
    std::string text = MemoOfCell(g_interaction.currentCell);
    return !text.empty() && host.PutOnClipboard(text);  // an empty memo leaves the clipboard alone
}

// A countdown line is deleted as its dialog deletes it; any other cell's memo is emptied.
bool Delete() { return DeleteCellMemo(&g_interaction.currentCell); }

// A countdown line has no text to copy and is deleted all the same; a memo whose text did not
// reach the clipboard is kept.
bool Cut(CommandHost& host) {
    if (IsCountdownCell(g_interaction.currentCell)) return Delete();
    return Copy(host) && Delete();
}

bool Paste(CommandHost& host, InsertMode mode) {
    std::string text;
    if (!host.ClipboardText(&text)) return false;
    InsertTextIntoCell(g_interaction.currentCell, text.c_str(), mode);
    return true;
}

bool PastePhrase(int slot) {
    std::string phrase = ReadPhrase(slot);
    if (phrase.empty()) return false;
    InsertTextIntoCell(g_interaction.currentCell, phrase.c_str(), kInsertDirectly);
    return true;
}

bool ClearShownMonth(CommandHost& host) {
    int year = g_view.displayedMonth.tm_year + 1900, month = g_view.displayedMonth.tm_mon + 1;
    if (!host.Confirm(ClearMonthQuestion(year, month), kClearMonthCaption)) return false;
    ClearMonthMemos(year, month);
    return true;
}

bool AtThisMonth(const MenuState& s) { return !s.awayFromThisMonth; }
bool NoMonthBack(const MenuState& s) { return !s.reach.monthBack; }
bool NoMonthForward(const MenuState& s) { return !s.reach.monthForward; }
bool NoYearBack(const MenuState& s) { return !s.reach.yearBack; }
bool NoYearForward(const MenuState& s) { return !s.reach.yearForward; }
bool NoRowBack(const MenuState& s) { return !s.reach.rowBack; }
bool NoRowForward(const MenuState& s) { return !s.reach.rowForward; }
bool NoUnitBack(const MenuState& s) { return !s.reach.unitBack; }
bool NoUnitForward(const MenuState& s) { return !s.reach.unitForward; }
bool ButtonsShownState(const MenuState& s) { return s.buttonsShown; }
bool TopmostState(const MenuState& s) { return s.alwaysOnTop; }
bool NoUndo(const MenuState& s) { return !s.canUndo; }
bool NoRedo(const MenuState& s) { return !s.canRedo; }
// The memo menu's own rules: a countdown line's menu keeps "消去" for deleting the line.
bool NoMemo(const MenuState& s) { return s.menu == IDR_MEMO_MENU && !s.targetHasMemo; }
bool NoClipboardText(const MenuState& s) { return s.menu == IDR_MEMO_MENU && !s.clipboardHasText; }

constexpr int R = kAfterRebuild, RS = kAfterRebuild | kAfterSaveView, RT = kAfterRebuild | kAfterTrayTip;

// Each command once: what it does, what follows when it did something, and the rules that gray
// or check its menu items.
const CommandSpec kCommands[] = {
    {IDM_EXIT, 0, [](CommandHost& h) { h.DestroyWindow(); return true; }, nullptr, nullptr},
    {IDM_SHOW, 0, [](CommandHost& h) { h.ShowWindow(); return true; }, nullptr, nullptr},
    {IDM_HIDE, 0, [](CommandHost& h) { h.HideWindow(); return true; }, nullptr, nullptr},
    {IDM_TOGGLE_BUTTONS, RS, [](CommandHost&) { S().btnSize ^= kButtonsHidden; return true; }, nullptr, ButtonsShownState},
    {IDM_TOGGLE_TOPMOST, R, ToggleTopmost, nullptr, TopmostState},
    {IDM_PREV_MONTH, R, [](CommandHost&) { return MonthRequest(-1); }, NoMonthBack, nullptr},
    {IDM_NEXT_MONTH, R, [](CommandHost&) { return MonthRequest(1); }, NoMonthForward, nullptr},
    {IDM_THIS_MONTH, R, ThisMonth, AtThisMonth, nullptr},
    {IDM_PREV_YEAR, R, [](CommandHost&) { return MonthRequest(-12); }, NoYearBack, nullptr},
    {IDM_NEXT_YEAR, R, [](CommandHost&) { return MonthRequest(12); }, NoYearForward, nullptr},
    {IDM_OPEN_WINDOW_MENU, 0, [](CommandHost& h) { h.RightClickAt(5, 5); return true; }, nullptr, nullptr},
    {IDM_OPEN_CELL_MENU, 0,
     [](CommandHost& h) {
         int x, y;
         if (!CurrentCellCorner(&x, &y)) return false;
         h.RightClickAt(x + 5, y + 5);
         return true;
     },
     nullptr, nullptr},
    {IDM_TOGGLE_CALENDAR_TYPE, RS, [](CommandHost&) { S().calendarType = ShowsList(S()) ? CalendarType::kTable : CalendarType::kList; return true; }, nullptr, nullptr},
    {IDM_TOGGLE_TODAY_TOP, RS, [](CommandHost&) { S().listTodayTop = !S().listTodayTop; return true; }, nullptr, nullptr},
    {IDM_TOGGLE_ROW_EXTEND, RS, [](CommandHost&) { S().cellRowExtend = !S().cellRowExtend; return true; }, nullptr, nullptr},
    {IDM_TOGGLE_ALARM, RS, [](CommandHost&) { S().alarm = !S().alarm; return true; }, nullptr, nullptr},
    {IDM_SCROLL_ROW_BACK, R, [](CommandHost&) { return RowRequest(-1); }, NoRowBack, nullptr},
    {IDM_SCROLL_ROW_FORWARD, R, [](CommandHost&) { return RowRequest(1); }, NoRowForward, nullptr},
    {IDM_SCROLL_UNIT_BACK, R, [](CommandHost&) { return RowRequest(-S().dayscrollUnit); }, NoUnitBack, nullptr},
    {IDM_SCROLL_UNIT_FORWARD, R, [](CommandHost&) { return RowRequest(S().dayscrollUnit); }, NoUnitForward,
     nullptr},
    {IDM_MEMO_CUT, RT, Cut, NoMemo, nullptr},
    {IDM_MEMO_COPY, 0, Copy, NoMemo, nullptr},
    {IDM_MEMO_DELETE, RT, [](CommandHost&) { return Delete(); }, NoMemo, nullptr},
    {IDM_MEMO_PASTE, RT, [](CommandHost& h) { return Paste(h, kInsertReplace); }, NoClipboardText, nullptr},
    {IDM_MEMO_APPEND_PASTE, RT, [](CommandHost& h) { return Paste(h, kInsertNewLine); }, NoClipboardText, nullptr},
    {IDM_CLEAR_MONTH, RT, ClearShownMonth, nullptr, nullptr},
    {IDM_MEMO_INPUT, R, [](CommandHost& h) { return h.OpenMemoDialog(); }, nullptr, nullptr},
    {IDM_COUNTDOWN_INPUT, R, [](CommandHost& h) { return h.OpenCountdownDialog(); }, nullptr, nullptr},
    {IDM_PHRASES, 0, [](CommandHost& h) { return h.OpenToolDialog(IDM_PHRASES); }, nullptr, nullptr},
    {IDM_TAGS, R, [](CommandHost& h) { return h.OpenToolDialog(IDM_TAGS); }, nullptr, nullptr},
    {IDM_SETTINGS, 0, [](CommandHost& h) { return h.OpenToolDialog(IDM_SETTINGS); }, nullptr, nullptr},
    {IDM_SEARCH, 0, [](CommandHost& h) { return h.OpenToolDialog(IDM_SEARCH); }, nullptr, nullptr},
    {IDM_HOLIDAYS, R, [](CommandHost& h) { return h.OpenToolDialog(IDM_HOLIDAYS); }, nullptr, nullptr},
    // The lines it brings are shown when the worker reports, not now.
    {IDM_SYNC_NOW, 0, [](CommandHost& h) { return h.SyncNow(); }, nullptr, nullptr},
    {IDM_UNDO, RT, [](CommandHost&) { return CanUndoMemo() && UndoMemoChange(&g_interaction.currentCell); }, NoUndo,
     nullptr},
    {IDM_REDO, RT, [](CommandHost&) { return CanRedoMemo() && RedoMemoChange(&g_interaction.currentCell); }, NoRedo,
     nullptr},
};

// The sixteen fixed-phrase pastes share one row shape.
template <int Slot>
bool PastePhraseSlot(CommandHost&) {
    return PastePhrase(Slot);
}
template <int... Slots>
constexpr auto PhraseRows(std::integer_sequence<int, Slots...>) {
    return std::array<CommandSpec, sizeof...(Slots)>{
        CommandSpec{IDM_PASTE_PHRASE_1 + Slots, RT, PastePhraseSlot<Slots>, nullptr, nullptr}...};
}
constexpr auto kPhraseCommands = PhraseRows(std::make_integer_sequence<int, kPhraseCount>());
}  // namespace

NavigationReach NavigationReachNow() {
    int unit = S().dayscrollUnit;
    return NavigationReach{Fits(-1, 0), Fits(1, 0), Fits(-12, 0), Fits(12, 0),
                           Fits(0, -1), Fits(0, 1), Fits(0, -unit), Fits(0, unit)};
}

const CommandSpec* FindCommand(int id) {
    for (const CommandSpec& c : kCommands)
        if (c.id == id) return &c;
    for (const CommandSpec& c : kPhraseCommands)
        if (c.id == id) return &c;
    return nullptr;
}

bool RunCommand(int id, CommandHost& host) {
    const CommandSpec* c = FindCommand(id);
    if (!c || !c->run || !c->run(host)) return false;
    if (c->after & kAfterRebuild) host.RebuildAndResize();
    if (c->after & kAfterSaveView) WriteViewSettings(g_app);
    if ((c->after & kAfterTrayTip) && S().useTasktray) host.RefreshTray();
    return true;
}
