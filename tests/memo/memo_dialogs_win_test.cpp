// The memo dialogs driven as a user would, from a second thread while the dialog runs modal in
// the test's thread: typing previews in the cell, Cancel, another date, the append mode, repeat
// series to the end of 2099 and stopped by Esc, countdown memos and their undo, real files.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "app/memo_commands.h"
#include "app/process_state.h"
#include "base/cell_ids.h"
#include "base/win/owner_notes.h"
#include "base/win/wide_text.h"
#include "calendar/civil_date.h"
#include "config/app_state.h"
#include "config/tag_dialog_win.h"
#include "config/tags.h"
#include "config/file_names.h"
#include "config/profile_access.h"
#include "config/profile_store.h"
#include "memo/countdown.h"
#include "memo/countdown_dialog_win.h"
#include "memo/date_memo_dialog_win.h"
#include "memo/free_memo_dialog_win.h"
#include "memo/memo_store.h"
#include "memo/phrase_dialog_win.h"
#include "memo/phrases.h"
#include "memo/repeat.h"
#include "memo/repeat_dialog_win.h"
#include "memo/working_text.h"
#include "resources/resource.h"
#include "tests/dialog_driver_win.h"

namespace {
const int kToday = DayNumberOf(2026, 7, 15);  // the day the countdown dialog counts from

// The notes the calendar window would get, as "note cell".
std::mutex g_notesLock;
std::vector<std::pair<int, int>> g_notes;

// The keys the owner window was given, in order.
std::string g_ownerKeys;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) {
        std::lock_guard<std::mutex> lock(g_notesLock);
        g_ownerKeys += static_cast<char>(wParam);
        return 0;
    }
    if (message == WM_DIALOG_NOTE) {
        std::lock_guard<std::mutex> lock(g_notesLock);
        g_notes.emplace_back(static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool Noted(int note, int cell) {
    std::lock_guard<std::mutex> lock(g_notesLock);
    for (const auto& n : g_notes)
        if (n.first == note && n.second == cell) return true;
    return false;
}

class MemoDialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&classes);
        std::snprintf(dir_, sizeof dir_, "%s", FreshTempFolder("tessel_dialogs").c_str());
        std::snprintf(g_files.memoPath, sizeof g_files.memoPath, "%s\\d_memo.ini", dir_);
        std::snprintf(g_files.yearMemoBase, sizeof g_files.yearMemoBase, "%s\\d_memo", dir_);
        SetMemoFiles(g_files);
        SetConfigPath((std::string(dir_) + "\\d.ini").c_str());
        LoadCountdowns(g_files.memoPath);
        owner_ = CreateOwnerWindow("TesselNoteOwner", OwnerProc);
        std::lock_guard<std::mutex> lock(g_notesLock);
        g_notes.clear();
        g_ownerKeys.clear();
    }
    void TearDown() override {
        DestroyWindow(owner_);
        ResetProcessState();
    }
    static std::string Memo(int y, int m, int d) { return ReadMemo(y, m, d); }
    bool YearFileExists(int year) const {
        char path[MAX_PATH];
        std::snprintf(path, sizeof path, "%s\\d_memo%d.ini", dir_, year);
        return FileAttributes(path) != INVALID_FILE_ATTRIBUTES;
    }
    HWND owner_ = nullptr;
    char dir_[MAX_PATH] = "";
    Colour colours_[16] = {};  // the tag dialog's custom colours
};

// The record says whether OK puts the lines in time order.
TEST_F(MemoDialogs, OkPutsTheLinesInTimeOrderWhenTheRecordSaysSo) {
    for (bool sort : {false, true}) {
        DateMemoDialog dialog = {2026, 7, 15, DayNumberOf(2026, 6, 28), 35, false, 0, sort,
                                 g_files.memoPath, colours_, false};
        EXPECT_EQ(IDOK, DriveDialog("日付メモ", [&] { return OpenDateMemoDialog(owner_, &dialog); }, [&](HWND d) {
            Type(d, IDC_DATE_MEMO_TEXT, "b 10:00\r\na 9:00");
            Press(d, IDOK);
        }));
        EXPECT_EQ(Memo(2026, 7, 15), sort ? "a 9:00\r\nb 10:00" : "b 10:00\r\na 9:00") << sort;
    }
}

TEST_F(MemoDialogs, TypingPreviewsCancelKeepsTheStoredMemoAndAnotherDateStoresTheOldOne) {
    ASSERT_TRUE(WriteMemo(2026, 7, 15, "stored", false).ok());
    const int cell15 = kCellDayBase + 17;  // the table starts on 28 June
    DateMemoDialog dialog = {2026, 7, 15, DayNumberOf(2026, 6, 28), 35, true, 0, false,
                             g_files.memoPath, colours_, false};
    INT_PTR result = DriveDialog("日付メモ", [&] { return OpenDateMemoDialog(owner_, &dialog); }, [&](HWND d) {
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
        EXPECT_EQ(SendDlgItemMessageW(d, IDC_DATE_MEMO_DAY, CB_GETCOUNT, 0, 0), 28);
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

TEST_F(MemoDialogs, AppendModeAndASeriesThatStopsAtTheEndOf2099) {
    ASSERT_TRUE(WriteMemo(2099, 12, 20, "a", false).ok());
    RepeatList list = {{{30, 0, 0}}, 1};  // '  30日先まで 毎日'
    ASSERT_TRUE(SaveRepeatList(g_files.memoPath, list));
    DateMemoDialog dialog = {2099, 12, 20, DayNumberOf(2099, 11, 29), 42, false, 0, false,
                             g_files.memoPath, colours_, false};
    INT_PTR result = DriveDialog("日付メモ", [&] { return OpenDateMemoDialog(owner_, &dialog); }, [&](HWND d) {
        EXPECT_EQ(SendDlgItemMessageW(d, IDC_DATE_MEMO_YEAR, CB_GETCOUNT, 0, 0), 6);  // 2094 ... 2099
        EXPECT_EQ(ListText(d, IDC_DATE_MEMO_YEAR), "2099");
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
    EXPECT_EQ(Memo(2099, 12, 20), "a\r\nx");
    EXPECT_EQ(Memo(2099, 12, 31), "x");
    EXPECT_FALSE(YearFileExists(2100));
    int cell = 0;
    ASSERT_TRUE(UndoMemoChange(&cell));  // the whole series is one step
    EXPECT_EQ(Memo(2099, 12, 20), "a");
    EXPECT_EQ(Memo(2099, 12, 31), "");
}

// A memo with a character the memo files cannot hold is refused by name at OK: nothing is stored
// and the dialog stays open with what was typed, which then stores once the character is gone.
TEST_F(MemoDialogs, OkRefusesACharacterTheMemoFilesCannotHold) {
    DateMemoDialog dialog = {2026, 7, 15, DayNumberOf(2026, 6, 28), 35, false, 0, false,
                             g_files.memoPath, colours_, false};
    std::string told;
    bool stillOpen = false;
    std::string kept;
    INT_PTR result = DriveDialog("日付メモ", [&] { return OpenDateMemoDialog(owner_, &dialog); }, [&](HWND d) {
        TypeWide(d, IDC_DATE_MEMO_TEXT, L"会議 \U0001F600 9:30");
        Press(d, IDOK);
        HWND box = WaitForWindow("Tessel");
        if (!box) return;
        told = WindowText(GetDlgItem(box, 0xFFFF));
        std::wstring wideTold = WideWindowText(GetDlgItem(box, 0xFFFF));
        EXPECT_NE(wideTold.find(L"「\U0001F600」(U+1F600)"), std::wstring::npos) << told;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 200 && IsWindow(box); ++i) Sleep(10);
        stillOpen = IsWindowVisible(d) != 0;
        kept = Memo(2026, 7, 15);
        Type(d, IDC_DATE_MEMO_TEXT, "会議 9:30");
        Press(d, IDOK);
    });
    EXPECT_NE(told.find("メモに使えない文字です"), std::string::npos) << told;
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(kept, "");  // nothing was stored at the refused OK
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Memo(2026, 7, 15), "会議 9:30");
}

TEST_F(MemoDialogs, EscapeStopsALongSeries) {
    RepeatList list = {{{9999, 0, 0}}, 1};
    ASSERT_TRUE(SaveRepeatList(g_files.memoPath, list));
    DateMemoDialog dialog = {2026, 7, 1, DayNumberOf(2026, 6, 28), 35, false, 0, false,
                             g_files.memoPath, colours_, false};
    std::atomic<bool> told{false};
    DriveDialog("日付メモ", [&] { return OpenDateMemoDialog(owner_, &dialog); }, [&](HWND d) {
        Choose(d, IDC_DATE_MEMO_REPEAT, 1);
        Type(d, IDC_DATE_MEMO_TEXT, "daily");
        Press(d, IDOK);
        // Keys pressed while the series runs: only the Escape is taken.
        PostMessageW(owner_, WM_KEYDOWN, 'A', 0);
        PostMessageW(GetDlgItem(d, IDC_DATE_MEMO_TEXT), WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageW(owner_, WM_KEYDOWN, 'B', 0);
        HWND box = WaitForWindow("Tessel");
        if (!box) return;
        told = ItemText(box, 0xFFFF) == "途中で中止しました";
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(told);
    EXPECT_EQ(Memo(2026, 7, 1), "daily");
    EXPECT_FALSE(YearFileExists(2030));
    for (MSG m; PeekMessageW(&m, owner_, 0, 0, PM_REMOVE);) DispatchMessageW(&m);
    std::lock_guard<std::mutex> lock(g_notesLock);
    EXPECT_EQ(g_ownerKeys, "AB");
}

// The first key typed adds to the memo instead of replacing it.
TEST_F(MemoDialogs, EachMemoDialogOpensWithTheCaretBehindTheText) {
    auto typeKey = [](HWND d, int id) { TypeKeys(GetDlgItem(d, id), L"!"); };
    ASSERT_TRUE(WriteMemo(2026, 7, 15, "stored\r\nline", false).ok());
    DateMemoDialog date = {2026, 7, 15, DayNumberOf(2026, 6, 28), 35, false, 0, false,
                           g_files.memoPath, colours_, false};
    DriveDialog("日付メモ", [&] { return OpenDateMemoDialog(owner_, &date); }, [&](HWND d) {
        typeKey(d, IDC_DATE_MEMO_TEXT);
        EXPECT_EQ(Text(d, IDC_DATE_MEMO_TEXT), "stored\r\nline!");
        Press(d, IDCANCEL);
    });
    ASSERT_TRUE(WriteFreeMemo("free", 4).ok());
    FreeMemoDialog free = {0, 4, colours_, false};
    DriveDialog("メモ", [&] { return OpenFreeMemoDialog(owner_, &free); }, [&](HWND d) {
        typeKey(d, IDC_FREE_MEMO_TEXT);
        EXPECT_EQ(Text(d, IDC_FREE_MEMO_TEXT), "free!");
        Press(d, IDCANCEL);
    });
    ASSERT_TRUE(AddCountdownRecorded(2026, 8, 1, "trip"));
    CountdownDialog countdown = {0, 0, 0, 0, kToday, kCellCountdownBase, false};
    DriveDialog("あと何日メモ", [&] { return OpenCountdownDialog(owner_, &countdown); }, [&](HWND d) {
        typeKey(d, IDC_COUNTDOWN_TEXT);
        EXPECT_EQ(Text(d, IDC_COUNTDOWN_TEXT), "trip!");
        Press(d, IDCANCEL);
    });
}

TEST_F(MemoDialogs, RepeatSettingsByDayCountOrEndDate) {
    RepeatList list = {};
    RepeatDialog dialog = {2026, 3, 1, nullptr, &list, g_files.memoPath};
    auto open = [&] { return OpenRepeatDialog(owner_, &dialog); };
    EXPECT_EQ(IDOK, DriveDialog("繰り返し入力設定", open, [&](HWND d) {
        Type(d, IDC_REPEAT_DAYS, "7");
        EXPECT_EQ(ListText(d, IDC_REPEAT_DAY), "8");  // 8 March: the end
        Choose(d, IDC_REPEAT_END_KIND, 1);
        Press(d, IDOK);
    }));
    ASSERT_EQ(list.count, 1);
    EXPECT_EQ(list.rules[0].dayCount * 100 + list.rules[0].endKind * 10 + list.rules[0].repeatKind, 710);
    EXPECT_EQ(IDOK, DriveDialog("繰り返し入力設定", open, [&](HWND d) {
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
    CountdownDialog add = {-1, 2026, 7, 15, kToday, kCellDayBase, false};
    EXPECT_EQ(IDOK, DriveDialog("あと何日メモ", [&] { return OpenCountdownDialog(owner_, &add); }, [&](HWND d) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_COUNTDOWN_DELETE)));
        EXPECT_EQ(Text(d, IDC_COUNTDOWN_DAYS), "0");
        Type(d, IDC_COUNTDOWN_DAYS, "-3");
        EXPECT_EQ(ListText(d, IDC_COUNTDOWN_DAY), "12");
        Type(d, IDC_COUNTDOWN_TEXT, "Trip");
        Press(d, IDOK);
    }));
    ASSERT_EQ(CountdownCount(), 1);
    EXPECT_EQ(g_countdowns.memos[0].day, 12);
    CountdownDialog replace = {0, 0, 0, 0, kToday, kCellCountdownBase, false};
    std::string longText;
    for (int i = 0; i < 150; ++i) longText += "\x93\xfa";  // 300 bytes pasted
    EXPECT_EQ(IDOK, DriveDialog("あと何日メモ", [&] { return OpenCountdownDialog(owner_, &replace); }, [&](HWND d) {
        EXPECT_EQ(Text(d, IDC_COUNTDOWN_TEXT), "Trip");
        EXPECT_EQ(Text(d, IDC_COUNTDOWN_DAYS), "-3");
        Type(d, IDC_COUNTDOWN_DAYS, "60000");  // the date held at 2099-12-31
        EXPECT_EQ(ListText(d, IDC_COUNTDOWN_YEAR) + "/" + ListText(d, IDC_COUNTDOWN_DAY), "2099/31");
        Type(d, IDC_COUNTDOWN_DAYS, "20000");  // far past 2035 and 9999 days
        EXPECT_EQ(Text(d, IDC_COUNTDOWN_DAYS), "20000");
        EXPECT_EQ(ListText(d, IDC_COUNTDOWN_YEAR) + "/" + ListText(d, IDC_COUNTDOWN_DAY), "2081/17");
        Type(d, IDC_COUNTDOWN_TEXT, longText.c_str());
        Press(d, IDOK);
    }));
    ASSERT_EQ(CountdownCount(), 1);
    const CountdownMemo& m = g_countdowns.memos[0];
    EXPECT_EQ(m.year * 10000 + m.month * 100 + m.day, 20810417);
    EXPECT_LE(std::string(m.text).size(), 255u);
    EXPECT_EQ(std::string(m.text), longText.substr(0, std::string(m.text).size()));  // whole characters
    int cell = 0;
    ASSERT_TRUE(UndoMemoChange(&cell));  // the replacement undoes in one step
    ASSERT_EQ(CountdownCount(), 1);
    EXPECT_STREQ(g_countdowns.memos[0].text, "Trip");
    CountdownDialog remove = {0, 0, 0, 0, kToday, kCellCountdownBase, false};
    EXPECT_EQ(IDC_COUNTDOWN_DELETE, DriveDialog("あと何日メモ", [&] { return OpenCountdownDialog(owner_, &remove); },
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
    FreeMemoDialog dialog = {3, 4, colours_, false};
    POINT placed = {};
    EXPECT_EQ(IDOK, DriveDialog("メモ", [&] { return OpenFreeMemoDialog(owner_, &dialog); }, [&](HWND d) {
        Type(d, IDC_FREE_MEMO_TEXT, "free\r\nmemo");
        EXPECT_STREQ(WorkingTextOrEmpty(), "free\r\nmemo");
        EXPECT_EQ(g_edit.editingCell, kCellMemoBox);
        EXPECT_TRUE(Noted(kNoteRepaintCell, kCellMemoBox));
        SetWindowPos(d, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Press(d, IDOK);
    }));
    EXPECT_EQ(ReadFreeMemo(4), "free\r\nmemo");
    EXPECT_TRUE(dialog.stored);
    EXPECT_EQ(IDCANCEL, DriveDialog("メモ", [&] { return OpenFreeMemoDialog(owner_, &dialog); }, [&](HWND d) {
        RECT r;
        GetWindowRect(d, &r);
        placed = {r.left, r.top};
        Press(d, IDCANCEL);
    }));
    EXPECT_EQ(placed.x * 1000 + placed.y, 123077);  // opened where it was left
}

TEST_F(MemoDialogs, PhrasesEditedMovedAndSavedOnlyOnOk) {
    ASSERT_TRUE(WritePhrase(0, "first"));
    PhraseDialog dialog = {};
    auto open = [&] { return OpenPhraseDialog(owner_, &dialog); };
    EXPECT_EQ(IDCANCEL, DriveDialog("定型句の設定", open, [&](HWND d) {
        Type(d, IDC_PHRASE_TEXT, "changed");
        Press(d, IDCANCEL);
    }));
    EXPECT_EQ(ReadPhrase(0), "first");  // nothing written
    EXPECT_EQ(IDOK, DriveDialog("定型句の設定", open, [&](HWND d) {
        EXPECT_EQ(ListLine(d, IDC_PHRASE_LIST, 0), "first");
        EXPECT_EQ(ListLine(d, IDC_PHRASE_LIST, 15), "(未登録)");
        Pick(d, IDC_PHRASE_LIST, 2);
        Type(d, IDC_PHRASE_TEXT, "two\r\nlines");
        EXPECT_EQ(ListLine(d, IDC_PHRASE_LIST, 2), "two  lines");
        SendMessageW(d, WM_COMMAND, IDC_PHRASE_UP, 0);  // the phrase and its line move to slot 1
        EXPECT_EQ(ListLine(d, IDC_PHRASE_LIST, 1), "two  lines");
        EXPECT_EQ(SendDlgItemMessageW(d, IDC_PHRASE_LIST, LB_GETCURSEL, 0, 0), 1);
        Pick(d, IDC_PHRASE_LIST, 0);
        Type(d, IDC_PHRASE_TEXT, "");
        Pick(d, IDC_PHRASE_LIST, 15);
        SendMessageW(d, WM_COMMAND, IDC_PHRASE_DOWN, 0);  // nothing below the last
        EXPECT_EQ(SendDlgItemMessageW(d, IDC_PHRASE_LIST, LB_GETCURSEL, 0, 0), 15);
        Press(d, IDOK);
    }));
    EXPECT_TRUE(dialog.saved);
    EXPECT_EQ(ReadPhrase(0), "");  // a cleared phrase deletes its key
    EXPECT_EQ(ReadPhrase(1), "two\r\nlines");
    int cell = 0;
    EXPECT_FALSE(UndoMemoChange(&cell));  // phrases are not undone
}

TEST_F(MemoDialogs, TagWordsStylesAndTheAlarmEntry) {
    ResetTags();
    TagDialog dialog = {g_app.design.custColors, false};
    EXPECT_EQ(IDOK, DriveDialog("タグ文字の設定", [&] { return OpenTagDialog(owner_, &dialog); }, [&](HWND d) {
        EXPECT_EQ(ListLine(d, IDC_TAG_LIST, 0), "アラーム時刻");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_TAG_WORD)));
        Pick(d, IDC_TAG_LIST, 3);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_TAG_WORD)));
        Type(d, IDC_TAG_WORD, "a,b");
        EXPECT_EQ(ListLine(d, IDC_TAG_LIST, 3), "a_b");
        SendDlgItemMessageW(d, IDC_TAG_BOLD, BM_CLICK, 0, 0);
        SendDlgItemMessageW(d, IDC_TAG_STRIKE, BM_CLICK, 0, 0);
        Pick(d, IDC_TAG_LIST, 4);
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_TAG_BOLD), static_cast<UINT>(BST_UNCHECKED));
        Press(d, IDOK);
    }));
    EXPECT_TRUE(dialog.changed);
    EXPECT_STREQ(g_tags[3].word, "a_b");
    EXPECT_EQ(g_tags[3].bold * 100 + g_tags[3].italic * 10 + g_tags[3].strikeOut, 101);
    char value[64] = "";
    ReadProfileText("COLORTAG", "TAG3", "", value, sizeof value);
    EXPECT_STREQ(value, "a_b,000000,1,0,1");
}

}  // namespace
