// The memo dialogs driven as a user would, from a second thread while the dialog runs modal in
// the test's thread: typing previews in the cell, Cancel, another date, the append mode, repeat
// series to the end of 2035 and stopped by Esc, countdown memos and their undo, real files.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/memo_commands.h"
#include "app/process_state.h"
#include "base/cell_ids.h"
#include "calendar/civil_date.h"
#include "calendar/today.h"
#include "config/file_names.h"
#include "config/profile_access.h"
#include "config/profile_store.h"
#include "memo/countdown.h"
#include "memo/countdown_dialog_win.h"
#include "memo/date_memo_dialog_win.h"
#include "memo/free_memo_dialog_win.h"
#include "memo/memo_dialog_notes_win.h"
#include "memo/memo_store.h"
#include "memo/repeat.h"
#include "memo/repeat_dialog_win.h"
#include "memo/working_text.h"
#include "resources/resource.h"
#include "tests/memo/dialog_driver_win.h"

namespace {

// The notes the calendar window would get, as "note cell".
std::mutex g_notesLock;
std::vector<std::pair<int, int>> g_notes;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MEMO_DIALOG_NOTE) {
        std::lock_guard<std::mutex> lock(g_notesLock);
        g_notes.emplace_back(static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool Noted(int note, int cell) {
    std::lock_guard<std::mutex> lock(g_notesLock);
    for (const auto& n : g_notes)
        if (n.first == note && n.second == cell) return true;
    return false;
}

// Chooses entry index of a drop-down list as the user does.
void Choose(HWND d, int id, int index) {
    SendDlgItemMessageA(d, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(d, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
}

int Chosen(HWND d, int id) { return static_cast<int>(SendDlgItemMessageA(d, id, CB_GETCURSEL, 0, 0)); }

std::string ListText(HWND d, int id) {
    char buf[128] = "";
    SendDlgItemMessageA(d, id, CB_GETLBTEXT, static_cast<WPARAM>(Chosen(d, id)), reinterpret_cast<LPARAM>(buf));
    return buf;
}

class MemoDialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&classes);
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        std::snprintf(dir_, sizeof dir_, "%stessel_dialogs_%lu_%lu", temp, GetCurrentProcessId(), GetTickCount());
        CreateDirectoryA(dir_, nullptr);
        std::snprintf(g_files.memoPath, sizeof g_files.memoPath, "%s\\d_memo.ini", dir_);
        std::snprintf(g_files.yearMemoBase, sizeof g_files.yearMemoBase, "%s\\d_memo", dir_);
        SetConfigPath((std::string(dir_) + "\\d.ini").c_str());
        LoadCountdowns(g_files.memoPath);
        std::tm today = {};
        today.tm_year = 2026 - 1900, today.tm_mon = 6, today.tm_mday = 15, today.tm_hour = 12;
        SetToday(today);
        WNDCLASSA c = {};
        c.lpfnWndProc = OwnerProc;
        c.hInstance = GetModuleHandleA(nullptr);
        c.lpszClassName = "TesselNoteOwner";
        RegisterClassA(&c);
        owner_ = CreateWindowA("TesselNoteOwner", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, c.hInstance, nullptr);
        std::lock_guard<std::mutex> lock(g_notesLock);
        g_notes.clear();
    }
    void TearDown() override {
        DestroyWindow(owner_);
        ResetProcessState();
    }
    static std::string Memo(int y, int m, int d) {
        char* t = ReadMemo(y, m, d);
        std::string s = t ? t : "";
        std::free(t);
        return s;
    }
    bool YearFileExists(int year) const {
        char path[MAX_PATH];
        std::snprintf(path, sizeof path, "%s\\d_memo%d.ini", dir_, year);
        return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
    }
    HWND owner_ = nullptr;
    char dir_[MAX_PATH] = "";
};

TEST_F(MemoDialogs, TypingPreviewsCancelKeepsTheStoredMemoAndAnotherDateStoresTheOldOne) {
    ASSERT_TRUE(WriteMemo(2026, 7, 15, "stored", false).ok());
    const int cell15 = kCellDayBase + 17;  // the table starts on 28 June
    DateMemoDialog dialog = {2026, 7, 15, DayNumberOf(2026, 6, 28), 35, true, 0, false};
    INT_PTR result = Drive("日付メモ", [&] { return OpenDateMemoDialog(owner_, &dialog); }, [&](HWND d) {
        EXPECT_EQ(Text(d, IDC_DATE_MEMO_TEXT), "stored");
        EXPECT_EQ(g_edit.editingCell, cell15);
        EXPECT_TRUE(Noted(kNoteSelect, cell15));
        EXPECT_EQ(ListText(d, IDC_DATE_MEMO_YEAR) + "/" + ListText(d, IDC_DATE_MEMO_MONTH) + "/" +
                      ListText(d, IDC_DATE_MEMO_DAY), "2026/7/15");
        Type(d, IDC_DATE_MEMO_TEXT, "stored\r\nline 2");
        EXPECT_STREQ(WorkingTextOrEmpty(), "stored\r\nline 2");  // the cell shows it at once
        EXPECT_TRUE(Noted(kNoteRepaintCell, cell15));
        EXPECT_TRUE(Noted(kNoteRebuild, 0));  // a second line: the row grows
        EXPECT_EQ(Memo(2026, 7, 15), "stored");  // nothing stored while typing
        Choose(d, IDC_DATE_MEMO_DAY, 15);         // the 16th
        EXPECT_EQ(Memo(2026, 7, 15), "stored\r\nline 2");
        EXPECT_EQ(Text(d, IDC_DATE_MEMO_TEXT), "");
        EXPECT_EQ(g_edit.editingCell, cell15 + 1);
        EXPECT_TRUE(Noted(kNoteSelect, cell15 + 1));
        // February offers 28 days in 2026: the 31st of a month moved to February is the 28th.
        Choose(d, IDC_DATE_MEMO_DAY, 30);
        Choose(d, IDC_DATE_MEMO_MONTH, 1);
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_DATE_MEMO_DAY, CB_GETCOUNT, 0, 0), 28);
        EXPECT_EQ(ListText(d, IDC_DATE_MEMO_DAY), "28");
        EXPECT_EQ(g_edit.editingCell, kCellNone);  // not on screen
        Type(d, IDC_DATE_MEMO_TEXT, "typed, then cancelled");
        Press(d, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(Memo(2026, 2, 28), "");
    EXPECT_EQ(Memo(2026, 7, 15), "stored\r\nline 2");
    EXPECT_EQ(g_edit.editingCell, kCellNone);
    EXPECT_TRUE(dialog.stored);
    EXPECT_EQ(dialog.month * 100 + dialog.day, 228);
}

TEST_F(MemoDialogs, AppendModeAndASeriesThatStopsAtTheEndOf2035) {
    ASSERT_TRUE(WriteMemo(2035, 12, 20, "a", false).ok());
    RepeatList list = {{{30, 0, 0}}, 1};  // '  30日先まで 毎日'
    ASSERT_TRUE(SaveRepeatList(g_files.memoPath, list));
    DateMemoDialog dialog = {2035, 12, 20, DayNumberOf(2035, 11, 25), 42, false, 0, false};
    INT_PTR result = Drive("日付メモ", [&] { return OpenDateMemoDialog(owner_, &dialog); }, [&](HWND d) {
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_DATE_MEMO_YEAR, CB_GETCOUNT, 0, 0), 6);  // 2030 ... 2035
        Choose(d, IDC_DATE_MEMO_REPEAT, 1);
        EXPECT_EQ(Text(d, IDC_DATE_MEMO_MODE), "<追記>");
        EXPECT_EQ(Text(d, IDC_DATE_MEMO_TEXT), "");  // only what is added
        Type(d, IDC_DATE_MEMO_TEXT, "x");
        EXPECT_STREQ(WorkingTextOrEmpty(), "a\r\nx");
        Choose(d, IDC_DATE_MEMO_REPEAT, 0);
        EXPECT_EQ(Text(d, IDC_DATE_MEMO_MODE), "<上書>");
        EXPECT_EQ(Text(d, IDC_DATE_MEMO_TEXT), "a\r\nx");
        Choose(d, IDC_DATE_MEMO_REPEAT, 1);
        EXPECT_EQ(Text(d, IDC_DATE_MEMO_TEXT), "x");
        Press(d, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Memo(2035, 12, 20), "a\r\nx");
    EXPECT_EQ(Memo(2035, 12, 31), "x");
    EXPECT_FALSE(YearFileExists(2036));
    int cell = 0;
    ASSERT_TRUE(UndoMemoChange(&cell));  // the whole series is one step
    EXPECT_EQ(Memo(2035, 12, 20), "a");
    EXPECT_EQ(Memo(2035, 12, 31), "");
}

TEST_F(MemoDialogs, EscapeStopsALongSeries) {
    RepeatList list = {{{9999, 0, 0}}, 1};
    ASSERT_TRUE(SaveRepeatList(g_files.memoPath, list));
    DateMemoDialog dialog = {2026, 7, 1, DayNumberOf(2026, 6, 28), 35, false, 0, false};
    std::atomic<bool> told{false};
    Drive("日付メモ", [&] { return OpenDateMemoDialog(owner_, &dialog); }, [&](HWND d) {
        Choose(d, IDC_DATE_MEMO_REPEAT, 1);
        Type(d, IDC_DATE_MEMO_TEXT, "daily");
        Press(d, IDOK);
        PostMessageA(GetDlgItem(d, IDC_DATE_MEMO_TEXT), WM_KEYDOWN, VK_ESCAPE, 0);
        HWND box = WaitForWindow("Tessel");
        if (!box) return;
        char text[64] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        told = std::string(text) == "途中で中止しました";
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(told);
    EXPECT_EQ(Memo(2026, 7, 1), "daily");
    EXPECT_FALSE(YearFileExists(2030));
}

TEST_F(MemoDialogs, RepeatSettingsByDayCountOrEndDate) {
    RepeatList list = {};
    RepeatDialog dialog = {2026, 3, 1, nullptr, &list};
    auto open = [&] { return OpenRepeatDialog(owner_, &dialog); };
    EXPECT_EQ(IDOK, Drive("繰り返し入力設定", open, [&](HWND d) {
        Type(d, IDC_REPEAT_DAYS, "7");
        EXPECT_EQ(ListText(d, IDC_REPEAT_DAY), "8");  // 8 March: the end
        Choose(d, IDC_REPEAT_END_KIND, 1);
        Press(d, IDOK);
    }));
    ASSERT_EQ(list.count, 1);
    EXPECT_EQ(list.rules[0].dayCount * 100 + list.rules[0].endKind * 10 + list.rules[0].repeatKind, 710);
    EXPECT_EQ(IDOK, Drive("繰り返し入力設定", open, [&](HWND d) {
        Choose(d, IDC_REPEAT_MONTH, 1);  // an end before the start counts 0 days
        EXPECT_EQ(Text(d, IDC_REPEAT_DAYS), "0");
        Choose(d, IDC_REPEAT_MONTH, 2);
        Choose(d, IDC_REPEAT_DAY, 7);
        Choose(d, IDC_REPEAT_END_KIND, 1);
        EXPECT_EQ(Text(d, IDC_REPEAT_DAYS), "7");
        Press(d, IDOK);
    }));
    EXPECT_EQ(list.count, 1);  // the same rule again does not grow the list
    RepeatList stored;
    EXPECT_EQ(LoadRepeatList(g_files.memoPath, &stored), 1);
}

TEST_F(MemoDialogs, CountdownAddReplaceDeleteAndUndo) {
    CountdownDialog add = {-1, 2026, 7, 15, kCellDayBase, false};
    EXPECT_EQ(IDOK, Drive("あと何日メモ", [&] { return OpenCountdownDialog(owner_, &add); }, [&](HWND d) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_COUNTDOWN_DELETE)));
        EXPECT_EQ(Text(d, IDC_COUNTDOWN_DAYS), "0");
        Type(d, IDC_COUNTDOWN_DAYS, "-3");
        EXPECT_EQ(ListText(d, IDC_COUNTDOWN_DAY), "12");
        Type(d, IDC_COUNTDOWN_TEXT, "Trip");
        Press(d, IDOK);
    }));
    ASSERT_EQ(CountdownCount(), 1);
    EXPECT_EQ(g_countdowns.memos[0].day, 12);
    CountdownDialog replace = {0, 0, 0, 0, kCellCountdownBase, false};
    std::string longText;
    for (int i = 0; i < 150; ++i) longText += "\x93\xfa";  // 300 bytes pasted
    EXPECT_EQ(IDOK, Drive("あと何日メモ", [&] { return OpenCountdownDialog(owner_, &replace); }, [&](HWND d) {
        EXPECT_EQ(Text(d, IDC_COUNTDOWN_TEXT), "Trip");
        EXPECT_EQ(Text(d, IDC_COUNTDOWN_DAYS), "-3");
        Type(d, IDC_COUNTDOWN_DAYS, "20000");  // held at 9999, the date at 2035-12-16
        EXPECT_EQ(Text(d, IDC_COUNTDOWN_DAYS), "20000");
        EXPECT_EQ(ListText(d, IDC_COUNTDOWN_YEAR) + "/" + ListText(d, IDC_COUNTDOWN_DAY), "2035/16");
        Type(d, IDC_COUNTDOWN_TEXT, longText.c_str());
        Press(d, IDOK);
    }));
    ASSERT_EQ(CountdownCount(), 1);
    const CountdownMemo& m = g_countdowns.memos[0];
    EXPECT_EQ(m.year * 10000 + m.month * 100 + m.day, 20351216);
    EXPECT_LE(std::string(m.text).size(), 255u);
    EXPECT_EQ(std::string(m.text), longText.substr(0, std::string(m.text).size()));  // whole characters
    int cell = 0;
    ASSERT_TRUE(UndoMemoChange(&cell));  // the replacement undoes in one step
    ASSERT_EQ(CountdownCount(), 1);
    EXPECT_STREQ(g_countdowns.memos[0].text, "Trip");
    CountdownDialog remove = {0, 0, 0, 0, kCellCountdownBase, false};
    EXPECT_EQ(IDC_COUNTDOWN_DELETE, Drive("あと何日メモ", [&] { return OpenCountdownDialog(owner_, &remove); },
                                          [&](HWND d) { Press(d, IDC_COUNTDOWN_DELETE); }));
    EXPECT_EQ(CountdownCount(), 0);
    EXPECT_EQ(remove.currentCell, kCellNone);
    ASSERT_TRUE(UndoMemoChange(&cell));
    EXPECT_EQ(CountdownCount(), 1);
    ProfileStoreReset();
    EXPECT_EQ(LoadCountdowns(g_files.memoPath), 1);  // every change reached the file
}

TEST_F(MemoDialogs, FreeMemoPreviewsInTheMemoBoxAndKeepsItsPlace) {
    SetConfigPath((std::string(dir_) + "\\d.ini").c_str());
    FreeMemoDialog dialog = {3, false};
    POINT placed = {};
    EXPECT_EQ(IDOK, Drive("メモ", [&] { return OpenFreeMemoDialog(owner_, &dialog); }, [&](HWND d) {
        Type(d, IDC_FREE_MEMO_TEXT, "free\r\nmemo");
        EXPECT_STREQ(WorkingTextOrEmpty(), "free\r\nmemo");
        EXPECT_EQ(g_edit.editingCell, kCellMemoBox);
        EXPECT_TRUE(Noted(kNoteRepaintCell, kCellMemoBox));
        SetWindowPos(d, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Press(d, IDOK);
    }));
    char* text = ReadFreeMemo();
    EXPECT_STREQ(text, "free\r\nmemo");
    std::free(text);
    EXPECT_TRUE(dialog.stored);
    EXPECT_EQ(IDCANCEL, Drive("メモ", [&] { return OpenFreeMemoDialog(owner_, &dialog); }, [&](HWND d) {
        RECT r;
        GetWindowRect(d, &r);
        placed = {r.left, r.top};
        Press(d, IDCANCEL);
    }));
    EXPECT_EQ(placed.x * 1000 + placed.y, 123077);  // opened where it was left
}

}  // namespace
