// The holiday and regular memo dialog driven as a user would, from a second thread while it runs
// modal in the test's thread, on real holiday files: rules typed (their years too), added,
// deleted, sorted by a click on the header, applied and saved in the order shown; Cancel reads the
// file back.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include "app/process_state.h"
#include "base/win/owner_notes.h"
#include "base/win/wide_text.h"
#include "calendar/holiday_dialog_win.h"
#include "calendar/holiday_rules.h"
#include "resources/resource.h"
#include "tests/dialog_driver_win.h"

namespace {

std::mutex g_notesLock;
int g_rebuilds = 0;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DIALOG_NOTE && wParam == kNoteRebuild) {
        std::lock_guard<std::mutex> lock(g_notesLock);
        ++g_rebuilds;
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

int Rebuilds() {
    std::lock_guard<std::mutex> lock(g_notesLock);
    return g_rebuilds;
}

bool Enabled(HWND d, int id) { return IsWindowEnabled(GetDlgItem(d, id)) != FALSE; }
bool Checked(HWND d, int id) { return IsDlgButtonChecked(d, id) == BST_CHECKED; }

HWND ListOf(HWND d) { return GetDlgItem(d, IDC_HOLIDAY_LIST); }
int Rows(HWND d) { return static_cast<int>(SendMessageW(ListOf(d), LVM_GETITEMCOUNT, 0, 0)); }
int SelectedRow(HWND d) {
    return static_cast<int>(SendMessageW(ListOf(d), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// A row's four texts as "kind|date|years|memo".
std::string Row(HWND d, int row) {
    std::string out;
    for (int column = 0; column < 4; ++column) {
        wchar_t buf[160] = L"";
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = buf;
        item.cchTextMax = static_cast<int>(std::size(buf));
        SendMessageW(ListOf(d), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        out += (column ? "|" : "") + Sjis(buf);
    }
    return out;
}

// Every row's memo text, in the order shown.
std::string Memos(HWND d) {
    std::string out;
    for (int row = 0; row < Rows(d); ++row) {
        std::string r = Row(d, row);
        out += (row ? " " : "") + r.substr(r.rfind('|') + 1);
    }
    return out;
}

// The user clicks a row.
void SelectRow(HWND d, int row) {
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(ListOf(d), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
}

// The user clicks a column's header.
void ClickHeader(HWND d, int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(ListOf(d), LVM_GETHEADER, 0, 0));
    RECT r;
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(header, WM_LBUTTONUP, 0, at);
}

std::string FileText(const std::string& path) { return WholeFile(path); }

std::string TableTexts() {
    std::string out;
    for (int i = 0; i < g_holidayRules.count; ++i) out += std::string(i ? " " : "") + g_holidayRules.rules[i].text;
    return out;
}

class HolidayDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&classes);
        dir_ = FreshTempFolder("tessel_holidays");
        path_ = dir_ + "\\d_holiday.ini";
        owner_ = CreateOwnerWindow("TesselHolidayOwner", OwnerProc);
        std::lock_guard<std::mutex> lock(g_notesLock);
        g_rebuilds = 0;
    }
    void TearDown() override {
        DestroyWindow(owner_);
        DeleteFileW(Wide(path_).c_str());
        RemoveDirectoryW(Wide(dir_).c_str());
        ResetProcessState();
    }
    void WriteFile(const std::string& text) { ASSERT_TRUE(PutWholeFile(path_, text)); }
    // Opens the dialog over the loaded rules while drive(dialog) acts on it from another thread.
    INT_PTR Drive(HolidayDialog* dialog, const std::function<void(HWND)>& drive) {
        LoadHolidayRules(path_.c_str());
        return DriveDialog("祝日/定例メモの設定", [&] { return OpenHolidayDialog(owner_, dialog); }, drive);
    }
    std::string dir_, path_;
    HWND owner_ = nullptr;
};

TEST_F(HolidayDialogTest, RulesAddedEditedDeletedSortedAppliedAndSavedInTheOrderShown) {
    HolidayDialog dialog = {path_.c_str(), false};
    INT_PTR result = Drive(&dialog, [&](HWND d) {
        // The empty file: no row, the blank template in the controls.
        HWND list = ListOf(d);
        EXPECT_EQ(Rows(d), 0);
        const int widths[] = {70, 100, 84, 120};
        const char* titles[] = {"種類", "日付", "年", "メモ"};
        for (int c = 0; c < 4; ++c) {
            wchar_t title[32] = L"";
            LVCOLUMNW column = {};
            column.mask = LVCF_TEXT;
            column.pszText = title;
            column.cchTextMax = static_cast<int>(std::size(title));
            SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
            EXPECT_EQ(Sjis(title), titles[c]);
            EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0), widths[c]);
        }
        EXPECT_TRUE(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
        EXPECT_EQ(Text(d, IDC_HOLIDAY_KIND_HOLIDAY_MEMO), "定例メモ(祝日メモ)");
        EXPECT_EQ(SendDlgItemMessageW(d, IDC_HOLIDAY_MONTH, CB_GETCOUNT, 0, 0), 15);
        EXPECT_EQ(SendDlgItemMessageW(d, IDC_HOLIDAY_DAY, CB_GETCOUNT, 0, 0), 45);
        EXPECT_TRUE(Checked(d, IDC_HOLIDAY_KIND_NATIONAL));
        EXPECT_EQ(ListText(d, IDC_HOLIDAY_MONTH) + ListText(d, IDC_HOLIDAY_DAY), "1月1日");
        EXPECT_EQ(Text(d, IDC_HOLIDAY_TEXT), "");
        EXPECT_TRUE(Enabled(d, IDC_HOLIDAY_DAY));
        EXPECT_FALSE(Enabled(d, IDC_HOLIDAY_WEEKS));
        for (int id : {IDC_HOLIDAY_FIRST_YEAR, IDC_HOLIDAY_LAST_YEAR}) {
            EXPECT_EQ(Text(d, id), "");
            EXPECT_EQ(SendDlgItemMessageW(d, id, EM_GETLIMITTEXT, 0, 0), 4);
            EXPECT_TRUE(GetWindowLongW(GetDlgItem(d, id), GWL_STYLE) & ES_NUMBER);
        }
        GUITHREADINFO focus = {};
        focus.cbSize = sizeof focus;
        GetGUIThreadInfo(GetWindowThreadProcessId(d, nullptr), &focus);
        EXPECT_EQ(focus.hwndFocus, GetDlgItem(d, IDOK));

        // The first rule: the template with a memo, a kind, the vernal equinox day and a year.
        Type(d, IDC_HOLIDAY_TEXT, "春分");
        Click(d, IDC_HOLIDAY_KIND_PERSONAL);
        Choose(d, IDC_HOLIDAY_MONTH, 13);
        EXPECT_FALSE(Enabled(d, IDC_HOLIDAY_DAY));
        Type(d, IDC_HOLIDAY_FIRST_YEAR, "2000");
        Click(d, IDC_HOLIDAY_ADD);
        ASSERT_EQ(Rows(d), 1);
        EXPECT_EQ(Row(d, 0), "個人的休日|春分日|2000～|春分");
        EXPECT_EQ(SelectedRow(d), 0);

        // The second: a copy of the first, moved to 3 May and ended in 2010.
        Click(d, IDC_HOLIDAY_ADD);
        ASSERT_EQ(Rows(d), 2);
        EXPECT_EQ(SelectedRow(d), 1);
        EXPECT_EQ(Row(d, 1), "個人的休日|春分日|2000～|春分");
        Choose(d, IDC_HOLIDAY_MONTH, 5);
        EXPECT_TRUE(Enabled(d, IDC_HOLIDAY_DAY));
        Choose(d, IDC_HOLIDAY_DAY, 2);
        Type(d, IDC_HOLIDAY_TEXT, "憲法");
        Type(d, IDC_HOLIDAY_LAST_YEAR, "2010");
        EXPECT_EQ(Row(d, 1), "個人的休日|5月3日|2000～2010|憲法");
        EXPECT_EQ(Row(d, 0), "個人的休日|春分日|2000～|春分");  // edits go to the selected rule alone

        // The third: every month's Monday of the weeks 2 and 4, a date memo, every year.
        Click(d, IDC_HOLIDAY_ADD);
        Choose(d, IDC_HOLIDAY_MONTH, 0);
        Choose(d, IDC_HOLIDAY_DAY, 39);  // 隔週 月曜日, the list still empty: week 1
        EXPECT_EQ(ListText(d, IDC_HOLIDAY_DAY), "隔週 月曜日");
        EXPECT_TRUE(Enabled(d, IDC_HOLIDAY_WEEKS));
        EXPECT_EQ(Row(d, 2), "個人的休日|毎月第1月曜日|2000～2010|憲法");
        Type(d, IDC_HOLIDAY_WEEKS, "2,4");
        Type(d, IDC_HOLIDAY_TEXT, "休み");
        Click(d, IDC_HOLIDAY_KIND_DATE_MEMO);
        Type(d, IDC_HOLIDAY_FIRST_YEAR, "");
        Type(d, IDC_HOLIDAY_LAST_YEAR, "");
        EXPECT_EQ(Row(d, 2), "メモ(日付)|毎月第2,4月曜日||休み");

        // A fourth, deleted again: the row before it becomes current.
        Click(d, IDC_HOLIDAY_ADD);
        ASSERT_EQ(Rows(d), 4);
        Type(d, IDC_HOLIDAY_TEXT, "gone");
        Click(d, IDC_HOLIDAY_DELETE);
        ASSERT_EQ(Rows(d), 3);
        EXPECT_EQ(SelectedRow(d), 2);
        EXPECT_EQ(Text(d, IDC_HOLIDAY_TEXT), "休み");
        EXPECT_EQ(Text(d, IDC_HOLIDAY_WEEKS), "2,4");

        // 日付 sorts descending at the first click; 適用 saves in that order and keeps the dialog.
        ClickHeader(d, 1);
        EXPECT_EQ(Memos(d), "休み 憲法 春分");
        EXPECT_EQ(SelectedRow(d), 0);  // the selection went with its row
        Click(d, IDC_HOLIDAY_APPLY);
        EXPECT_EQ(Rebuilds(), 1);
        EXPECT_EQ(FileText(path_), "[SETTING]\r\n1=3,0,0,-1,0,2,0,2,0,0,休み\r\n2=1,5,3,-1,0,0,0,0,0,20002010,憲法\r\n"
                                   "3=1,13,1,-1,0,0,0,0,0,20000000,春分\r\n4=\r\n");
        EXPECT_EQ(TableTexts(), "休み 憲法 春分");
        EXPECT_TRUE(IsWindowVisible(d));
        // 年 sorts by the first year (open: the earliest), descending at its first click.
        ClickHeader(d, 2);
        EXPECT_EQ(Memos(d), "春分 憲法 休み");
        ClickHeader(d, 2);
        EXPECT_EQ(Memos(d), "休み 憲法 春分");

        // The second click turns about; a row picked shows its rule, which is edited; OK saves.
        ClickHeader(d, 1);
        EXPECT_EQ(Memos(d), "春分 憲法 休み");
        SelectRow(d, 1);
        EXPECT_EQ(Text(d, IDC_HOLIDAY_TEXT), "憲法");
        EXPECT_EQ(Text(d, IDC_HOLIDAY_FIRST_YEAR) + "|" + Text(d, IDC_HOLIDAY_LAST_YEAR), "2000|2010");
        EXPECT_EQ(ListText(d, IDC_HOLIDAY_MONTH) + ListText(d, IDC_HOLIDAY_DAY), "5月3日");
        EXPECT_FALSE(Enabled(d, IDC_HOLIDAY_WEEKS));
        SelectRow(d, 0);
        EXPECT_TRUE(Checked(d, IDC_HOLIDAY_KIND_PERSONAL));
        EXPECT_FALSE(Checked(d, IDC_HOLIDAY_KIND_DATE_MEMO));
        Type(d, IDC_HOLIDAY_TEXT, "春分の日");
        // A to year before the from year is refused: the row keeps the rule's years, the status
        // line says why, and OK saves nothing and leaves the dialog open on the edit to mend.
        EXPECT_EQ(Text(d, IDC_HOLIDAY_STATUS), "");
        Type(d, IDC_HOLIDAY_LAST_YEAR, "1990");
        EXPECT_EQ(Row(d, 0), "個人的休日|春分日|2000～|春分の日");
        EXPECT_EQ(Text(d, IDC_HOLIDAY_FIRST_YEAR) + "|" + Text(d, IDC_HOLIDAY_LAST_YEAR), "2000|1990");
        EXPECT_EQ(Text(d, IDC_HOLIDAY_STATUS), "終わりの年が始まりの年より前です。年を直してください");
        std::string applied = FileText(path_);
        Click(d, IDOK);
        EXPECT_TRUE(IsWindowVisible(d));
        EXPECT_EQ(FileText(path_), applied);
        GetGUIThreadInfo(GetWindowThreadProcessId(d, nullptr), &focus);
        EXPECT_EQ(focus.hwndFocus, GetDlgItem(d, IDC_HOLIDAY_LAST_YEAR));
        Click(d, IDC_HOLIDAY_APPLY);
        EXPECT_EQ(FileText(path_), applied);
        EXPECT_EQ(Rebuilds(), 1);
        // Years of fewer than four digits are refused as well; mended, the line clears.
        Type(d, IDC_HOLIDAY_LAST_YEAR, "99");
        EXPECT_EQ(Text(d, IDC_HOLIDAY_STATUS), "年は1000から9999までの4桁で指定してください（空欄は制限なし）");
        EXPECT_EQ(Row(d, 0), "個人的休日|春分日|2000～|春分の日");
        Type(d, IDC_HOLIDAY_FIRST_YEAR, "1990");
        Type(d, IDC_HOLIDAY_LAST_YEAR, "2000");
        EXPECT_EQ(Text(d, IDC_HOLIDAY_STATUS), "");
        EXPECT_EQ(Row(d, 0), "個人的休日|春分日|1990～2000|春分の日");
        Press(d, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(dialog.saved);
    EXPECT_EQ(FileText(path_), "[SETTING]\r\n1=1,13,1,-1,0,0,0,0,0,19902000,春分の日\r\n"
                               "2=1,5,3,-1,0,0,0,0,0,20002010,憲法\r\n3=3,0,0,-1,0,2,0,2,0,0,休み\r\n4=\r\n");
    EXPECT_EQ(TableTexts(), "春分の日 憲法 休み");
    EXPECT_EQ(g_holidayRules.rules[2].weekSlots[3], 2);
    EXPECT_EQ(Rebuilds(), 1);  // after OK the caller rebuilds
}

// A week list stays as it was typed while the dialog is open, with its own rule: through other
// rows chosen, and through 適用, which puts the rules in the order shown.
TEST_F(HolidayDialogTest, TypedWeekListsStayWithTheirRules) {
    WriteFile("[SETTING]\r\n1=0,1,0,-1,0,2,0,0,0,0,成人の日\r\n2=0,10,0,-1,0,2,0,0,0,0,体育の日\r\n");
    HolidayDialog dialog = {path_.c_str(), false};
    INT_PTR result = Drive(&dialog, [&](HWND d) {
        ASSERT_EQ(Rows(d), 2);
        Type(d, IDC_HOLIDAY_WEEKS, "2 and 4");
        SelectRow(d, 1);
        Type(d, IDC_HOLIDAY_WEEKS, "3rd");
        SelectRow(d, 0);
        EXPECT_EQ(Text(d, IDC_HOLIDAY_WEEKS), "2 and 4");  // as typed, not as the slots give it back
        EXPECT_EQ(Row(d, 0), "国民の祝日|1月第2,4月曜日||成人の日");
        ClickHeader(d, 3);  // メモ descending: 成人の日 comes last
        EXPECT_EQ(Memos(d), "体育の日 成人の日");
        Click(d, IDC_HOLIDAY_APPLY);
        SelectRow(d, 0);
        EXPECT_EQ(Text(d, IDC_HOLIDAY_TEXT), "体育の日");
        EXPECT_EQ(Text(d, IDC_HOLIDAY_WEEKS), "3rd");
        SelectRow(d, 1);
        EXPECT_EQ(Text(d, IDC_HOLIDAY_WEEKS), "2 and 4");
        Press(d, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(TableTexts(), "体育の日 成人の日");
    EXPECT_EQ(g_holidayRules.rules[1].weekSlots[3], 2);
}

TEST_F(HolidayDialogTest, CancelAfterEditsLeavesTheFileAndReadsTheRulesBack) {
    const std::string file = "[SETTING]\r\n1=0,1,1,-1,0,0,0,0,0,19480000,元日\r\n2=0,1,0,-1,0,2,0,0,0,0,成人の日\r\n"
                             "3=0,5,1,1,0,0,0,0,0,0,first monday\r\n4=1,4,31,-1,0,0,0,0,0,0,月末\r\n";
    WriteFile(file);
    HolidayDialog dialog = {path_.c_str(), false};
    INT_PTR result = Drive(&dialog, [&](HWND d) {
        ASSERT_EQ(Rows(d), 4);
        EXPECT_EQ(SelectedRow(d), 0);
        EXPECT_EQ(Text(d, IDC_HOLIDAY_TEXT), "元日");
        EXPECT_EQ(Text(d, IDC_HOLIDAY_FIRST_YEAR) + "|" + Text(d, IDC_HOLIDAY_LAST_YEAR), "1948|");
        EXPECT_EQ(Row(d, 0), "国民の祝日|1月1日|1948～|元日");
        EXPECT_EQ(Row(d, 1), "国民の祝日|1月第2月曜日||成人の日");
        EXPECT_EQ(Row(d, 3), "個人的休日|4月31日||月末");  // kept as written
        SelectRow(d, 1);
        EXPECT_EQ(ListText(d, IDC_HOLIDAY_DAY), "隔週 月曜日");
        EXPECT_EQ(Text(d, IDC_HOLIDAY_WEEKS), "2");
        EXPECT_TRUE(Enabled(d, IDC_HOLIDAY_WEEKS));
        EXPECT_EQ(Text(d, IDC_HOLIDAY_FIRST_YEAR), "");
        Type(d, IDC_HOLIDAY_WEEKS, "7");  // no week 7: the first week
        Type(d, IDC_HOLIDAY_LAST_YEAR, "1999");
        EXPECT_EQ(Row(d, 1), "国民の祝日|1月第1月曜日|～1999|成人の日");
        // A first-weekday rule shows the day it starts from; another day keeps its weekday.
        SelectRow(d, 2);
        EXPECT_EQ(ListText(d, IDC_HOLIDAY_DAY), "1日");
        Choose(d, IDC_HOLIDAY_DAY, 2);
        EXPECT_EQ(Row(d, 2), "国民の祝日|5月3日以降で最初の月曜日||first monday");
        Choose(d, IDC_HOLIDAY_DAY, 36);
        EXPECT_EQ(Row(d, 2), "国民の祝日|5月毎週金曜日||first monday");
        // A pasted text longer than 127 bytes is cut on a character boundary, in the edit too.
        std::string pasted;
        for (int i = 0; i < 100; ++i) pasted += "表";
        Type(d, IDC_HOLIDAY_TEXT, pasted.c_str());
        EXPECT_EQ(Text(d, IDC_HOLIDAY_TEXT), pasted.substr(0, 126));
        EXPECT_EQ(Row(d, 2), "国民の祝日|5月毎週金曜日||" + pasted.substr(0, 126));
        Click(d, IDC_HOLIDAY_ADD);
        SelectRow(d, 0);
        Click(d, IDC_HOLIDAY_DELETE);
        EXPECT_EQ(Rows(d), 4);
        ClickHeader(d, 3);
        Press(d, IDCANCEL);
    });
    EXPECT_EQ(result, 1);
    EXPECT_FALSE(dialog.saved);
    EXPECT_EQ(FileText(path_), file);
    EXPECT_EQ(TableTexts(), "元日 成人の日 first monday 月末");
    EXPECT_EQ(g_holidayRules.rules[1].weekSlots[1], 2);
    EXPECT_EQ(g_holidayRules.rules[2].day, 1);
    EXPECT_EQ(g_holidayRules.rules[1].years, 0);
    EXPECT_EQ(Rebuilds(), 0);
}

}  // namespace
