// The window's decisions without the window: hit testing, the button and cell under the pointer,
// which menu a right click opens, the keyboard cursor ring, the commands and their after-effects,
// the menus' filled-in texts, the wheel queue and hand-edited bindings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/cursor_ring.h"
#include "app/interaction.h"
#include "app/menu_text.h"
#include "app/pointer.h"
#include "app/startup.h"
#include "base/cell_ids.h"
#include "calendar/civil_date.h"
#include "calendar/today.h"
#include "config/operations.h"
#include "config/settings.h"
#include "memo/countdown.h"
#include "memo/memo_store.h"
#include "resources/resource.h"
#include "tests/test_dates.h"
#include "tests/view/layout_files.h"

namespace {
struct FakeHost : CommandHost {
    std::vector<std::string> calls;
    void DestroyWindow() override { calls.push_back("destroy"); }
    void ShowWindow() override { calls.push_back("show"); }
    void HideWindow() override { calls.push_back("hide"); }
    void SetTopmost(bool on) override { calls.push_back(on ? "topmost" : "not topmost"); }
    void RebuildAndResize() override {
        calls.push_back("rebuild");
        KeepLayout(BuildLayout(g_app, g_nav, *in));
    }
    void Select(int cell, bool timeout) override { calls.push_back("select " + std::to_string(cell) + (timeout ? " t" : "")); }
    void RightClickAt(int x, int y) override { calls.push_back("right " + std::to_string(x) + "," + std::to_string(y)); }
    bool PutOnClipboard(const std::string& text) override {
        if (clipboardBusy) return false;
        clipboard = text;
        return true;
    }
    bool ClipboardText(std::string* text) override {
        *text = clipboard;
        return !clipboard.empty();
    }
    bool Confirm(const std::string& text, const char* caption) override {
        calls.push_back(text + " / " + caption);
        return answer;
    }
    void RefreshTray() override { calls.push_back("tray"); }
    bool OpenMemoDialog() override {
        calls.push_back("memo dialog");
        return true;
    }
    bool OpenCountdownDialog() override {
        calls.push_back("countdown dialog");
        return true;
    }
    bool OpenToolDialog(int command) override {
        calls.push_back("tool dialog " + std::to_string(command));
        return true;
    }
    bool SyncNow() override {
        calls.push_back("sync");
        return true;
    }
    LayoutInputs* in = nullptr;
    std::string clipboard;
    bool answer = true;
    bool clipboardBusy = false;
};

class WindowDecisions : public LayoutFiles {
  protected:
    void SetUp() override {
        LayoutFiles::SetUp();
        g_app = st;
        in.now = Date(2026, 7, 15);
        KeepLayout(BuildLayout(g_app, g_nav, in));
        host.in = &in;
    }
    FakeHost host;
};

TEST_F(WindowDecisions, HitTestingAndWhatIsUnderThePointer) {
    PaintResult painted = {};
    painted.buttonsShown = true;
    painted.buttons[0] = {430, 2, 446, 18};
    HitInputs hit = {&painted, false, 449, 500, 4, 19};
    EXPECT_EQ(HitTestWindow(435, 5, hit), kHitClient);  // a button before the title band
    EXPECT_EQ(HitTestWindow(100, 5, hit), kHitCaption);
    EXPECT_EQ(HitTestWindow(2, 100, hit), kHitLeft);
    EXPECT_EQ(HitTestWindow(447, 100, hit), kHitRight);
    EXPECT_EQ(HitTestWindow(100, 2, hit), kHitCaption);  // the top only with a kept height
    hit.keepWinHeight = true;
    EXPECT_EQ(HitTestWindow(100, 2, hit), kHitTop);
    EXPECT_EQ(HitTestWindow(100, 498, hit), kHitBottom);
    hit.painted = nullptr;  // buttons hidden: the whole band drags
    hit.keepWinHeight = false;
    EXPECT_EQ(HitTestWindow(435, 5, hit), kHitCaption);
    EXPECT_EQ(ButtonAt(435, 5, painted), 0);
    EXPECT_EQ(ButtonAt(100, 5, painted), -1);

    const CellRect& c = g_view.cells[17];
    EXPECT_EQ(DayCellAt(c.left + 3, c.top + 3), kCellDayBase + 17);
    MenuChoice cell = ChooseMenu(c.left + 3, c.top + 3, g_app.layout.titleHeight, g_app.layout.headHeight);
    EXPECT_EQ(cell.menu, IDR_MEMO_MENU);
    EXPECT_EQ(cell.target, kCellDayBase + 17);
    MenuChoice title = ChooseMenu(50, 3, g_app.layout.titleHeight, g_app.layout.headHeight);
    EXPECT_EQ(title.menu, IDR_WINDOW_MENU);
    EXPECT_EQ(title.target, kCellNone);
    const CellRect& box = g_view.memoBox;
    EXPECT_EQ(ChooseMenu(box.left + 3, box.top + 3, g_app.layout.titleHeight, g_app.layout.headHeight).target,
              kCellMemoBox);
}

TEST_F(WindowDecisions, KeyboardCursorRing) {
    CursorRing table = {false, 35, 2, 0, 2};
    // The memo box without rows: up from it goes to day cell 35 - 7 + 2.
    EXPECT_EQ(MoveCursor(kCellMemoBox, IDM_CURSOR_UP, table), kCellDayBase + 30);
    EXPECT_EQ(MoveCursor(kCellDayBase + 33, IDM_CURSOR_DOWN, table), kCellCountdownBase);  // box skipped
    EXPECT_EQ(MoveCursor(kCellCountdownBase + 1, IDM_CURSOR_DOWN, table), kCellDayBase + 2);  // last line: column
    EXPECT_EQ(MoveCursor(kCellDayBase + 3, IDM_CURSOR_UP, table), kCellCountdownBase + 1);    // above row 0
    EXPECT_EQ(MoveCursor(kCellDayBase + 10, IDM_CURSOR_PREV, table), kCellDayBase + 9);
    EXPECT_EQ(MoveCursor(kCellNone, IDM_CURSOR_NEXT, table), kCellCountdownBase);
    CursorRing list = {true, 31, 2, 4, 0};
    EXPECT_EQ(MoveCursor(kCellCountdownBase + 1, IDM_CURSOR_DOWN, list), kCellDayBase);
    EXPECT_EQ(MoveCursor(kCellDayBase + 30, IDM_CURSOR_DOWN, list), kCellMemoBox);  // the box has rows
    EXPECT_EQ(MoveCursor(kCellMemoBox, IDM_CURSOR_UP, list), kCellDayBase + 30);
    EXPECT_EQ(MoveCursor(kCellDayBase + 5, IDM_MEMO_INPUT, list), kCellDayBase + 5);
}

// The sync runs on the worker: the command only starts it; the month is shown again when it reports.
TEST_F(WindowDecisions, SyncNowStartsTheSyncAndNothingElse) {
    EXPECT_TRUE(RunCommand(IDM_SYNC_NOW, host));
    EXPECT_EQ(host.calls, std::vector<std::string>{"sync"});
}

TEST_F(WindowDecisions, CommandsAndTheirAfterEffects) {
    EXPECT_TRUE(RunCommand(IDM_NEXT_MONTH, host));
    EXPECT_EQ(host.calls.back(), "rebuild");
    EXPECT_EQ(g_view.displayedMonth.tm_mon, 7);  // August
    EXPECT_TRUE(RunCommand(IDM_NEXT_YEAR, host));
    EXPECT_EQ(g_view.displayedMonth.tm_year + 1900, 2027);
    // Back to this month: the first press only returns; the second selects today's cell.
    host.calls.clear();
    EXPECT_TRUE(RunCommand(IDM_THIS_MONTH, host));
    EXPECT_EQ(g_view.displayedMonth.tm_mon, 6);
    EXPECT_EQ(host.calls, std::vector<std::string>{"rebuild"});
    EXPECT_TRUE(RunCommand(IDM_THIS_MONTH, host));
    int today = kCellDayBase + DayNumberOf(2026, 7, 15) - LocalDayNumber(g_view.firstDay);
    EXPECT_EQ(g_interaction.currentCell, today);
    EXPECT_EQ(host.calls[1], "select " + std::to_string(today) + " t");
    // Toggles: the buttons and the form are written back (S); always on top writes ZORDER.
    host.calls.clear();
    g_app.settings.btnSize = 1;
    EXPECT_TRUE(RunCommand(IDM_TOGGLE_BUTTONS, host));
    EXPECT_EQ(g_app.settings.btnSize, 3);
    EXPECT_EQ(ReadConfigInt("BTN_SIZE", -1), 3);
    EXPECT_TRUE(RunCommand(IDM_TOGGLE_TOPMOST, host));
    EXPECT_EQ(host.calls[1], "topmost");
    EXPECT_EQ(ReadConfigInt("ZORDER", -1), 1);
    EXPECT_TRUE(RunCommand(IDM_TOGGLE_CALENDAR_TYPE, host));
    EXPECT_EQ(ReadConfigInt("CALENDAR_TYPE", -1), 1);
    EXPECT_EQ(g_view.cells.size(), 31u);
    g_interaction.currentCell = kCellMemoBox;
    EXPECT_TRUE(RunCommand(IDM_OPEN_CELL_MENU, host));
    EXPECT_EQ(host.calls.back(), "right " + std::to_string(g_view.memoBox.left + 5) + "," +
                                     std::to_string(g_view.memoBox.top + 5));
    // The settings open their dialog; unknown commands do nothing.
    EXPECT_TRUE(RunCommand(IDM_SETTINGS, host));
    EXPECT_EQ(host.calls.back(), "tool dialog " + std::to_string(IDM_SETTINGS));
    EXPECT_FALSE(RunCommand(12345, host));
    MenuState away = {};
    EXPECT_TRUE(FindCommand(IDM_THIS_MONTH)->grayed(away));
    away.awayFromThisMonth = true;
    EXPECT_FALSE(FindCommand(IDM_THIS_MONTH)->grayed(away));
}

// At the ends of the calendar's years the steps that would leave them do nothing (no rebuild, the
// view where it was) and their menu items are grayed; the steps back stay.
TEST_F(WindowDecisions, StepsPastTheCalendarsYearsDoNothing) {
    auto grayed = [](int command) {
        MenuState state = {};
        state.reach = NavigationReachNow();
        const CommandSpec* c = FindCommand(command);
        return c->grayed && c->grayed(state);
    };
    EXPECT_FALSE(grayed(IDM_NEXT_MONTH));
    g_nav.monthOffset = (2099 - 2026) * 12 + 5;  // December 2099
    host.RebuildAndResize();
    host.calls.clear();
    EXPECT_FALSE(RunCommand(IDM_NEXT_MONTH, host));
    EXPECT_FALSE(RunCommand(IDM_NEXT_YEAR, host));
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(g_nav.monthRequest, 0);
    EXPECT_EQ((g_view.displayedMonth.tm_year + 1900) * 100 + g_view.displayedMonth.tm_mon + 1, 209912);
    EXPECT_TRUE(grayed(IDM_NEXT_MONTH));
    EXPECT_TRUE(grayed(IDM_NEXT_YEAR));
    EXPECT_FALSE(grayed(IDM_PREV_MONTH));
    EXPECT_FALSE(grayed(IDM_PREV_YEAR));
    // The weeks of December 2099 scroll down to its last one, and no further.
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(RunCommand(IDM_SCROLL_ROW_FORWARD, host)) << i;
    EXPECT_EQ(LocalDayNumber(g_view.firstDay), DayNumberOf(2099, 12, 27));
    EXPECT_TRUE(grayed(IDM_SCROLL_ROW_FORWARD));
    host.calls.clear();
    EXPECT_FALSE(RunCommand(IDM_SCROLL_ROW_FORWARD, host));
    EXPECT_TRUE(host.calls.empty());
    EXPECT_FALSE(grayed(IDM_SCROLL_ROW_BACK));
    // January 1970: nothing before it.
    g_app.settings.dayscrollUnit = 7;
    ResetNavigation(&g_nav);
    g_nav.monthOffset = -(2026 - 1970) * 12 - 6;
    host.RebuildAndResize();
    EXPECT_EQ((g_view.displayedMonth.tm_year + 1900) * 100 + g_view.displayedMonth.tm_mon + 1, 197001);
    EXPECT_TRUE(grayed(IDM_PREV_MONTH));
    EXPECT_TRUE(grayed(IDM_PREV_YEAR));
    EXPECT_TRUE(grayed(IDM_SCROLL_ROW_BACK));
    EXPECT_TRUE(grayed(IDM_SCROLL_UNIT_BACK));
    EXPECT_FALSE(grayed(IDM_NEXT_YEAR));
    EXPECT_FALSE(RunCommand(IDM_PREV_YEAR, host));
    EXPECT_TRUE(RunCommand(IDM_NEXT_YEAR, host));
    EXPECT_EQ((g_view.displayedMonth.tm_year + 1900) * 100 + g_view.displayedMonth.tm_mon + 1, 197101);
}

std::string Memo16() { return ReadMemo(2026, 7, 16); }

// Copy, paste and cut between two days; a cut whose text cannot reach the clipboard keeps the memo.
TEST_F(WindowDecisions, ClipboardCommandsBetweenDays) {
    ASSERT_TRUE(WriteMemo(2026, 7, 15, "12:00 \x89\xef\x8b\x63", false));  // 会議
    int day15 = kCellDayBase + DayNumberOf(2026, 7, 15) - LocalDayNumber(g_view.firstDay);
    g_interaction.currentCell = day15;
    EXPECT_TRUE(RunCommand(IDM_MEMO_COPY, host));
    EXPECT_EQ(host.clipboard, "12:00 \x89\xef\x8b\x63");
    g_interaction.currentCell = day15 + 1;
    EXPECT_TRUE(RunCommand(IDM_MEMO_PASTE, host));
    EXPECT_EQ(Memo16(), "12:00 \x89\xef\x8b\x63");
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "tray"), 0);  // no tray icon
    g_app.settings.useTasktray = 1;  // a memo changed: the tip may show it
    EXPECT_TRUE(RunCommand(IDM_UNDO, host));
    EXPECT_EQ(host.calls.back(), "tray");
    EXPECT_TRUE(RunCommand(IDM_REDO, host));
    EXPECT_TRUE(RunCommand(IDM_MEMO_COPY, host));
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "tray"), 2);  // a copy changes nothing
    host.clipboardBusy = true;
    EXPECT_FALSE(RunCommand(IDM_MEMO_CUT, host));
    EXPECT_EQ(Memo16(), "12:00 \x89\xef\x8b\x63");
    host.clipboardBusy = false;
    host.clipboard.clear();
    EXPECT_TRUE(RunCommand(IDM_MEMO_CUT, host));
    EXPECT_EQ(Memo16(), "");
    EXPECT_EQ(host.clipboard, "12:00 \x89\xef\x8b\x63");
    // A countdown line has no text for the clipboard; cut deletes it all the same.
    LoadCountdowns(g_files.memoPath);
    ASSERT_TRUE(AddCountdownRecorded(2026, 8, 1, "trip"));
    g_interaction.currentCell = kCellCountdownBase;
    host.clipboardBusy = true;
    EXPECT_TRUE(RunCommand(IDM_MEMO_CUT, host));
    EXPECT_EQ(CountdownCount(), 0);
}

// The memo menu's gray rules belong to it: the countdown line's menu deletes its line.
TEST_F(WindowDecisions, GrayRulesOfTheMemoMenuStayInIt) {
    MenuState countdown = {};
    countdown.menu = IDR_COUNTDOWN_MENU;
    EXPECT_FALSE(FindCommand(IDM_MEMO_DELETE)->grayed(countdown));
    MenuState memo = countdown;
    memo.menu = IDR_MEMO_MENU;
    EXPECT_TRUE(FindCommand(IDM_MEMO_DELETE)->grayed(memo));
    EXPECT_TRUE(FindCommand(IDM_MEMO_PASTE)->grayed(memo));
    memo.targetHasMemo = memo.clipboardHasText = true;
    EXPECT_FALSE(FindCommand(IDM_MEMO_DELETE)->grayed(memo));
    EXPECT_FALSE(FindCommand(IDM_MEMO_PASTE)->grayed(memo));
}

TEST_F(WindowDecisions, MenuTextsWheelQueueAndHandEditedBindings) {
    EXPECT_EQ(ClearMonthItemText("%d年%d月のメモを消去(&C)...", 2024, 5), "2024年5月のメモを消去(&C)...");
    EXPECT_EQ(ClearMonthItemText("%s%n%d年", 2024, 5), "%s%n2024年");
    g_today.dayNumber = DayNumberOf(2024, 5, 3);
    EXPECT_EQ(DateItemText(2024, 5, 3, g_today.dayNumber), "2024/5/3：今日");
    EXPECT_EQ(DateItemText(2024, 5, 2, g_today.dayNumber), "2024/5/2：1日前");
    EXPECT_EQ(DateItemText(2024, 4, 28, g_today.dayNumber), "2024/4/28：5日前");
    EXPECT_EQ(DateItemText(2024, 5, 6, g_today.dayNumber), "2024/5/6：3日後");
    for (int i = 0; i < kWheelQueueMax; ++i) EXPECT_TRUE(QueueWheelCommand(IDM_NEXT_MONTH));
    EXPECT_FALSE(QueueWheelCommand(IDM_NEXT_MONTH));  // the 51st turn is dropped
    EXPECT_EQ(TakeWheelCommands().size(), 50u);
    EXPECT_TRUE(TakeWheelCommands().empty());
    // A value that is not a number unbinds its row, and only it.
    WriteIni(dir.File("t.ini"), {"[KEYASSIGN]", "40013=12abc", "40014=35", "[MOUSEASSIGN]", "40013=wheel"});
    UseConfig(dir.File("t.ini"));
    ResetOperations();
    ReadAssignments();
    EXPECT_EQ(FindCommandByKey(33), 0);           // PageUp no longer shows the previous month
    EXPECT_EQ(FindCommandByKey(35), IDM_NEXT_MONTH);
    EXPECT_EQ(FindCommandByMouse(kMouseWheelForward), 0);
    EXPECT_EQ(FindCommandByKey(36), IDM_THIS_MONTH);  // the other rows keep their defaults
    ResetOperations();
}
}  // namespace
