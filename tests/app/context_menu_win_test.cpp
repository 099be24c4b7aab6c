// The menus of the window as they open, filled in over each kind of target from real memo files and the
// real clipboard: which items are grayed or checked, and which name their keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/context_menu_win.h"
#include "app/interaction.h"
#include "app/memo_commands.h"
#include "app/process_state.h"
#include "base/cell_ids.h"
#include "base/win/clipboard_win.h"
#include "base/win/wide_text.h"
#include "calendar/civil_date.h"
#include "calendar/today.h"
#include "config/app_state.h"
#include "config/file_names.h"
#include "config/profile_access.h"
#include "memo/countdown.h"
#include "memo/memo_store.h"
#include "resources/resource.h"
#include "tests/dialog_driver_win.h"
#include "view/view_layout.h"

namespace {
class ContextMenus : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        std::string dir = FreshTempFolder("tessel_menus");
        std::snprintf(g_files.memoPath, sizeof g_files.memoPath, "%s\\m_memo.ini", dir.c_str());
        std::snprintf(g_files.yearMemoBase, sizeof g_files.yearMemoBase, "%s\\m_memo", dir.c_str());
        SetMemoFiles(g_files);
        SetConfigPath((dir + "\\m.ini").c_str());
        LoadCountdowns(g_files.memoPath);
        g_view.firstDay = DateOf(2026, 6, 28);  // cell 3 is 1 July 2026
        g_view.displayedMonth = DateOf(2026, 7, 1);
        SetToday(DateOf(2026, 7, 1));  // what the steps of the window menu can reach is counted from it
        ASSERT_TRUE(AddCountdownRecorded(2026, 8, 1, "trip"));
        ASSERT_TRUE(WriteMemo(2026, 7, 1, "memo", false).ok());
        ClearClipboard();
    }
    void TearDown() override {
        ClearClipboard();
        ResetProcessState();
    }
    static std::tm DateOf(int y, int m, int d) {
        std::tm t = {};
        t.tm_year = y - 1900, t.tm_mon = m - 1, t.tm_mday = d, t.tm_hour = 12, t.tm_isdst = -1;
        std::mktime(&t);
        return t;
    }
    static void ClearClipboard() {
        if (!OpenClipboard(nullptr)) return;
        EmptyClipboard();
        CloseClipboard();
    }
    // "g" grayed, "c" checked, "-" neither, for each item id; "?" for an item the menu lacks.
    struct Opened {
        OwnedMenu menu;
        std::string States(std::initializer_list<int> ids) const {
            std::string out;
            HMENU popup = GetSubMenu(menu.get(), 0);
            for (int id : ids) {
                UINT state = GetMenuState(popup, static_cast<UINT>(id), MF_BYCOMMAND);
                if (state == static_cast<UINT>(-1)) out += '?';
                else out += (state & MF_GRAYED) ? 'g' : (state & MF_CHECKED) ? 'c' : '-';
            }
            return out;
        }
        // An item's text as the menu holds it, in code page 932.
        static std::string ItemString(HMENU popup, UINT item, UINT by) {
            wchar_t text[128] = L"";
            GetMenuStringW(popup, item, text, 128, by);
            return Sjis(text);
        }
        std::string Text(int id) const {
            return ItemString(GetSubMenu(menu.get(), 0), static_cast<UINT>(id), MF_BYCOMMAND);
        }
        std::string LastText() const {
            HMENU popup = GetSubMenu(menu.get(), 0);
            return ItemString(popup, static_cast<UINT>(GetMenuItemCount(popup) - 1), MF_BYPOSITION);
        }
    };
    static Opened Open(int menu, int target) {
        MenuChoice choice = {menu, target};
        return Opened{FilledContextMenu(choice, MenuStateNow(nullptr, choice))};
    }
    static constexpr int kJuly1 = kCellDayBase + 3;
};

TEST_F(ContextMenus, MemoMenuOverADayTheMemoBoxAndAnEmptyDay) {
    // 切り取り コピー 貼り付け 追加貼り付け 消去 元に戻す やり直す 定型句の貼り付け
    auto items = {IDM_MEMO_CUT, IDM_MEMO_COPY, IDM_MEMO_PASTE, IDM_MEMO_APPEND_PASTE, IDM_MEMO_DELETE, IDM_UNDO,
                  IDM_REDO,     IDM_PHRASE_POPUP};
    EXPECT_EQ(Open(IDR_MEMO_MENU, kJuly1).States(items), "--gg--gg");
    EXPECT_EQ(Open(IDR_MEMO_MENU, kJuly1 + 1).States(items), "ggggg-gg");  // 2 July: no memo
    EXPECT_EQ(Open(IDR_MEMO_MENU, kCellMemoBox).States(items), "ggggg-gg");
    ASSERT_TRUE(WriteFreeMemo("box", 4).ok());
    EXPECT_EQ(Open(IDR_MEMO_MENU, kCellMemoBox).States(items), "--gg--gg");
    // The date item closes a day's menu only.
    EXPECT_EQ(Open(IDR_MEMO_MENU, kJuly1).LastText(), "2026/7/1：今日");
    EXPECT_NE(Open(IDR_MEMO_MENU, kCellMemoBox).LastText(), "2026/7/1：今日");

    // Text on the clipboard enables pasting; an empty text, which would paste nothing, does not.
    ASSERT_TRUE(PutTextOnClipboard(nullptr, ""));
    EXPECT_EQ(Open(IDR_MEMO_MENU, kJuly1).States({IDM_MEMO_PASTE, IDM_MEMO_APPEND_PASTE}), "gg");
    ASSERT_TRUE(PutTextOnClipboard(nullptr, "x"));
    EXPECT_EQ(Open(IDR_MEMO_MENU, kJuly1).States({IDM_MEMO_PASTE, IDM_MEMO_APPEND_PASTE}), "--");
    int cell = kCellNone;
    ASSERT_TRUE(UndoMemoChange(&cell));
    EXPECT_EQ(Open(IDR_MEMO_MENU, kJuly1).States({IDM_UNDO, IDM_REDO}), "--");
}

TEST_F(ContextMenus, CountdownMenuDeletesItsLineWhateverTheMemoMenuSays) {
    // 入力 消去 元に戻す やり直す
    auto items = {IDM_MEMO_INPUT, IDM_MEMO_DELETE, IDM_UNDO, IDM_REDO};
    EXPECT_EQ(Open(IDR_COUNTDOWN_MENU, kCellCountdownBase).States(items), "---g");
    int cell = kCellNone;
    ASSERT_TRUE(UndoMemoChange(&cell));  // the memo of 1 July
    ASSERT_TRUE(UndoMemoChange(&cell));  // the countdown line
    EXPECT_EQ(Open(IDR_COUNTDOWN_MENU, kCellCountdownBase).States(items), "--g-");
}

TEST_F(ContextMenus, WindowMenuChecksAndGraysWhatTheViewIs) {
    // 前月 次月 今月 操作ボタンを表示 常に手前に表示 メモ検索
    auto items = {IDM_PREV_MONTH, IDM_NEXT_MONTH, IDM_THIS_MONTH, IDM_TOGGLE_BUTTONS, IDM_TOGGLE_TOPMOST, IDM_SEARCH};
    EXPECT_EQ(Open(IDR_WINDOW_MENU, kCellNone).States(items), "--gc--");
    g_nav.monthOffset = 1;
    g_app.settings.btnSize = 3;
    g_interaction.alwaysOnTop = true;
    EXPECT_EQ(Open(IDR_WINDOW_MENU, kCellNone).States(items), "----c-");
    EXPECT_EQ(Open(IDR_WINDOW_MENU, kCellNone).Text(IDM_CLEAR_MONTH), "2026年7月のメモを消去(&C)...");
}

// The steps that would leave the calendar's years are grayed at either end.
TEST_F(ContextMenus, WindowMenuGraysTheStepsPastTheCalendarsYears) {
    auto items = {IDM_PREV_MONTH, IDM_NEXT_MONTH, IDM_PREV_YEAR, IDM_NEXT_YEAR};
    EXPECT_EQ(Open(IDR_WINDOW_MENU, kCellNone).States(items), "----");
    g_nav.monthOffset = (2099 - 2026) * 12 + 5;  // December 2099
    EXPECT_EQ(Open(IDR_WINDOW_MENU, kCellNone).States(items), "-g-g");
    g_nav.monthOffset = (2099 - 2026) * 12 - 1;  // June 2099: a year on would leave 2099
    EXPECT_EQ(Open(IDR_WINDOW_MENU, kCellNone).States(items), "---g");
    g_nav.monthOffset = -(2026 - 1970) * 12 - 6;  // January 1970
    EXPECT_EQ(Open(IDR_WINDOW_MENU, kCellNone).States(items), "g-g-");
}

TEST_F(ContextMenus, ItemsNameTheirKeysOnlyWhileKeysAreBound) {
    EXPECT_EQ(Open(IDR_MEMO_MENU, kJuly1).Text(IDM_MEMO_COPY), "コピー(&C)");
    EXPECT_EQ(Open(IDR_WINDOW_MENU, kCellNone).Text(IDM_PREV_MONTH), "前月を表示(&P)");
    g_app.settings.keyassignEnable = 1;
    EXPECT_EQ(Open(IDR_MEMO_MENU, kJuly1).Text(IDM_MEMO_COPY), "コピー(&C)\tCtrl + C");
    std::string prev = Open(IDR_WINDOW_MENU, kCellNone).Text(IDM_PREV_MONTH);
    EXPECT_EQ(prev.rfind("前月を表示(&P)\t", 0), 0u) << prev;
    EXPECT_GT(prev.size(), std::string("前月を表示(&P)\t").size());
}

}  // namespace
