// The settings dialog driven as a user would, from a second thread while it runs modal in the
// test's thread, on a real configuration file: every page filled and collected back, テスト and
// キャンセル, a bad entry, and one replacement of the file per save. The owner window does what
// the calendar does with the dialog's notes: it puts a preview in force, and keeps and writes
// what 適用 and OK hand it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "app/process_state.h"
#include "app/settings_keeping.h"
#include "base/win/owner_notes.h"
#include "base/win/wide_text.h"
#include "config/design.h"
#include "config/edition.h"
#include "config/file_names.h"
#include "config/operations.h"
#include "config/profile_access.h"
#include "config/profile_store.h"
#include "config/settings.h"
#include "resources/resource.h"
#include "settings/settings_dialog_win.h"
#include "tests/dialog_driver_win.h"

namespace {

std::atomic<int> g_previews{0}, g_kept{0}, g_previewedType{-1};
std::atomic<bool> g_ownerKeeps{true};  // false: the owner leaves what it is handed alone

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DIALOG_NOTE && wParam == kNotePreview) {
        ++g_previews;
        const AppState& shown = *reinterpret_cast<const AppState*>(lParam);
        g_previewedType = static_cast<int>(shown.settings.calendarType);
        if (g_ownerKeeps) g_app = shown;
        return 0;
    }
    if (message == WM_DIALOG_NOTE && wParam == kNoteSettingsKept) {
        ++g_kept;
        if (g_ownerKeeps) KeepEditedSettings(reinterpret_cast<SettingsToKeep*>(lParam), g_files.programDir, '\\');
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

std::string FileText(const std::string& path) { return WholeFile(path); }

// The page of the frame that holds control id.
HWND PageWith(HWND frame, int id) {
    for (HWND page = FindWindowExW(frame, nullptr, L"#32770", nullptr); page;
         page = FindWindowExW(frame, page, L"#32770", nullptr))
        if (GetDlgItem(page, id)) return page;
    return nullptr;
}

const char kConfig[] =
    "[CONFIG]\r\nCALENDAR_TYPE=0\r\nBTN_SIZE=3\r\nBEGIN_WEEK=1\r\nSHOW_MONTH=2\r\nUSE_TASKTRAY=1\r\nALARM=1\r\n"
    "ALARM_TIME=7\r\nALARM_SHOW=1\r\nALARM_STARTUP_TIME=08:30\r\nALARM_CDOWN=1\r\nALARM_CDOWN_DAY=12\r\n"
    "HOTKEY=1620\r\nHOTKEY_TOGGLE=2\r\nKEYASSIGN_ENABLE=1\r\nDAYSCROLL_UNIT=3\r\nDLGPLACEMENT_KEEP=2\r\n"
    "CELL_WIDTH=70\r\nCELL_LINE=3\r\nMEMO_ROW=2\r\nLIST_WIDTH=120\r\nCELL_WIDTH_RATIO=2,1,1,1,1,1,2\r\n"
    "HEAD_FORM=日,月,火,水,木,金,土\r\nTITLE_FORM=!%Y年%m月\r\n";

class SettingsDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        SetEdition(TESSEL_CLASSIC ? kClassicEdition : kLayeredEdition);
        folder_ = FreshTempFolder("tessel_settings");
        config_ = folder_ + "\\desk-calendar.ini";
        ASSERT_TRUE(PutWholeFile(config_, kConfig));
        // Named designs are looked for beside the program: here the test's folder.
        FormDataFileNames(CurrentEdition(), config_.c_str(), (folder_ + "\\desk-calendar.exe").c_str(), '\\',
                          &g_files);
        SetConfigPath(config_.c_str());
        ReadSettings(&g_app);
        ReadDesign(&g_app);
        owner_ = CreateOwnerWindow("TesselSettingsOwner", OwnerProc);
        g_previews = 0, g_kept = 0, g_previewedType = -1, g_ownerKeeps = true;
    }
    void TearDown() override {
        DestroyWindow(owner_);
        ResetProcessState();
    }
    INT_PTR Open(const std::function<void(HWND)>& drive) {
        SettingsDialog dialog = {5, g_app, CurrentBindings(), false};
        INT_PTR r = DriveDialog("カレンダーの設定", [&] { return OpenSettingsDialog(owner_, &dialog); }, drive);
        kept_ = dialog.kept;
        return r;
    }
    std::string folder_, config_;
    HWND owner_ = nullptr;
    bool kept_ = false;
};

// The controls of page (children shown with it) that are not wholly inside its area.
std::vector<int> ControlsOutside(HWND page) {
    RECT area;
    GetWindowRect(page, &area);
    std::vector<int> outside;
    for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!(GetWindowLongW(c, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT r;
        GetWindowRect(c, &r);
        if (r.left < area.left || r.top < area.top || r.right > area.right || r.bottom > area.bottom)
            outside.push_back(GetDlgCtrlID(c));
    }
    return outside;
}

// Waits (up to 5 s) until the calendar has been asked for more than `seen` previews.
bool WaitForPreview(int seen) {
    for (int i = 0; i < 200 && g_previews <= seen; ++i) Sleep(25);
    return g_previews > seen;
}

// Chooses the design list's entry named name, as the user does, and waits for the preview it
// asks for. False when the list has no such entry.
bool ChooseDesign(HWND design, const char* name) {
    std::wstring wideName = Wide(name);
    int entry = static_cast<int>(SendDlgItemMessageW(design, IDC_DESIGN_CHOICE, CB_FINDSTRINGEXACT,
                                                     static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wideName.c_str())));
    if (entry < 0) return false;
    int seen = g_previews;
    Choose(design, IDC_DESIGN_CHOICE, entry);
    return WaitForPreview(seen);
}

// ChooseDesign, or a failure and キャンセル, so that the dialog never waits for a driver gone.
bool ChooseOrCancel(HWND d, HWND design, const char* name) {
    if (ChooseDesign(design, name)) return true;
    ADD_FAILURE() << "could not choose " << name;
    Press(d, IDCANCEL);
    return false;
}

// A design file of that name in folder whose day numbers have their own colours.
void WriteDesignFile(const std::string& folder, const char* name, const char* dayColours) {
    std::string text = std::string("[TESSEL_DESIGN]\r\nNAME=") + name + "\r\n[CONFIG]\r\nCELL_WIDTH=80\r\n" +
                       "[FONTS]\r\nDAY_COLOR=" + dayColours + "\r\n";
    ASSERT_TRUE(PutWholeFile(folder + "\\" + name + ".ini", text));
}

TEST_F(SettingsDialogTest, EveryPageFillsAndCollectsBackToTheSameSettingsInOneWrite) {
    AppState before = g_app;
    int replaced = ProfileStoreReplaceCount();
    EXPECT_EQ(IDOK, Open([&](HWND d) {
        HWND display = PageWith(d, IDC_DISPLAY_CALENDAR_TYPE);
        EXPECT_EQ(Chosen(display, IDC_DISPLAY_BUTTON_SIZE), 2);  // a stored 3 shows as hidden
        EXPECT_EQ(Text(PageWith(d, IDC_DESIGN_HEAD_FORM), IDC_DESIGN_HEAD_FORM), "日,月,火,水,木,金,土");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_SETTINGS_APPLY)));
        Click(display, IDC_DISPLAY_LIST_TODAY_TOP);
        Click(display, IDC_DISPLAY_LIST_TODAY_TOP);  // and back: a change all the same
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_SETTINGS_APPLY)));
        Press(d, IDOK);
    }));
    EXPECT_TRUE(kept_);
    EXPECT_EQ(g_kept, 1);
    EXPECT_EQ(std::memcmp(&before.settings, &g_app.settings, sizeof g_app.settings), 0);
    EXPECT_TRUE(DesignEquals(before, g_app));
    EXPECT_EQ(g_app.design.cellWidth, 70);
    EXPECT_EQ(g_app.design.listWidth, 120);
    EXPECT_EQ(ProfileStoreReplaceCount(), replaced + 1);  // settings and design in one replacement
    // What was written reads back as what was there.
    AppState reread{};
    ProfileStoreReset();
    ReadSettings(&reread);
    ReadDesign(&reread);
    EXPECT_EQ(std::memcmp(&before.settings, &reread.settings, sizeof reread.settings), 0);
    EXPECT_TRUE(DesignEquals(before, reread));
}

TEST_F(SettingsDialogTest, TestShowsTheWorkingCopyAndCancelTheKeptSettings) {
    std::string file = FileText(config_);
    EXPECT_EQ(IDCANCEL, Open([&](HWND d) {
        HWND display = PageWith(d, IDC_DISPLAY_CALENDAR_TYPE);
        Choose(display, IDC_DISPLAY_CALENDAR_TYPE, 1);
        Click(d, IDC_SETTINGS_TEST);
        EXPECT_EQ(g_previewedType, 1);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_SETTINGS_TEST)));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_SETTINGS_APPLY)));
        Press(d, IDCANCEL);
    }));
    EXPECT_FALSE(kept_);
    EXPECT_EQ(g_previewedType, 0);  // shown again as kept
    EXPECT_EQ(g_app.settings.calendarType, CalendarType::kTable);
    EXPECT_EQ(g_kept, 0);
    EXPECT_EQ(FileText(config_), file);
}

// The dialog changes nothing itself: it hands the owner the working copies, and while the owner
// keeps nothing the settings in force and the file stay as they were, and the status line says
// that nothing was saved.
TEST_F(SettingsDialogTest, TheDialogHandsItsEditsToTheOwnerAndWritesNothingItself) {
    g_ownerKeeps = false;
    const std::string file = FileText(config_);
    EXPECT_EQ(IDCANCEL, Open([&](HWND d) {
        Choose(PageWith(d, IDC_DISPLAY_CALENDAR_TYPE), IDC_DISPLAY_CALENDAR_TYPE, 1);
        Click(d, IDC_SETTINGS_TEST);
        EXPECT_EQ(g_previewedType, 1);
        Click(d, IDC_SETTINGS_APPLY);
        EXPECT_EQ(g_kept, 1);
        EXPECT_EQ(Text(d, IDC_SETTINGS_STATUS), "設定をファイルに保存できませんでした");
        Press(d, IDCANCEL);
    }));
    EXPECT_EQ(g_app.settings.calendarType, CalendarType::kTable);
    EXPECT_EQ(FileText(config_), file);
}

TEST_F(SettingsDialogTest, ABadEntryKeepsTheDialogOpenWithItsMessage) {
    std::string file = FileText(config_);
    int screen = GetSystemMetrics(SM_CXSCREEN);
    EXPECT_EQ(IDCANCEL, Open([&](HWND d) {
        HWND design = PageWith(d, IDC_DESIGN_CELL_WIDTH);
        EXPECT_FALSE(IsWindowVisible(design));  // the first page is in front
        Type(design, IDC_DESIGN_CELL_WIDTH, "9");
        Click(d, IDOK);
        EXPECT_TRUE(IsWindowVisible(d));
        EXPECT_TRUE(IsWindowVisible(design));  // brought forward to show the bad entry
        GUITHREADINFO input = {};
        input.cbSize = sizeof input;
        GetGUIThreadInfo(GetWindowThreadProcessId(d, nullptr), &input);  // the dialog's thread's focus
        EXPECT_EQ(input.hwndFocus, GetDlgItem(design, IDC_DESIGN_CELL_WIDTH));
        char want[64];
        std::snprintf(want, sizeof want, "10～%dの数値を入力してください", screen / 7);
        EXPECT_EQ(Text(d, IDC_SETTINGS_STATUS), want);
        Click(d, IDC_SETTINGS_APPLY);
        EXPECT_EQ(Text(d, IDC_SETTINGS_STATUS), want);
        Press(d, IDCANCEL);
    }));
    EXPECT_EQ(g_kept, 0);
    EXPECT_EQ(FileText(config_), file);
}

TEST_F(SettingsDialogTest, TheLastTabChosenIsRememberedEvenAfterCancel) {
    EXPECT_EQ(IDCANCEL, Open([&](HWND d) {
        HWND tabs = GetDlgItem(d, IDC_SETTINGS_TABS);
        SendMessageW(tabs, TCM_SETCURSEL, 2, 0);
        NMHDR note = {tabs, IDC_SETTINGS_TABS, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageW(d, WM_NOTIFY, IDC_SETTINGS_TABS, reinterpret_cast<LPARAM>(&note));
        EXPECT_TRUE(IsWindowVisible(PageWith(d, IDC_OPERATION_LIST)));
        EXPECT_FALSE(IsWindowVisible(PageWith(d, IDC_DISPLAY_CALENDAR_TYPE)));
        Press(d, IDCANCEL);
    }));
    EXPECT_EQ(ReadConfigInt("SETTING_TAB", -1), 2);
    EXPECT_EQ(IDCANCEL, Open([&](HWND d) {
        EXPECT_TRUE(IsWindowVisible(PageWith(d, IDC_OPERATION_LIST)));  // opens where it was left
        Press(d, IDCANCEL);
    }));
}

// Each page is laid over the tab's display area, and all of it is seen there: nothing is cut off.
TEST_F(SettingsDialogTest, EveryControlOfEveryPageIsInsideTheTabs) {
    EXPECT_EQ(IDCANCEL, Open([&](HWND d) {
        RECT tabs;
        GetWindowRect(GetDlgItem(d, IDC_SETTINGS_TABS), &tabs);
        for (int id : {IDC_DISPLAY_CALENDAR_TYPE, IDC_DESIGN_CHOICE, IDC_OPERATION_LIST}) {
            HWND page = PageWith(d, id);
            RECT r;
            GetWindowRect(page, &r);
            EXPECT_TRUE(r.left >= tabs.left && r.top >= tabs.top && r.right <= tabs.right && r.bottom <= tabs.bottom);
            EXPECT_EQ(ControlsOutside(page), std::vector<int>{}) << "page of " << id;
        }
        Press(d, IDCANCEL);
    }));
}

// Selects only entry index of a place list, as a click does.
void SelectPlace(HWND page, int list, int index) {
    SendDlgItemMessageW(page, list, LB_SETSEL, FALSE, -1);
    SendDlgItemMessageW(page, list, LB_SETSEL, TRUE, index);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(list, LBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(page, list)));
}

// Choosing a text or background place counts as a change of the page: テスト and 適用 come on.
TEST_F(SettingsDialogTest, ChoosingAPlaceEnablesTestAndApply) {
    for (int list : {IDC_DESIGN_FONT_PLACES, IDC_DESIGN_BACK_PLACES}) {
        EXPECT_EQ(IDCANCEL, Open([&](HWND d) {
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_SETTINGS_APPLY)));
            SelectPlace(PageWith(d, list), list, 3);
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_SETTINGS_TEST))) << list;
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_SETTINGS_APPLY))) << list;
            Press(d, IDCANCEL);
        }));
    }
}

// The buttons were large (3: hidden, large). Small tried with テスト, then hidden: hiding keeps the
// size of the kept settings, not of the copy the test showed.
TEST_F(SettingsDialogTest, HiddenButtonsKeepTheKeptSizeAfterATest) {
    EXPECT_EQ(IDOK, Open([&](HWND d) {
        HWND display = PageWith(d, IDC_DISPLAY_BUTTON_SIZE);
        Choose(display, IDC_DISPLAY_BUTTON_SIZE, 0);  // 小
        Click(d, IDC_SETTINGS_TEST);
        EXPECT_EQ(g_app.settings.btnSize, 0);  // the calendar shows small buttons
        Choose(display, IDC_DISPLAY_BUTTON_SIZE, 2);  // 表示しない
        Press(d, IDOK);
    }));
    EXPECT_EQ(g_app.settings.btnSize, 3);
    EXPECT_EQ(ReadConfigInt("BTN_SIZE", -1), 3);
}

// Other designs previewed, then the kept one chosen again: OK keeps the kept design under its own
// name, so the configuration file is what it was.
TEST_F(SettingsDialogTest, ChoosingTheKeptDesignAgainAfterPreviewsBringsItBack) {
    WriteDesignFile(folder_, "blue", "0000ff,0000ff,0000ff");
    WriteDesignFile(folder_, "green", "00ff00,00ff00,00ff00");
    // Every key as OK writes it, to compare with.
    EXPECT_EQ(IDOK, Open([&](HWND d) {
        Click(PageWith(d, IDC_DISPLAY_CALENDAR_TYPE), IDC_DISPLAY_LIST_TODAY_TOP);
        Click(PageWith(d, IDC_DISPLAY_CALENDAR_TYPE), IDC_DISPLAY_LIST_TODAY_TOP);
        Press(d, IDOK);
    }));
    const std::string file = FileText(config_);
    ASSERT_NE(file.find("CURRENT_DESIGN=現在の設定"), std::string::npos);

    // Straight back after one preview.
    EXPECT_EQ(IDOK, Open([&](HWND d) {
        HWND design = PageWith(d, IDC_DESIGN_CHOICE);
        if (!ChooseOrCancel(d, design, "blue")) return;
        EXPECT_EQ(Text(design, IDC_DESIGN_CELL_WIDTH), "80");
        if (!ChooseOrCancel(d, design, "現在の設定")) return;
        EXPECT_EQ(Text(design, IDC_DESIGN_CELL_WIDTH), "70");
        Press(d, IDOK);
    }));
    EXPECT_EQ(FileText(config_), file);
    EXPECT_STREQ(g_app.settings.currentDesign, "現在の設定");
    EXPECT_EQ(g_app.design.cellWidth, 70);

    // Back after two previews: the list still offers the kept name.
    EXPECT_EQ(IDOK, Open([&](HWND d) {
        HWND design = PageWith(d, IDC_DESIGN_CHOICE);
        if (!ChooseOrCancel(d, design, "blue") || !ChooseOrCancel(d, design, "green")) return;
        EXPECT_EQ(ListText(design, IDC_DESIGN_CHOICE), "green");
        if (!ChooseOrCancel(d, design, "現在の設定")) return;
        Press(d, IDOK);
    }));
    EXPECT_EQ(FileText(config_), file);
    EXPECT_STREQ(g_app.settings.currentDesign, "現在の設定");
}

// The standard design is in the list whatever design files there are: chosen, it is shown at
// once, and OK keeps it under its name.
TEST_F(SettingsDialogTest, TheStandardDesignIsAlwaysThereToGoBackTo) {
    EXPECT_EQ(IDOK, Open([&](HWND d) {
        HWND design = PageWith(d, IDC_DESIGN_CHOICE);
        if (!ChooseOrCancel(d, design, "標準")) return;
        EXPECT_EQ(Text(design, IDC_DESIGN_HEAD_FORM), "日,月,火,水,木,金,土");
        EXPECT_EQ(Text(design, IDC_DESIGN_CELL_WIDTH), "64");
        EXPECT_EQ(g_app.design.backs[kBackToday].colours[0], 0xB0F2FFu);  // previewed: today marked
        Press(d, IDOK);
    }));
    EXPECT_STREQ(g_app.settings.currentDesign, "標準");
    std::string file = FileText(config_);
    EXPECT_NE(file.find("CURRENT_DESIGN=標準\r\n"), std::string::npos);
    EXPECT_NE(file.find("HEAD_FORM=日,月,火,水,木,金,土\r\n"), std::string::npos);
    EXPECT_EQ(IDCANCEL, Open([&](HWND d) {
        EXPECT_EQ(ListText(PageWith(d, IDC_DESIGN_CHOICE), IDC_DESIGN_CHOICE), "標準");
        Press(d, IDCANCEL);
    }));
}

// A design file of the user's named 標準 keeps the name; the standard design is offered beside it
// under another, and choosing and keeping it leaves the user's file as it was.
TEST_F(SettingsDialogTest, AUsersOwnStandardDesignKeepsItsName) {
    WriteDesignFile(folder_, "標準", "0000ff,0000ff,0000ff");
    const std::string users = FileText(folder_ + "\\標準.ini");
    ASSERT_NE(users.find("NAME=標準"), std::string::npos) << "the file named in Japanese was not written";
    EXPECT_EQ(IDOK, Open([&](HWND d) {
        HWND design = PageWith(d, IDC_DESIGN_CHOICE);
        if (!ChooseOrCancel(d, design, "標準")) return;
        EXPECT_EQ(Text(design, IDC_DESIGN_CELL_WIDTH), "80");  // the user's
        if (!ChooseOrCancel(d, design, "標準(組み込み)")) return;
        EXPECT_EQ(Text(design, IDC_DESIGN_HEAD_FORM), "日,月,火,水,木,金,土");
        Press(d, IDOK);
    }));
    EXPECT_STREQ(g_app.settings.currentDesign, "標準(組み込み)");
    EXPECT_EQ(FileText(folder_ + "\\標準.ini"), users);
}

}  // namespace
