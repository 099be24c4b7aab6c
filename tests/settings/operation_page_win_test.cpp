// The settings page "操作" as the frame holds it: the real page made from its template as a
// child of a hidden window, filled from a working copy and changed as the user does.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/win/wide_text.h"
#include "config/edition.h"
#include "config/key_names_win.h"
#include "config/operations.h"
#include "resources/resource.h"
#include "settings/operation_rows.h"
#include "settings/settings_session_win.h"
#include "tests/dialog_driver_win.h"

namespace {
int g_changeSignals = 0;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTINGS_CHANGED) ++g_changeSignals;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

class OperationPage : public ::testing::Test {
protected:
    void SetUp() override {
        ResetOperations();
        SetEdition(TESSEL_CLASSIC ? kClassicEdition : kLayeredEdition);
        session_.frame = CreateOwnerWindow("TesselOperationPageFrame", FrameProc);
        session_.work.settings.dayscrollUnit = 1;
        session_.bindings = CurrentBindings();
        page_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTINGS_OPERATION), session_.frame,
                                   OperationPageProc, reinterpret_cast<LPARAM>(&session_));
        session_.pages[kOperationPage] = page_;
    }
    void TearDown() override {
        DestroyWindow(session_.frame);
        SetEdition(kLayeredEdition);
        ResetOperations();
    }
    void Fill() {
        FillOperationPage(page_, &session_);
        g_changeSignals = 0;
    }
    bool Checked(int id) const { return IsDlgButtonChecked(page_, id) == BST_CHECKED; }

    HWND page_ = nullptr;
    SettingsSession session_;
};
}  // namespace

TEST_F(OperationPage, FillShowsTheHotkeyTheSwitchesAndEveryOperation) {
    ASSERT_NE(page_, nullptr);
    session_.work.settings.hotkey = ((kHotkeyAlt | kHotkeyCtrl) << 8) | 'T';
    session_.work.settings.hotkeyToggle = HotkeyToggle::kToBottom;
    session_.work.settings.keyassignEnable = 1;
    session_.work.settings.dayscrollUnit = 3;
    Fill();
    EXPECT_TRUE(Checked(IDC_OPERATION_HOTKEY_ALT) && Checked(IDC_OPERATION_HOTKEY_CTRL));
    EXPECT_FALSE(Checked(IDC_OPERATION_HOTKEY_SHIFT) || Checked(IDC_OPERATION_HOTKEY_WIN));
    ASSERT_FALSE(KeyNameOf('T').empty());
    EXPECT_EQ(ListText(page_, IDC_OPERATION_HOTKEY_KEY), KeyNameOf('T'));
    EXPECT_TRUE(Checked(IDC_OPERATION_HOTKEY_TO_BOTTOM));
    EXPECT_TRUE(Checked(IDC_OPERATION_KEYASSIGN_ENABLE));
    EXPECT_FALSE(Checked(IDC_OPERATION_QUICKMEMO_ENABLE));
    EXPECT_EQ(Text(page_, IDC_OPERATION_DAYSCROLL_UNIT), "3");
    ASSERT_EQ(SendDlgItemMessageW(page_, IDC_OPERATION_LIST, LB_GETCOUNT, 0, 0), kOperationCount);
    EXPECT_EQ(ListLine(page_, IDC_OPERATION_LIST, 0),
              std::string("前月を表示\t") + KeyNameOf(33) + "\t" + kMouseActionNames[kMouseWheelForward]);
    EXPECT_EQ(session_.bindings.key[0], 33);
    EXPECT_EQ(g_changeSignals, 0);
    session_.work.settings.hotkey = 0;
    Fill();
    EXPECT_EQ(ListText(page_, IDC_OPERATION_HOTKEY_KEY), "(なし)");
    Click(page_, IDC_OPERATION_HOTKEY_WIN);
    EXPECT_EQ(g_changeSignals, 1);
}

TEST_F(OperationPage, BindingCtrlXRewritesTheRowAndWaitsToBeKept) {
    ASSERT_NE(page_, nullptr);
    Fill();
    const int home = 2;  // 今月を表示: Home, no mouse action
    Pick(page_, IDC_OPERATION_LIST, home);
    EXPECT_EQ(ListText(page_, IDC_OPERATION_KEY), KeyNameOf(36));
    EXPECT_EQ(ListText(page_, IDC_OPERATION_MOUSE), "(なし)");
    Click(page_, IDC_OPERATION_KEY_CTRL);
    std::wstring xName = Wide(KeyNameOf('X'));
    int x = static_cast<int>(SendDlgItemMessageW(page_, IDC_OPERATION_KEY, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                 reinterpret_cast<LPARAM>(xName.c_str())));
    Choose(page_, IDC_OPERATION_KEY, x);
    std::string row = std::string("今月を表示\tCtrl + ") + KeyNameOf('X') + "\t", bound = row + "(なし)";
    EXPECT_EQ(ListLine(page_, IDC_OPERATION_LIST, home), bound);
    EXPECT_EQ(SendDlgItemMessageW(page_, IDC_OPERATION_LIST, LB_GETCURSEL, 0, 0), home);
    EXPECT_EQ(g_changeSignals, 3);
    Choose(page_, IDC_OPERATION_MOUSE, kMouseLeftDouble);
    EXPECT_EQ(ListLine(page_, IDC_OPERATION_LIST, home), row + kMouseActionNames[kMouseLeftDouble]);
    Choose(page_, IDC_OPERATION_MOUSE, 0);
    EXPECT_EQ(g_operations[home].key, 36);  // in force only when kept
    // Without a selected row the boxes change no row.
    SendDlgItemMessageW(page_, IDC_OPERATION_LIST, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Click(page_, IDC_OPERATION_KEY_SHIFT);
    EXPECT_EQ(ListLine(page_, IDC_OPERATION_LIST, home), bound);
    SetBindings(session_.bindings);
    EXPECT_EQ(FindCommandByKey(kModCtrl | 'X'), IDM_THIS_MONTH);
}

TEST_F(OperationPage, ScrollUnitLabelAndButtonOrderFollowTheEdition) {
    ASSERT_NE(page_, nullptr);
    EXPECT_EQ(Text(page_, IDC_OPERATION_DAYSCROLL_LABEL), TESSEL_CLASSIC ? "行スクロール日数(&U)：" : "行スクロール数(&U)：");
    bool shown = GetWindowLongW(GetDlgItem(page_, IDC_OPERATION_BUTTON_ORDER), GWL_STYLE) & WS_VISIBLE;
    EXPECT_EQ(shown, !TESSEL_CLASSIC);
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(page_, IDC_OPERATION_LIST), GWL_STYLE) & LBS_USETABSTOPS);
}

// The cursor rows say where the cursor goes, beside the arrow key of that side.
TEST_F(OperationPage, CursorRowsReadTheWayTheyMove) {
    Fill();
    for (int row = 0; row < kOperationCount; ++row) {
        std::string line = ListLine(page_, IDC_OPERATION_LIST, row);
        if (g_operations[row].command == IDM_CURSOR_PREV) {
            EXPECT_EQ(line, std::string("カーソル左移動\t") + KeyNameOf(VK_LEFT) + "\t(なし)");
        }
        if (g_operations[row].command == IDM_CURSOR_NEXT) {
            EXPECT_EQ(line, std::string("カーソル右移動\t") + KeyNameOf(VK_RIGHT) + "\t(なし)");
        }
    }
}
