// The classic edition's drawing surface with real GDI under Wine, read back from a 32-bit bitmap:
// area fills with their border strips, smoothed text in palette colours only and cut after the
// first character past its limit, unsmoothed text not clipped, buttons that keep their black,
// the inverting caret and the focus rectangles of the selection frame.
#if TESSEL_CLASSIC
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>

#include "app/process_state.h"
#include "base/win/handles.h"
#include "config/app_state.h"
#include "config/design.h"
#include "render/classic/classic_surface_win.h"
#include "render/smooth_palette.h"
#include "resources/resource.h"

namespace {
constexpr int kW = 200, kH = 60;

class ClassicSurfaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        ReadDesign(&state);  // the defaults
        Design& d = state.design;
        d.backs[kBackDay].colours[0] = 0xFFFFFF;
        d.backs[kBackBorder].colours[0] = 0x0000FF;  // red
        d.backs[kBackButton].colours[0] = 0x00C000;  // green
        std::strcpy(d.fonts[kFontDmemo].logFont.lfFaceName, "IPAGothic");
        d.fonts[kFontDmemo].logFont.lfHeight = 14;
        d.fonts[kFontDmemo].colours[0] = 0x000000;
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof info.bmiHeader, kW, -kH, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        WindowDC screen(nullptr);
        bitmap.reset(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        dc = MemoryDC(screen.get());
        ASSERT_TRUE(bitmap && dc);
        selected = SelectObject(dc.get(), bitmap.get());
    }
    void TearDown() override {
        SelectObject(dc.get(), selected);
        ReleaseClassicCache();
        ResetProcessState();
    }
    uint32_t Pixel(int x, int y) {
        GdiFlush();
        return static_cast<uint32_t*>(bits)[y * kW + x] & 0xFFFFFF;  // 0xRRGGBB
    }
    ClassicSurface Surface() { return ClassicSurface(state.design, tags, dc.get(), PaintRect{0, 0, kW, kH}); }
    void White(ClassicSurface& s) { s.FillArea(PaintRect{0, 0, kW, kH}, kBackDay, 0); }
    // The rightmost column inside the border with a pixel other than white in rows top..bottom.
    int RightmostInk(int top, int bottom) {
        int last = -1;
        for (int y = top; y < bottom; ++y)
            for (int x = 1; x < kW - 1; ++x)
                if (Pixel(x, y) != 0xFFFFFF && x > last) last = x;
        return last;
    }

    AppState state = {};
    TagTable tags = {};
    OwnedBitmap bitmap;
    void* bits = nullptr;
    MemoryDC dc;
    HGDIOBJ selected = nullptr;
};

TEST_F(ClassicSurfaceTest, FillHasItsColourAndFourBorderStrips) {
    ClassicSurface s = Surface();
    state.design.backs[kBackToday].colours[2] = 0x30A0F0;
    s.FillArea(PaintRect{10, 5, 60, 40}, kBackToday, 2);
    EXPECT_EQ(Pixel(30, 20), 0xF0A030u);  // 0x00BBGGRR in the design, 0xRRGGBB here
    for (auto [x, y] : {std::pair{10, 20}, {59, 20}, {30, 5}, {30, 39}}) EXPECT_EQ(Pixel(x, y), 0xFF0000u) << x << "," << y;
    EXPECT_EQ(Pixel(60, 20), 0u);  // nothing outside
}

TEST_F(ClassicSurfaceTest, SmoothedTextUsesThePaletteAndStopsAfterTheLimit) {
    state.design.fonts[kFontDmemo].smooth = 4;
    SmoothPalette palette;
    BuildSmoothPalette(0x000000, 0xFFFFFF, 4, &palette);
    std::set<uint32_t> allowed = {0xFFFFFF, 0xFF0000};  // the background and its border
    for (int k = 1; k < 256; ++k) allowed.insert(palette.rgb[k][0] << 16 | palette.rgb[k][1] << 8 | palette.rgb[k][2]);
    // Straight onto the device context (glyphs copied through masks), and in an area (glyphs
    // written into the area's pixels): the same colours, the same cut.
    for (bool inArea : {false, true}) {
        ClassicSurface s = Surface();
        if (inArea) s.BeginArea(PaintRect{0, 0, kW, kH});
        White(s);
        s.DrawTextRun("WWWWWWWWWWWWWWWW", 16, PaintRect{5, 10, 60, 40}, kAlignLeft, TextStyle{kFontDmemo, 0});
        if (inArea) s.EndArea();
        int ink = 0;
        for (int y = 1; y < kH - 1; ++y)
            for (int x = 1; x < kW - 1; ++x) {
                uint32_t p = Pixel(x, y);
                ASSERT_TRUE(allowed.count(p)) << std::hex << p << " at " << std::dec << x << "," << y << " area " << inArea;
                ink += p != 0xFFFFFF;
            }
        EXPECT_GT(ink, 30);
        int right = RightmostInk(1, kH - 1);
        EXPECT_GT(right, 60);       // the character that passes the limit is drawn ...
        EXPECT_LT(right, 60 + 16);  // ... and nothing after it
    }
}

TEST_F(ClassicSurfaceTest, UnsmoothedTextIsNotClipped) {
    ClassicSurface s = Surface();
    White(s);
    s.DrawTextRun("WWWWWWWWWWWW", 12, PaintRect{5, 10, 30, 40}, kAlignLeft, TextStyle{kFontDmemo, 0});
    EXPECT_GT(RightmostInk(11, 39), 60);
}

TEST_F(ClassicSurfaceTest, ButtonsKeepTheirBlackWhateverTheButtonColour) {
    ClassicSurface s = Surface();
    White(s);
    int w = 0, h = 0;
    ASSERT_TRUE(s.ButtonBitmapSize(IDB_CLOSE_LARGE, &w, &h));
    s.DrawButton(IDB_CLOSE_LARGE, PaintRect{20, 10, 20 + w, 10 + h});
    int black = 0, green = 0;
    for (int y = 10; y < 10 + h; ++y)
        for (int x = 20; x < 20 + w; ++x) {
            uint32_t p = Pixel(x, y);
            ASSERT_TRUE(p == 0 || p == 0x00C000) << std::hex << p;
            (p == 0 ? black : green)++;
        }
    EXPECT_GT(black, 20);
    EXPECT_GT(green, 20);
}

TEST_F(ClassicSurfaceTest, CaretInvertsAndFocusRectanglesFrameTheCell) {
    ClassicSurface s = Surface();
    White(s);
    s.DrawCaret(50, 10, 3, 20);
    EXPECT_EQ(Pixel(50, 15), 0u);  // white inverted
    EXPECT_EQ(Pixel(51, 15), 0u);
    EXPECT_EQ(Pixel(52, 15), 0xFFFFFFu);  // two pixels wide
    s.DrawCaret(50, 10, 3, 20);
    EXPECT_EQ(Pixel(50, 15), 0xFFFFFFu);  // a second caret restores
    s.DrawSelectionFrame(PaintRect{100, 5, 160, 50}, false);
    auto changed = [&](int x0, int y0, int x1) {
        int n = 0;
        for (int x = x0; x < x1; ++x) n += Pixel(x, y0) != 0xFFFFFF;
        return n;
    };
    EXPECT_GT(changed(103, 7, 157), 10);  // the inner rectangle, dotted
    EXPECT_EQ(changed(102, 6, 158), 0);   // no outer one
    s.DrawSelectionFrame(PaintRect{100, 5, 160, 50}, true);
    EXPECT_GT(changed(102, 6, 158), 10);  // wide: the outer one too
}
}  // namespace
#endif
