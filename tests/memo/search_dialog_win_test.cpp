// The memo search dialog driven as a user would, over real year memo files: its template and
// columns, the empty keyword, a search (a tag word, a line break, a day April lacks, a year
// without a file between two with one), sorting by a header click with the selection following
// its row, Copy as OEM and Unicode text in the order shown, a search without hits, and the
// columns' sort direction kept into the next opening.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/process_state.h"
#include "base/sjis.h"
#include "base/win/owner_notes.h"
#include "base/win/wide_text.h"
#include "config/file_names.h"
#include "config/tags.h"
#include "memo/memo_store.h"
#include "memo/search_dialog_win.h"
#include "resources/resource.h"
#include "tests/dialog_driver_win.h"

namespace {

HWND ResultList(HWND d) { return GetDlgItem(d, IDC_SEARCH_RESULTS); }

int RowCount(HWND d) { return static_cast<int>(SendMessageW(ResultList(d), LVM_GETITEMCOUNT, 0, 0)); }

// The list as it shows itself: "date|text" a row.
std::string Rows(HWND d) {
    std::string out;
    for (int row = 0; row < RowCount(d); ++row) {
        for (int column = 0; column < 2; ++column) {
            wchar_t buf[300] = L"";
            LVITEMW item = {};
            item.iSubItem = column;
            item.pszText = buf;
            item.cchTextMax = static_cast<int>(std::size(buf));
            SendMessageW(ResultList(d), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            out += Sjis(buf);
            out += column == 0 ? "|" : "\n";
        }
    }
    return out;
}

// A click on a column's header, pressed and released at its middle.
void ClickColumn(HWND d, int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(ResultList(d), LVM_GETHEADER, 0, 0));
    RECT r = {};
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(header, WM_LBUTTONUP, 0, at);
}

int SelectedRow(HWND d) {
    return static_cast<int>(SendMessageW(ResultList(d), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// The control that has the keyboard focus in the dialog's thread.
HWND FocusOf(HWND d) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(d, nullptr), &info);
    return info.hwndFocus;
}

std::string OemTextOnClipboard() {
    std::string text;
    if (!OpenClipboard(nullptr)) return "(not open)";
    if (HANDLE data = GetClipboardData(CF_OEMTEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) text = p;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// What other programs paste.
std::wstring UnicodeTextOnClipboard() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return L"(not open)";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(data))) text = p;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

class SearchDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&classes);
        std::snprintf(dir_, sizeof dir_, "%s", FreshTempFolder("tessel_search_dialog").c_str());
        std::snprintf(g_files.memoPath, sizeof g_files.memoPath, "%s\\s_memo.ini", dir_);
        std::snprintf(g_files.yearMemoBase, sizeof g_files.yearMemoBase, "%s\\s_memo", dir_);
        SetMemoFiles(g_files);
        CopyField(g_tags[1].word, sizeof g_tags[1].word, "[会議]");
        owner_ = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    void TearDown() override {
        DestroyWindow(owner_);
        for (const char* name : {"s_memo.ini", "s_memo2022.ini", "s_memo2024.ini"})
            DeleteFileW(Wide(std::string(dir_) + "\\" + name).c_str());
        RemoveDirectoryW(Wide(dir_).c_str());
        ResetProcessState();
    }
    INT_PTR Open(const std::function<void(HWND)>& drive) {
        SearchDialog dialog = {owner_, g_files.memoPath, &g_tags};
        return DriveDialog("メモ検索", [&] { return OpenSearchDialog(owner_, &dialog); }, drive);
    }
    HWND owner_ = nullptr;
    char dir_[MAX_PATH] = "";
};

TEST_F(SearchDialogTest, SearchSortCopyAndSearchAgain) {
    ASSERT_TRUE(WriteMemo(2022, 3, 31, "朝会議\r\n10:00 本社", false).ok());
    ASSERT_TRUE(WriteMemo(2022, 4, 31, "会議", false).ok());          // a day April lacks
    ASSERT_TRUE(WriteMemo(2022, 5, 1, "会\r\n議", false).ok());        // across a line break
    ASSERT_TRUE(WriteMemo(2022, 6, 1, "[会議]のみ", false).ok());      // only inside the tag word
    ASSERT_TRUE(WriteMemo(2024, 1, 10, "[会議] Budget 会議", false).ok());
    ASSERT_TRUE(WriteMemo(2024, 2, 2, "AB", false).ok());
    ASSERT_TRUE(WriteMemo(2024, 12, 1, "b会議", false).ok());
    ASSERT_TRUE(WriteFreeMemo("会議 ab", 4).ok());                         // the free memo is not searched
    const std::string found = "2022/03/31|朝会議  10:00 本社\n"
                              "2022/04/31|会議\n"
                              "2024/01/10| Budget 会議\n"
                              "2024/12/01|b会議\n";
    const std::string ascending = "2024/01/10| Budget 会議\n"
                                  "2024/12/01|b会議\n"
                                  "2022/04/31|会議\n"
                                  "2022/03/31|朝会議  10:00 本社\n";
    INT_PTR result = Open([&](HWND d) {
        EXPECT_EQ(WindowText(d), "メモ検索");
        RECT units = {0, 0, 273, 171}, client, window;
        MapDialogRect(d, &units);
        GetClientRect(d, &client);
        EXPECT_EQ(client.right, units.right);
        EXPECT_EQ(client.bottom, units.bottom);
        GetWindowRect(d, &window);
        EXPECT_NEAR((window.left + window.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);  // centred
        EXPECT_NEAR((window.top + window.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
        EXPECT_EQ(GetWindowLongW(ResultList(d), GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
        EXPECT_TRUE(SendMessageW(ResultList(d), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
        const char* titles[] = {"日付", "メモ"};
        // The date column holds a whole date in the list's font with its margins (at least 70
        // pixels); the memo column is 370.
        int dateWidth = static_cast<int>(
            SendMessageW(ResultList(d), LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(L"2026/12/31")));
        const int widths[] = {std::max(70, dateWidth + 16), 370};
        for (int c = 0; c < 2; ++c) {
            wchar_t title[32] = L"";
            LVCOLUMNW column = {};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.pszText = title;
            column.cchTextMax = static_cast<int>(std::size(title));
            SendMessageW(ResultList(d), LVM_GETCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
            EXPECT_EQ(Sjis(title), titles[c]);
            EXPECT_EQ(column.cx, widths[c]);
        }
        // The list shortens a text whose width and margins do not fit its column.
        EXPECT_GE(SendMessageW(ResultList(d), LVM_GETCOLUMNWIDTH, 0, 0), dateWidth + 12);
        EXPECT_EQ(Text(d, IDC_SEARCH_FIND), "検索");
        EXPECT_EQ(Text(d, IDC_SEARCH_COPY), "コピー(&C)");
        EXPECT_EQ(Text(d, IDCANCEL), "キャンセル");
        EXPECT_EQ(FocusOf(d), GetDlgItem(d, IDC_SEARCH_KEYWORD));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_SEARCH_COPY)));

        Click(d, IDC_SEARCH_FIND);
        EXPECT_EQ(Text(d, IDC_SEARCH_STATUS), "キーワードを指定してください");
        EXPECT_EQ(FocusOf(d), GetDlgItem(d, IDC_SEARCH_KEYWORD));

        SetItemText(d, IDC_SEARCH_KEYWORD, "会議");
        Click(d, IDC_SEARCH_FIND);
        EXPECT_EQ(Text(d, IDC_SEARCH_STATUS), "4件見つかりました");
        EXPECT_EQ(Rows(d), found);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_SEARCH_COPY)));

        // The first click on a column sorts it descending, the next ascending; ASCII letters
        // compare folded, so "b" (42) comes after a blank and before any double-byte lead.
        LVITEMW select = {};
        select.state = select.stateMask = LVIS_SELECTED;
        SendMessageW(ResultList(d), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&select));
        ClickColumn(d, 1);
        EXPECT_EQ(Rows(d), "2022/03/31|朝会議  10:00 本社\n"
                           "2022/04/31|会議\n"
                           "2024/12/01|b会議\n"
                           "2024/01/10| Budget 会議\n");
        ClickColumn(d, 1);
        EXPECT_EQ(Rows(d), ascending);
        EXPECT_EQ(SelectedRow(d), 3);  // the selection went with its row

        Click(d, IDC_SEARCH_COPY);
        EXPECT_EQ(Text(d, IDC_SEARCH_STATUS), "検索結果をクリップボードにコピーしました");
        EXPECT_EQ(GetClipboardOwner(), owner_);
        const std::string copied = "2024/01/10\t Budget 会議\r\n"
                                   "2024/12/01\tb会議\r\n"
                                   "2022/04/31\t会議\r\n"
                                   "2022/03/31\t朝会議  10:00 本社\r\n";
        EXPECT_EQ(OemTextOnClipboard(), copied);
        EXPECT_EQ(UnicodeTextOnClipboard(), Wide(copied));

        ClickColumn(d, 1);  // descending again, and so left for the next dialog
        EXPECT_EQ(Rows(d).substr(0, 11), "2022/03/31|");

        // Letter case counts: "ab" finds nothing of "AB"; the rows found before are gone.
        SetItemText(d, IDC_SEARCH_KEYWORD, "ab");
        Click(d, IDC_SEARCH_FIND);
        EXPECT_EQ(Text(d, IDC_SEARCH_STATUS), "該当するメモは見つかりませんでした");
        EXPECT_EQ(RowCount(d), 0);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_SEARCH_COPY)));
        Press(d, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);

    // The memo column was left descending: in the next dialog its first click sorts ascending.
    Open([&](HWND d) {
        SetItemText(d, IDC_SEARCH_KEYWORD, "会議");
        Click(d, IDC_SEARCH_FIND);
        EXPECT_EQ(Rows(d), found);  // found in date order, whatever the last sort was
        ClickColumn(d, 1);
        EXPECT_EQ(Rows(d), ascending);
        ClickColumn(d, 0);  // the date column has a state of its own: descending first
        EXPECT_EQ(Rows(d).substr(0, 11), "2024/12/01|");
        Press(d, IDCANCEL);
    });
}
std::vector<LPARAM> g_shownDays;  // the kNoteShowDay notes the owner took

LRESULT CALLBACK NoteOwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DIALOG_NOTE && wParam == kNoteShowDay) g_shownDays.push_back(lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A double click on a hit tells the calendar which day to show; the dialog stays for the next.
TEST_F(SearchDialogTest, DoubleClickOnAHitTellsTheOwnerItsDay) {
    ASSERT_TRUE(WriteMemo(2022, 3, 31, "会議", false).ok());
    ASSERT_TRUE(WriteMemo(2024, 12, 1, "b会議", false).ok());
    HWND owner = CreateOwnerWindow("TesselSearchOwner", NoteOwnerProc);
    g_shownDays.clear();
    SearchDialog dialog = {owner, g_files.memoPath, &g_tags};
    DriveDialog("メモ検索", [&] { return OpenSearchDialog(owner, &dialog); }, [&](HWND d) {
        SetItemText(d, IDC_SEARCH_KEYWORD, "会議");
        Click(d, IDC_SEARCH_FIND);
        ASSERT_EQ(RowCount(d), 2);
        ClickColumn(d, 0);  // descending: 2024/12/01 first
        ASSERT_EQ(Rows(d).substr(0, 11), "2024/12/01|");
        for (int row : {0, 1}) {
            RECT r = {};
            r.left = LVIR_LABEL;
            SendMessageW(ResultList(d), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
            LPARAM at = MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2);
            SendMessageW(ResultList(d), WM_LBUTTONDOWN, MK_LBUTTON, at);
            SendMessageW(ResultList(d), WM_LBUTTONUP, 0, at);
            SendMessageW(ResultList(d), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            SendMessageW(ResultList(d), WM_LBUTTONUP, 0, at);
        }
        EXPECT_TRUE(IsWindowVisible(d));
        Press(d, IDCANCEL);
    });
    DestroyWindow(owner);
    EXPECT_EQ(g_shownDays, (std::vector<LPARAM>{20241201, 20220331}));
}
}  // namespace
