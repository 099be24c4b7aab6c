// The four context menus as the programs load them: the first popup of each menu resource, its
// items in order and their texts as GetMenuStringW gives them, read back in code page 932 whatever
// the system's code page is.
#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "base/win/wide_text.h"
#include "resources/resource.h"
#include "tests/app/running_calendar_win.h"

namespace {

struct Item {
    UINT id;           // 0: a separator
    std::string text;  // code page 932, as the narrow literals of this file are compiled
    bool operator==(const Item&) const = default;
};

// Shown in UTF-8 on failure, so a wrong text is readable in the log.
void PrintTo(const Item& item, std::ostream* out) {
    *out << item.id << " \"" << NarrowOf(CP_UTF8, Wide(item.text)) << "\"";
}

const Item kSeparator{0, ""};

const std::vector<Item> kTrayMenu = {
    {40002, "表示する(&S)"},
    {40003, "隠す(&H)"},
    kSeparator,
    {40001, "終了する(&X)"},
};

const std::vector<Item> kWindowMenu = {
    {40013, "前月を表示(&P)"},
    {40014, "次月を表示(&N)"},
    {40030, "今月を表示(&T)"},
    kSeparator,
    {40057, "1年前を表示(&Y)"},
    {40058, "1年後を表示(&U)"},
    kSeparator,
    {40003, "カレンダーを隠す(&H)"},
    kSeparator,
    {40016, "設定(&S)..."},
    {40054, "祝日/定例メモ(&R)..."},
    kSeparator,
    {40004, "操作ボタンを表示(&B)"},
    {40005, "常に手前に表示(&A)"},
    kSeparator,
    {40065, "メモ検索(&F)..."},
    {40019, "%d年%d月のメモを消去(&C)..."},
    {40072, "今すぐ同期(&Y)"},
    kSeparator,
    {40001, "カレンダーを終了(&X)"},
};

const std::vector<Item> kMemoMenu = {
    {40025, "入力(&E)..."},
    kSeparator,
    {40026, "切り取り(&X)"},
    {40027, "コピー(&C)"},
    {40028, "貼り付け(&V)"},
    {40029, "追加貼り付け(&P)"},
    {40053, "消去(&D)"},
    {40063, "元に戻す(&Z)"},
    {40064, "やり直す(&Y)"},
    kSeparator,
    {40066, "あと何日メモ(&A)..."},
    kSeparator,
    {40052, "定型句の貼り付け(&R)"},
    {40051, "定型句の設定(&W)..."},
    kSeparator,
    {40024, "タグ文字の設定(&T)..."},
};

const std::vector<Item> kCountdownMenu = {
    {40025, "入力(&E)..."},
    {40053, "消去(&D)"},
    {40063, "元に戻す(&Z)"},
    {40064, "やり直す(&Y)"},
};

// The items of the menu's first popup; a submenu among them would read as id 0xFFFFFFFF.
std::vector<Item> FirstPopup(HMODULE module, int menuId) {
    std::vector<Item> items;
    HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(menuId));
    if (!menu) {
        ADD_FAILURE() << "no menu " << menuId;
        return items;
    }
    EXPECT_EQ(1, GetMenuItemCount(menu)) << "menu " << menuId << " holds one popup";
    HMENU popup = GetSubMenu(menu, 0);
    EXPECT_NE(nullptr, popup) << "menu " << menuId;
    for (int i = 0; popup && i < GetMenuItemCount(popup); ++i) {
        wchar_t text[100] = L"";  // the window reads item texts with at most 99 characters too
        GetMenuStringW(popup, static_cast<UINT>(i), text, 100, MF_BYPOSITION);
        bool separator = GetMenuState(popup, i, MF_BYPOSITION) & MF_SEPARATOR;
        items.push_back({separator ? 0u : GetMenuItemID(popup, i), Sjis(text)});
    }
    DestroyMenu(menu);
    return items;
}

// The real program beside us, its resources loaded as data.
class Menus : public testing::Test {
  protected:
    void SetUp() override {
        module_ = LoadLibraryExW(Wide(ProgramBesideUs()).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, module_) << ProgramBesideUs();
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }
    HMODULE module_ = nullptr;
};

// Right click on the tray icon.
TEST_F(Menus, Tray) { EXPECT_EQ(kTrayMenu, FirstPopup(module_, IDR_TRAY_MENU)); }

// Right click on the title or the weekday band; exit and hide read differently from the tray's.
TEST_F(Menus, Window) { EXPECT_EQ(kWindowMenu, FirstPopup(module_, IDR_WINDOW_MENU)); }

// Right click on a day cell or the memo box; the phrase item is a plain item until the menu opens.
TEST_F(Menus, Memo) { EXPECT_EQ(kMemoMenu, FirstPopup(module_, IDR_MEMO_MENU)); }

// Right click on a countdown line.
TEST_F(Menus, Countdown) { EXPECT_EQ(kCountdownMenu, FirstPopup(module_, IDR_COUNTDOWN_MENU)); }

// This test program links the same script, so the shell's tests in it open the same menus.
TEST_F(Menus, SameInThisProgram) {
    HMODULE self = GetModuleHandleW(nullptr);
    EXPECT_EQ(kTrayMenu, FirstPopup(self, IDR_TRAY_MENU));
    EXPECT_EQ(kWindowMenu, FirstPopup(self, IDR_WINDOW_MENU));
    EXPECT_EQ(kMemoMenu, FirstPopup(self, IDR_MEMO_MENU));
    EXPECT_EQ(kCountdownMenu, FirstPopup(self, IDR_COUNTDOWN_MENU));
}

}  // namespace
