// The layered edition's window painted under Wine from a test design and test files, read back
// from the composed image: the fixture the layered paint tests share.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "app/process_state.h"
#include "app/startup.h"
#include "base/win/gdiplus_handles.h"
#include "base/win/handles.h"
#include "base/win/wide_text.h"
#include "calendar/civil_date.h"
#include "calendar/holiday_rules.h"
#include "calendar/today.h"
#include "config/design.h"
#include "config/file_names.h"
#include "config/profile_access.h"
#include "config/profile_store.h"
#include "config/settings.h"
#include "config/tags.h"
#include "memo/countdown.h"
#include "memo/memo_store.h"
#include "memo/working_text.h"
#include "render/layered/layered_image_win.h"
#include "render/paint.h"
#include "view/view_layout.h"

namespace layered_paint_test {
// Background places of the test design: colour "rrggbb" and alpha.
struct Back {
    const char* key;
    unsigned rgb;
    int alpha;
};
const Back kBacks[] = {{"TITLE", 0x204060, 250}, {"HEAD", 0x408020, 230}, {"DAY", 0xE0E0C0, 200},
                       {"TODAY", 0xFFC040, 240}, {"PRDAY", 0xA0A0A0, 180}, {"OMDAY", 0x6060A0, 160},
                       {"MEMO", 0xC0E0FF, 220},  {"BORDER", 0x101010, 254}, {"BUTTON", 0x00FF00, 254},
                       {"CDOWN", 0xF0D0D0, 210}};

// The pixel an opaque-black-backed fill of rgb at alpha leaves: premultiplied colour, that alpha.
inline uint32_t Expected(unsigned rgb, int alpha) {
    auto ch = [&](int shift) { return ((rgb >> shift) & 0xFF) * static_cast<unsigned>(alpha) / 255; };
    return static_cast<uint32_t>(alpha) << 24 | ch(16) << 16 | ch(8) << 8 | ch(0);
}

inline bool Near(uint32_t a, uint32_t b) {
    for (int s = 0; s < 32; s += 8) {
        int x = static_cast<int>((a >> s) & 0xFF), y = static_cast<int>((b >> s) & 0xFF);
        if (x - y > 2 || y - x > 2) return false;
    }
    return true;
}

inline std::string Hex(uint32_t v) {
    char b[16];
    std::snprintf(b, sizeof b, "%08X", v);
    return b;
}

// GDI+ for the whole test program, started at first use.
inline void StartGdiplus() { static GdiplusSession session; }

// A plain window class for layered test windows.
inline const wchar_t* TestClass() {
    static const wchar_t* name = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TesselPaintTest";
        RegisterClassW(&wc);
        return L"TesselPaintTest";
    }();
    return name;
}

class LayeredPaint : public ::testing::Test {
protected:
    void SetUp() override {
        StartGdiplus();
        ResetProcessState();
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        dir_ = Sjis(temp) + "tessel_paint_" + std::to_string(GetCurrentProcessId()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryW(Wide(dir_).c_str(), nullptr);
        FormDataFileNames(kLayeredEdition, (dir_ + "\\t.ini").c_str(), "", '\\', &g_files);
        SetMemoFiles(g_files);
        SetConfigPath(g_files.configPath);
        std::string config = "[CONFIG]\r\nBTN_SIZE=1\r\n" + extraConfig_ + "[BACKS]\r\n";
        for (const Back& b : kBacks) {
            char line[96];
            std::snprintf(line, sizeof line, "%s_COLOR=%06x,%06x,%06x\r\n%s_TOUMEI=%d\r\n", b.key, b.rgb, b.rgb, b.rgb,
                          b.key, b.alpha);
            config += line;
        }
        config += "[FONTS]\r\nDAY=IPAGothic,14,0,0,0,0\r\nHOLI=IPAGothic,14,0,0,0,0\r\nDMEMO=IPAGothic,14,0,0,0,0\r\n";
        config += extraSections_;
        Write(g_files.configPath, config);
        // 11 July 2026 is a Saturday and a national holiday here; the 18th has only a holiday memo.
        Write(g_files.holidayPath, "[SETTING]\r\n1=0,7,11,-1,0,0,0,0,0,0,Sat holiday\r\n"
                                   "2=2,7,18,-1,0,0,0,0,0,0,memo\r\n");
    }
    void TearDown() override {
        if (hwnd_) DestroyWindow(hwnd_);
        ReleasePaintCache();
        ResetProcessState();
    }
    static void Write(const std::string& path, const std::string& text) {
        FILE* f = OpenFile(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    // Reads everything, lays out 15 July 2026 and paints the whole window.
    void Paint() {
        ProfileStoreReset();
        ResetAppState(&g_app);
        ResetNavigation(&g_nav);
        ReadSettings(&g_app);
        ReadDesign(&g_app);
        LoadHolidayRules(g_files.holidayPath);
        g_today.dayNumber = DayNumberOf(2026, 7, 15);
        LoadCountdowns(g_files.memoPath);
        SetWorkingText("");
        LayoutInputs in = CurrentLayoutInputs();
        in.now = {};
        in.now.tm_year = 126;
        in.now.tm_mon = 6;
        in.now.tm_mday = 15;
        in.now.tm_hour = 12;
        in.now = NormaliseDate(in.now);
        KeepLayout(BuildLayout(g_app, g_nav, in));
        if (!hwnd_)
            hwnd_ = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, TestClass(), L"paint", WS_POPUP, 600, 50,
                                    g_app.layout.winWidth, g_app.layout.winHeight, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
        SetWindowPos(hwnd_, nullptr, 0, 0, g_app.layout.winWidth, g_app.layout.winHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_NE(hwnd_, nullptr) << GetLastError() << " " << g_app.layout.winWidth << "x" << g_app.layout.winHeight;
        RECT wr;
        GetWindowRect(hwnd_, &wr);
        ASSERT_EQ(wr.right - wr.left, g_app.layout.winWidth);
        Repaint(0, 0, 4000, 4000);
        int w = 0, h = 0;
        ASSERT_NE(LayeredBackBuffer(&w, &h), nullptr);
    }
    void Repaint(int left, int top, int right, int bottom) {
        WindowDC dc(hwnd_);
        PaintRect clip = {left, top, right, bottom};
        painted = PaintCalendar(PaintRequest{hwnd_, dc.get(), clip, clip});
    }
    uint32_t Pixel(int x, int y) {
        int w, h;
        const uint32_t* bits = LayeredBackBuffer(&w, &h);
        if (!bits || x < 0 || y < 0 || x >= w || y >= h) return 0xDEADBEEF;
        return bits[y * w + x];
    }
    // Pixels of the rectangle for which test holds.
    template <class Test>
    int Count(int left, int top, int right, int bottom, Test test) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) n += test(Pixel(x, y)) ? 1 : 0;
        return n;
    }
    static bool Reddish(uint32_t p) { return ((p >> 16) & 0xFF) > 150 && ((p >> 8) & 0xFF) < 80 && (p & 0xFF) < 80; }
    static bool Bluish(uint32_t p) { return (p & 0xFF) > 150 && ((p >> 16) & 0xFF) < 80 && ((p >> 8) & 0xFF) < 80; }
    static bool Greenish(uint32_t p) { return ((p >> 8) & 0xFF) > 150 && ((p >> 16) & 0xFF) < 80 && (p & 0xFF) < 80; }
    static bool Dark(uint32_t p) { return ((p >> 16) & 0xFF) < 60 && ((p >> 8) & 0xFF) < 60 && (p & 0xFF) < 60; }
    // The rectangle of the cell showing day (of July 2026) in the layout.
    CellRect CellOf(int day) {
        int index = DayNumberOf(2026, 7, day) - LocalDayNumber(g_view.firstDay);
        return g_view.cells[static_cast<size_t>(index)];
    }

    std::string dir_, extraConfig_, extraSections_;  // CONFIG lines; further sections
    HWND hwnd_ = nullptr;
    PaintResult painted = {};
};
}  // namespace layered_paint_test
