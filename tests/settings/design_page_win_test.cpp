// The page "デザイン" created from its template as a child of a window standing in for the
// settings dialog's frame, with a working copy read from real files.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "config/design.h"
#include "config/edition.h"
#include "config/file_names.h"
#include "config/profile_access.h"
#include "config/profile_store.h"
#include "memo/memo_store.h"
#include "resources/resource.h"
#include "settings/settings_session_win.h"
#include "tests/dialog_driver_win.h"

namespace {
std::vector<WPARAM> g_commands;  // what the page asked of the frame
int g_changes = 0;               // change signals

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) g_commands.push_back(wParam);
    if (message == WM_SETTINGS_CHANGED) ++g_changes;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

class DesignPage : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        edition = CurrentEdition();
        SetEdition(TESSEL_CLASSIC ? kClassicEdition : kLayeredEdition);
        folder = FreshTempFolder("design_page");
        FormDataFileNames(CurrentEdition(), "", (folder + "\\desk-calendar.exe").c_str(), '\\', &g_files);
        SetMemoFiles(g_files);
        ProfileStoreReset();
        SetConfigPath(g_files.configPath);
        ResetAppState(&g_app);
        ReadDesign(&g_app);
        std::strcpy(g_app.settings.currentDesign, "live");
        g_commands.clear();
        g_changes = 0;

        frame = CreateOwnerWindow("TesselDesignPageFrame", FrameProc);
        session.frame = frame;
        session.kept = g_app;
        session.work = g_app;
        MakeWorkFonts(&session);
        page = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTINGS_DESIGN), frame,
                                  DesignPageProc, reinterpret_cast<LPARAM>(&session));
        ASSERT_NE(page, nullptr);
        session.pages[kDesignPage] = page;
        FillDesignPage(page, &session);
    }
    void TearDown() override {
        DestroyWindow(page);
        DestroyWindow(frame);
        SetEdition(edition);
    }
    // Selects only entry index of a place list, as a click does.
    void SelectOnly(int list, int index) {
        SendDlgItemMessageW(page, list, LB_SETSEL, FALSE, -1);
        SendDlgItemMessageW(page, list, LB_SETSEL, TRUE, index);
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(list, LBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(page, list)));
    }
    bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
    bool Shown(int id) { return (GetWindowLongW(GetDlgItem(page, id), GWL_STYLE) & WS_VISIBLE) != 0; }

    Edition edition;
    std::string folder;
    HWND frame = nullptr, page = nullptr;
    SettingsSession session;
};
}  // namespace

TEST_F(DesignPage, PlacesDrawnOnceOfferOnlyTheWeekdayColour) {
    SelectOnly(IDC_DESIGN_FONT_PLACES, kFontTitle);
    EXPECT_TRUE(Enabled(IDC_DESIGN_TEXT_COLOUR_WEEKDAY));
    EXPECT_FALSE(Enabled(IDC_DESIGN_TEXT_COLOUR_HOLIDAY));
    EXPECT_FALSE(Enabled(IDC_DESIGN_TEXT_COLOUR_SATURDAY));
    SelectOnly(IDC_DESIGN_FONT_PLACES, kFontHead);
    EXPECT_TRUE(Enabled(IDC_DESIGN_TEXT_COLOUR_HOLIDAY));
    EXPECT_TRUE(Enabled(IDC_DESIGN_TEXT_COLOUR_SATURDAY));
    EXPECT_EQ(Text(page, IDC_DESIGN_FONT_NAME), "ＭＳ Ｐゴシック 9pt");
    // The name is drawn in the place's own font.
    EXPECT_EQ(reinterpret_cast<HFONT>(SendDlgItemMessageW(page, IDC_DESIGN_FONT_NAME, WM_GETFONT, 0, 0)),
              session.fonts[kFontHead].get());

    SelectOnly(IDC_DESIGN_BACK_PLACES, kBackBorder);
    EXPECT_FALSE(Enabled(IDC_DESIGN_BACK_COLOUR_HOLIDAY));
    SelectOnly(IDC_DESIGN_BACK_PLACES, kBackDay);
    EXPECT_TRUE(Enabled(IDC_DESIGN_BACK_COLOUR_HOLIDAY));
    EXPECT_EQ(g_changes, 4);  // each choice of a place is a change signal
    EXPECT_TRUE(g_commands.empty());  // without "リアルタイムにテスト" nothing is tested
}

TEST_F(DesignPage, OpacitySliderStoresTheOppositeAndShowsPercent) {
    if (TESSEL_CLASSIC) {
        for (int id : {IDC_DESIGN_OPACITY, IDC_DESIGN_OPACITY_TEXT, IDC_DESIGN_HEM, IDC_DESIGN_SHADOW})
            EXPECT_FALSE(Shown(id)) << id;
        EXPECT_TRUE(Shown(IDC_DESIGN_SMOOTH));
        return;
    }
    EXPECT_TRUE(Shown(IDC_DESIGN_OPACITY));
    SelectOnly(IDC_DESIGN_BACK_PLACES, kBackDay);
    EXPECT_EQ(Text(page, IDC_DESIGN_OPACITY_TEXT), "21 %");  // opacity 200 read from the defaults
    int changes = g_changes;
    HWND slider = GetDlgItem(page, IDC_DESIGN_OPACITY);
    for (int round = 0; round < 2; ++round) {
        SendMessageW(slider, TBM_SETPOS, TRUE, 127);
        SendMessageW(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 127), reinterpret_cast<LPARAM>(slider));
    }
    EXPECT_EQ(session.work.design.backs[kBackDay].opacity, 127);
    EXPECT_EQ(session.work.design.backs[kBackHead].opacity, 200);
    EXPECT_EQ(Text(page, IDC_DESIGN_OPACITY_TEXT), "50 %");
    EXPECT_EQ(g_changes, changes + 1);  // the second move changed nothing
}

TEST_F(DesignPage, ChoosingADesignReadsItAndAsksTheFrameToTest) {
    std::string blue = folder + "\\blue.ini";
    ASSERT_TRUE(ProfileWriteString("TESSEL_DESIGN", "NAME", "blue", blue.c_str()).ok());
    ASSERT_TRUE(ProfileWriteString("FONTS", "DAY_COLOR", "ff0000,00ff00,0000ff", blue.c_str()).ok());
    ASSERT_TRUE(ProfileWriteString("CONFIG", "CELL_WIDTH", "99", blue.c_str()).ok());
    FillDesignPage(page, &session);
    EXPECT_EQ(ListText(page, IDC_DESIGN_CHOICE), "live");

    int blueEntry = static_cast<int>(SendDlgItemMessageW(page, IDC_DESIGN_CHOICE, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                         reinterpret_cast<LPARAM>(L"blue")));
    ASSERT_GE(blueEntry, 0);
    Choose(page, IDC_DESIGN_CHOICE, blueEntry);
    EXPECT_STREQ(session.work.settings.currentDesign, "blue");
    EXPECT_EQ(session.work.design.fonts[kFontDay].colours[kWeekdayColour], 0x0000FFu);
    EXPECT_EQ(Text(page, IDC_DESIGN_CELL_WIDTH), "99");
    EXPECT_EQ(ListText(page, IDC_DESIGN_CHOICE), "blue");
    EXPECT_EQ(g_app.design.cellWidth, 64);  // the live design is left as it was

    EXPECT_TRUE(g_commands.empty());  // posted, not sent
    Pump();
    ASSERT_EQ(g_commands.size(), 1u);
    EXPECT_EQ(LOWORD(g_commands[0]), IDC_SETTINGS_TEST);
    EXPECT_EQ(g_changes, 1);
}
