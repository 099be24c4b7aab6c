// The layered edition's drawing under Wine, read back from the composed image: the colour and
// alpha of every area from a test design, the day classes, holiday colours, what a clip leaves
// alone, the buttons, the selection frame, tag words, alarm times, shadow and hemming.
#if !TESSEL_CLASSIC
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
#include "render/layered/text_draw_win.h"
#include "render/paint.h"
#include "view/view_layout.h"

namespace {
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
uint32_t Expected(unsigned rgb, int alpha) {
    auto ch = [&](int shift) { return ((rgb >> shift) & 0xFF) * static_cast<unsigned>(alpha) / 255; };
    return static_cast<uint32_t>(alpha) << 24 | ch(16) << 16 | ch(8) << 8 | ch(0);
}

bool Near(uint32_t a, uint32_t b) {
    for (int s = 0; s < 32; s += 8) {
        int x = static_cast<int>((a >> s) & 0xFF), y = static_cast<int>((b >> s) & 0xFF);
        if (x - y > 2 || y - x > 2) return false;
    }
    return true;
}

std::string Hex(uint32_t v) {
    char b[16];
    std::snprintf(b, sizeof b, "%08X", v);
    return b;
}

// GDI+ for the whole test program, started at first use.
void StartGdiplus() { static GdiplusSession session; }

// A plain window class for layered test windows.
const char* TestClass() {
    static const char* name = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TesselPaintTest";
        RegisterClassA(&wc);
        return "TesselPaintTest";
    }();
    return name;
}

class LayeredPaint : public ::testing::Test {
protected:
    void SetUp() override {
        StartGdiplus();
        ResetProcessState();
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        dir_ = std::string(temp) + "tessel_paint_" + std::to_string(GetCurrentProcessId()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(dir_.c_str(), nullptr);
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
        FILE* f = std::fopen(path.c_str(), "wb");
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
            hwnd_ = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW, TestClass(), "paint", WS_POPUP, 600, 50,
                                    g_app.layout.winWidth, g_app.layout.winHeight, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
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

TEST_F(LayeredPaint, EveryAreaHasItsPlaceColourAndAlpha) {
    Write(g_files.memoPath, "[COUNTDOWN]\r\n01=2026,7,20,trip\r\n02=\r\n[MEMO]\r\nMEMO=box\r\n");
    Paint();
    const LayoutMetrics& m = g_app.layout;
    ASSERT_EQ(m.cdownHeight > 0, true);
    auto back = [](int i) { return Expected(kBacks[i].rgb, kBacks[i].alpha); };
    EXPECT_PRED2(Near, Pixel(m.winWidth / 2, 3), back(kBackTitle)) << Hex(Pixel(m.winWidth / 2, 3));
    EXPECT_PRED2(Near, Pixel(m.winWidth - 4, m.titleHeight + 3), back(kBackCdown));
    int headTop = m.titleHeight + m.cdownHeight;
    EXPECT_PRED2(Near, Pixel(3, headTop + 2), back(kBackHead));
    CellRect c = CellOf(16);
    EXPECT_PRED2(Near, Pixel(c.right - 3, c.bottom - 3), back(kBackDay));
    c = CellOf(15);
    EXPECT_PRED2(Near, Pixel(c.right - 3, c.bottom - 3), back(kBackToday));
    c = CellOf(14);
    EXPECT_PRED2(Near, Pixel(c.right - 3, c.bottom - 3), back(kBackPrday));
    c = g_view.cells[0];  // 28 June
    EXPECT_PRED2(Near, Pixel(c.right - 3, c.bottom - 3), back(kBackOmday));
    EXPECT_PRED2(Near, Pixel(c.left, c.top + 5), back(kBackBorder));
    const CellRect& box = g_view.memoBox;
    EXPECT_PRED2(Near, Pixel(box.right - 4, box.bottom - 4), back(kBackMemo));
    EXPECT_GT(Count(box.left + 2, box.top + 2, box.left + 40, box.bottom - 2, Dark), 5);  // "box"
}

TEST_F(LayeredPaint, HolidayColoursOfSaturdays) {
    Paint();
    int dayLine = g_app.layout.dayLineHeight;
    CellRect holiday = CellOf(11), memoOnly = CellOf(18), weekday = CellOf(16);
    EXPECT_GT(Count(holiday.left, holiday.top, holiday.left + 25, holiday.top + dayLine, Reddish), 5);
    EXPECT_EQ(Count(holiday.left, holiday.top, holiday.left + 25, holiday.top + dayLine, Bluish), 0);
    EXPECT_GT(Count(memoOnly.left, memoOnly.top, memoOnly.left + 25, memoOnly.top + dayLine, Bluish), 5);
    EXPECT_EQ(Count(memoOnly.left, memoOnly.top, memoOnly.left + 25, memoOnly.top + dayLine, Reddish), 0);
    EXPECT_GT(Count(weekday.left, weekday.top, weekday.left + 25, weekday.top + dayLine, Dark), 5);
    // The holiday's name stands beside the number in the holiday colour too.
    EXPECT_GT(Count(holiday.left + 25, holiday.top, holiday.right, holiday.top + dayLine, Reddish), 5);
}

TEST_F(LayeredPaint, AreasOutsideTheClipKeepTheirPixels) {
    Paint();
    CellRect a = CellOf(16), b = CellOf(23), n = CellOf(22);
    std::vector<uint32_t> full;
    for (int y = b.top; y < b.bottom; ++y)
        for (int x = b.left; x < b.right; ++x) full.push_back(Pixel(x, y));
    int w, h;
    uint32_t* bits = const_cast<uint32_t*>(LayeredBackBuffer(&w, &h));
    bits[(a.top + 10) * w + a.left + 10] = 0x12345678;
    bits[(b.top + 10) * w + b.left + 10] = 0x12345678;
    // The left neighbour, whose last column lies under b's first, is not drawn again, and b
    // comes out exactly as the full paint drew it.
    bits[(n.top + 10) * w + n.left + 10] = 0x12345678;
    Repaint(b.left, b.top, b.right, b.bottom);
    EXPECT_EQ(Pixel(a.left + 10, a.top + 10), 0x12345678u);
    EXPECT_EQ(Pixel(n.left + 10, n.top + 10), 0x12345678u);
    EXPECT_NE(Pixel(b.left + 10, b.top + 10), 0x12345678u);
    std::vector<uint32_t> again;
    for (int y = b.top; y < b.bottom; ++y)
        for (int x = b.left; x < b.right; ++x) again.push_back(Pixel(x, y));
    EXPECT_EQ(again, full);
    bits[3 * w + 100] = 0x12345678;  // the title bar is not in the clip either
    Repaint(a.left, a.top, a.right, a.bottom);
    EXPECT_EQ(Pixel(100, 3), 0x12345678u);
    EXPECT_NE(Pixel(a.left + 10, a.top + 10), 0x12345678u);
}

TEST_F(LayeredPaint, ButtonsAtTheRightOfTheTitleBar) {
    extraConfig_ = "CALENDAR_TYPE=1\r\nLIST_WIDTH=199\r\n";
    SetUp();
    Paint();
    ASSERT_EQ(g_app.layout.winWidth, 200);
    ASSERT_TRUE(painted.buttonsShown);
    EXPECT_EQ(painted.buttons[0].left, 182);
    EXPECT_EQ(painted.buttons[0].right, 198);
    EXPECT_EQ(painted.buttons[1].right, 180);
    const ButtonRect r = painted.buttons[0];
    EXPECT_EQ(Pixel(r.left, r.top), 0xFF000000u);  // the black frame
    EXPECT_GT(Count(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1, Greenish), 20);  // white inside, in green
    // With BTN_SIZE 2 none is drawn and none is there to click.
    Write(g_files.configPath, "[CONFIG]\r\nBTN_SIZE=2\r\nCALENDAR_TYPE=1\r\nLIST_WIDTH=199\r\n");
    Paint();
    EXPECT_FALSE(painted.buttonsShown);
    EXPECT_EQ(Count(100, 0, 200, g_app.layout.titleHeight, [](uint32_t p) { return p == 0xFF000000u; }), 0);
}

TEST_F(LayeredPaint, SelectionFrameWidensForAQuickMemo) {
    Paint();
    CellRect c = CellOf(16);
    int cell = kCellDayBase + DayNumberOf(2026, 7, 16) - LocalDayNumber(g_view.firstDay);
    // The frame's pens: nearly opaque black, dotted nearly opaque white.
    auto frameLike = [](uint32_t p) {
        int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        bool black = r < 4 && g < 4 && b < 4, white = r > 0xFB && g > 0xFB && b > 0xFB;
        return (p >> 24) >= 0xFD && (black || white);
    };
    g_edit.highlightedCell = cell;
    Repaint(c.left, c.top, c.right, c.bottom);
    EXPECT_TRUE(frameLike(Pixel(c.left + 2, c.top + 2))) << Hex(Pixel(c.left + 2, c.top + 2));
    EXPECT_FALSE(frameLike(Pixel(c.left + 1, c.top + 10))) << Hex(Pixel(c.left + 1, c.top + 10));
    BeginEditing(cell, 2026, 7, 16);
    g_edit.outerFrame = true;
    SetWorkingText("typed");
    Repaint(c.left, c.top, c.right, c.bottom);
    EXPECT_TRUE(frameLike(Pixel(c.left + 1, c.top + 10))) << Hex(Pixel(c.left + 1, c.top + 10));
    EXPECT_GT(Count(c.left + 2, c.top + g_app.layout.dayLineHeight, c.left + 50, c.bottom - 3, Dark), 5);  // live text
    EXPECT_TRUE(painted.caretShown);
    EXPECT_GT(painted.caretX, c.left + 3);  // after "typed"
    EndEditing();
    g_edit.outerFrame = false;
    g_edit.highlightedCell = kCellNone;
}

TEST_F(LayeredPaint, TagWordsAndAlarmTimes) {
    extraConfig_ = "ALARM=1\r\nALARM_PAINT_TIME=1\r\nCELL_WIDTH=120\r\n";
    extraSections_ = "[COLORTAG]\r\nTAG_ALARM=x,00ff00,1,0,0\r\nTAG1=##,ff0000,0,0,0\r\n";
    SetUp();
    Write(dir_ + "\\t_memo2026.ini", "[7]\r\n16=ab##cd\r\n17=abcd\r\n20=9:00 up\r\n");
    Paint();
    int dayLine = g_app.layout.dayLineHeight;
    auto ink = [&](int day, bool (*test)(uint32_t)) {
        CellRect c = CellOf(day);
        return Count(c.left + 2, c.top + dayLine + 1, c.right - 2, c.bottom - 2, test);
    };
    auto rightmostInk = [&](int day) {
        CellRect c = CellOf(day);
        int last = -1;
        for (int y = c.top + dayLine + 1; y < c.bottom - 2; ++y)
            for (int x = c.left + 2; x < c.right - 2; ++x)
                if (Dark(Pixel(x, y)) || Reddish(Pixel(x, y))) last = std::max(last, x - c.left);
        return last;
    };
    EXPECT_GT(ink(16, Reddish), 5);   // "cd" in the tag's colour
    EXPECT_GT(ink(16, Dark), 5);      // "ab" in the place's
    EXPECT_EQ(ink(17, Reddish), 0);
    EXPECT_EQ(rightmostInk(16), rightmostInk(17));  // the tag word itself takes no room
    EXPECT_GT(ink(20, Greenish), 5);  // 9:00 in the alarm style
    EXPECT_GT(ink(20, Dark), 5);      // "up" back in the place's style
    g_app.settings.alarmPaintTime = 0;
    CellRect c = CellOf(20);
    Repaint(c.left, c.top, c.right, c.bottom);
    EXPECT_EQ(ink(20, Greenish), 0);
}

// Text drawn straight onto an opaque white image: where the shadow and the hemming land.
TEST(LayeredText, ShadowAndHemmingOffsets) {
    StartGdiplus();
    WindowDC screen(nullptr);
    MemoryDC dc(screen.get());
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, 60, -40, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    OwnedBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_NE(bitmap.get(), nullptr);
    SelectedObject in(dc.get(), bitmap.get());
    auto* px = static_cast<uint32_t*>(bits);
    FontPlace place = {};
    std::snprintf(place.logFont.lfFaceName, sizeof place.logFont.lfFaceName, "IPAGothic");
    place.logFont.lfHeight = 24;
    place.logFont.lfWeight = 400;
    place.colours[0] = 0x0000FF;  // red
    // Draws "|" with the given shadow and hemming; answers the rightmost column of row 20 that
    // is not white.
    auto draw = [&](int shadow, int hemming) {
        for (int i = 0; i < 60 * 40; ++i) px[i] = 0xFFFFFFFF;
        OwnedGraphics graphics;
        Gdiplus::DllExports::GdipCreateFromHDC(dc.get(), graphics.out());
        DrawTarget target = {dc.get(), graphics.get(), Gdiplus::Ok, nullptr, 0, 0, {}};
        place.shadow = shadow;
        place.hemming = hemming;
        DrawStyledRun(target, "|", 1, PaintRect{10, 0, 50, 40}, kAlignLeft, place, 0);
        int edge = -1;
        for (int x = 0; x < 60; ++x)
            if ((px[20 * 60 + x] & 0xFFFFFF) != 0xFFFFFF) edge = x;
        return edge;
    };
    auto grey = [](uint32_t p) {
        int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        return r == g && g == b && r < 0xF8;
    };
    int plain = draw(0, 0);
    ASSERT_GT(plain, 10);
    EXPECT_EQ(draw(1, 0), plain + 1);  // black at alpha 128, one pixel right (and below)
    EXPECT_TRUE(grey(px[20 * 60 + plain + 1])) << Hex(px[20 * 60 + plain + 1]);
    EXPECT_EQ(draw(0, 1), plain + 1);  // a one-pixel outline
    EXPECT_LT(px[20 * 60 + plain] & 0xFF, 0x40u) << Hex(px[20 * 60 + plain]);
    EXPECT_EQ(draw(1, 1), plain + 2);  // the shadow moves out beyond the outline
    EXPECT_TRUE(grey(px[20 * 60 + plain + 2])) << Hex(px[20 * 60 + plain + 2]);
    ReleaseTextFonts();
}
}  // namespace
#endif
