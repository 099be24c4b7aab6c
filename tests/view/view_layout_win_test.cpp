// The layout with the real GDI metrics under Wine: text widths in the places' fonts, and a
// window that rebuild-and-resize fits to the layout.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/main_window_win.h"
#include "app/shell_state_win.h"
#include "base/win/handles.h"
#include "base/win/wide_text.h"
#include "config/app_state.h"
#include "config/design.h"
#include "config/profile_access.h"
#include "config/profile_store.h"
#include "config/settings.h"
#include "memo/countdown.h"
#include "render/place_font_win.h"
#include "view/view_layout.h"

namespace {
std::string TempConfig(const char* name) {
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    return Sjis(temp) + "tessel_layout_" + std::to_string(GetCurrentProcessId()) + "_" + name + ".ini";
}

// The width of text in the place's face at its point size, measured without the program's font
// code: the font made here from the face name (code page 932) and the points, on a DC of its own.
int DirectWidth(const LogFontA& lf, const char* text) {
    std::wstring face = Wide(std::string_view(lf.lfFaceName, strnlen(lf.lfFaceName, sizeof lf.lfFaceName)));
    std::wstring wide = Wide(text);
    HDC screen = GetDC(nullptr);
    int pixels = -MulDiv(lf.lfHeight, GetDeviceCaps(screen, LOGPIXELSY), 72);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HFONT font = CreateFontW(pixels, 0, 0, 0, lf.lfWeight, lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut,
                             lf.lfCharSet, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return size.cx;
}

TEST(LayoutOnWindows, TextWidthsInThePlacesFonts) {
    std::string config = TempConfig("widths");
    DeleteFileW(Wide(config).c_str());
    SetConfigPath(config.c_str());
    ResetAppState(&g_app);
    ReadDesign(&g_app);
    GdiLayoutMeasure measure;
    int w9 = measure.TextWidth(g_app.design, kFontCdown, "0000");
    EXPECT_GT(w9, 0);
    EXPECT_EQ(w9, DirectWidth(g_app.design.fonts[kFontCdown].logFont, "0000"));
    g_app.design.fonts[kFontCdown].logFont.lfHeight = 18;
    EXPECT_GT(measure.TextWidth(g_app.design, kFontCdown, "0000"), w9);
    EXPECT_EQ(measure.TextWidth(g_app.design, kFontCdown, "0000"),
              DirectWidth(g_app.design.fonts[kFontCdown].logFont, "0000"));
    EXPECT_EQ(measure.TextWidth(g_app.design, kFontCdown, ""), 0);
    EXPECT_EQ(measure.TextWidth(g_app.design, 99, "0000"), 0);
    // The widest title of the year's twelve, each " 2026-" and its month.
    std::strcpy(g_app.design.titleForm, " %Y-%m");
    int widest = 0;
    for (int month = 1; month <= 12; ++month)
        widest = std::max(widest, DirectWidth(g_app.design.fonts[kFontTitle].logFont,
                                              (" 2026-" + std::to_string(month)).c_str()));
    EXPECT_EQ(measure.TitleWidth(g_app.design, 2026), widest);
    EXPECT_GT(widest, DirectWidth(g_app.design.fonts[kFontTitle].logFont, " 2026-9"));
    ProfileStoreReset();
}

TEST(LayoutOnWindows, RebuildAndResizeFitsTheWindowAndCountdownColumns) {
    std::string config = TempConfig("resize");
    std::string memo = TempConfig("resize_memo");
    DeleteFileW(Wide(config).c_str());
    SetConfigPath(config.c_str());
    ResetAppState(&g_app);
    ResetNavigation(&g_nav);
    ReadSettings(&g_app);
    ReadDesign(&g_app);
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILE* f = OpenFile(memo.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fprintf(f, "[COUNTDOWN]\r\n01=%d,%d,%d,ahead\r\n02=2020,1,1,past\r\n03=\r\n", now.wYear + 1, now.wMonth, 1);
    std::fclose(f);
    ProfileStoreReset();
    LoadCountdowns(memo.c_str());
    ASSERT_EQ(CountdownCount(), 2);

    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"layout", WS_POPUP, 100, 100, 10, 10, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hwnd, nullptr);
    RebuildAndResize(hwnd);
    RECT r;
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.right - r.left, g_app.layout.winWidth);
    EXPECT_EQ(r.bottom - r.top, g_app.layout.winHeight);
    EXPECT_EQ(g_app.layout.winWidth, 449);
    EXPECT_EQ(g_app.layout.cdownHeight, 2 * (MulDiv(9, 96, 72) + 3));
    char key[32];
    std::snprintf(key, sizeof key, "WIN_HEIGHT_%d", static_cast<int>(ScreenSize().cy));
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntW(L"CONFIG", Wide(key).c_str(), -1, Wide(config).c_str())),
              g_app.layout.winHeight);
    // Counts of 3 or more digits ahead and 4 or more passed: their own column widths.
    int w = GdiLayoutMeasure().TextWidth(g_app.design, kFontCdown, "0000");
    ASSERT_EQ(g_view.countdowns.size(), 2u);
    const CountdownLine& ahead = g_view.countdowns[0];
    const CountdownLine& past = g_view.countdowns[1];
    EXPECT_EQ(ahead.numberWidth, w * 3 / 4);
    EXPECT_EQ(past.numberWidth, w * 4 / 4);

    g_app.settings.calendarType = CalendarType::kList;
    RebuildAndResize(hwnd);
    GetWindowRect(hwnd, &r);
    // A list a cell wide is widened to its title and buttons, measured in the title's font.
    int title = GdiLayoutMeasure().TitleWidth(g_app.design, g_view.displayedMonth.tm_year + 1900);
    EXPECT_GT(title, 0);
    EXPECT_EQ(r.right - r.left, std::max(g_app.design.listWidth + 1, TitleBandWidth(title, g_app.settings.btnSize, 96)));
    EXPECT_GT(r.right - r.left, g_app.design.listWidth + 1);
    EXPECT_EQ(r.bottom - r.top, g_app.layout.winHeight);
    EXPECT_EQ(r.left, 100);  // the position stays
    DestroyWindow(hwnd);
    ReleaseCountdowns();
    ReleaseViewModel();
    ProfileStoreReset();
    DeleteFileW(Wide(config).c_str());
    DeleteFileW(Wide(memo).c_str());
}
}  // namespace
