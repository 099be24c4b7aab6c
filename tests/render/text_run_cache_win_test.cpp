// The layered edition's kept text runs under Wine, on the real surface: a paint from kept runs is
// pixel for pixel the paint that draws every run afresh, in the table and the list, with hemmed and
// shadowed text, tag words and alarm times; a style that changes (in the design, the tags, or
// between places that differ in one thing) never brings back a run drawn in the old one; the kept
// runs are bounded and the least recently drawn leave first.
#if !TESSEL_CLASSIC
#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/win/gdiplus_handles.h"
#include "base/win/handles.h"
#include "render/layered/run_cache_win.h"
#include "render/layered/text_draw_win.h"
#include "tests/render/layered_paint_win.h"

namespace {
using namespace layered_paint_test;

// Places that share a font and colours and differ in one thing each, so that the same text drawn
// in two of them tells whether that thing reached the kept run: DAY and OMDAY (day numbers 1 to 8
// and 28 to 30 in both) differ in hemming; DAY and HOLI (a holiday memo named "20" beside the day
// number 20) in shadow; DMEMO and MEMO (a memo line and the memo box, both "cd") in smoothing. Tag
// 2 differs from the memo place only in weight, tag 1 only in colour; cells of weekdays and of a
// Saturday show the same line in two day colours. A large TODAY makes the list's memo lines, laid
// in the day line's height, taller than the table's.
constexpr char kPairedPlaces[] =
    "OMDAY=IPAGothic,14,0,0,0,0\r\nMEMO=IPAGothic,14,0,0,0,0\r\nTODAY=IPAGothic,20,0,0,0,0\r\n"
    "DAY_HEMMING=1\r\nHOLI_HEMMING=1\r\nHOLI_SHADOW=1\r\n"
    "DMEMO_HEMMING=1\r\nDMEMO_SHADOW=2\r\nMEMO_HEMMING=1\r\nMEMO_SHADOW=2\r\nMEMO_SMOOTH=2\r\n"
    "[COLORTAG]\r\nTAG_ALARM=x,00ff00,1,0,0\r\nTAG1=##,ff0000,0,0,0\r\nTAG2=%%,000000,1,0,0\r\n";

class KeptRuns : public LayeredPaint {
protected:
    void SetUp() override {
        extraConfig_ += "ALARM=1\r\nALARM_PAINT_TIME=1\r\nCELL_WIDTH=90\r\n";
        extraSections_ = kPairedPlaces;
        LayeredPaint::SetUp();
        Write(g_files.holidayPath, "[SETTING]\r\n1=0,7,11,-1,0,0,0,0,0,0,Sat holiday\r\n"
                                   "2=2,7,16,-1,0,0,0,0,0,0,20\r\n");
        Write(dir_ + "\\t_memo2026.ini", "[7]\r\n16=cd\x7F##cd\x7F%%cd\x7F" "9:00 cd\r\n17=cd\x7F"
                                         "cdcdcdcdcdcdcdcdcdcdcdcdcdcd\r\n18=cd\x7F##cd\r\n");
        Write(g_files.memoPath, "[MEMO]\r\nMEMO=cd\r\n");
    }
    void TearDown() override {
        SetRunCacheBudget(kRunCacheBudget);
        LayeredPaint::TearDown();
    }
    static std::vector<uint32_t> Image() {
        int w = 0, h = 0;
        const uint32_t* bits = LayeredBackBuffer(&w, &h);
        return bits ? std::vector<uint32_t>(bits, bits + w * h) : std::vector<uint32_t>();
    }
    // How many pixels of two images of the window differ, naming the first.
    static int Differing(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, std::string* first) {
        if (a.size() != b.size()) return -1;
        int w = g_app.layout.winWidth, n = 0;
        for (size_t i = 0; i < a.size(); ++i) {
            if (a[i] == b[i]) continue;
            if (!n++) *first = "at " + std::to_string(i % w) + "," + std::to_string(i / w) + ": " + Hex(a[i]) + " " + Hex(b[i]);
        }
        return n;
    }
    // The window painted with every run drawn afresh and nothing kept.
    std::vector<uint32_t> AfreshImage() {
        SetRunCacheBudget(0);
        Repaint(0, 0, 4000, 4000);
        SetRunCacheBudget(kRunCacheBudget);
        return Image();
    }
    void ExpectSame(const std::vector<uint32_t>& afresh, const char* what) {
        std::string first;
        EXPECT_EQ(Differing(afresh, Image(), &first), 0) << what << " " << first;
    }
    // From kept runs emptied before it and as it left them, the paint is the one drawn afresh.
    void ExpectKeptAsAfresh() {
        std::vector<uint32_t> afresh = AfreshImage();
        ASSERT_FALSE(afresh.empty());
        EXPECT_EQ(RunCacheStatistics().runs, 0u);
        EmptyRunCache();
        Repaint(0, 0, 4000, 4000);
        RunCacheCounts first = RunCacheStatistics();
        EXPECT_GT(first.misses, 20u);
        EXPECT_GT(first.hits, 0u);  // the same text in the same style, drawn once and blended twice
        ExpectSame(afresh, "first paint");
        Repaint(0, 0, 4000, 4000);
        RunCacheCounts again = RunCacheStatistics();
        EXPECT_EQ(again.misses, first.misses);
        EXPECT_EQ(again.hits - first.hits, first.hits + first.misses);
        ExpectSame(afresh, "paint from kept runs");
    }
};

TEST_F(KeptRuns, TablePaintsAsDrawnAfresh) {
    Paint();
    ExpectKeptAsAfresh();
    // The tag and alarm styles and the paired places are all on show.
    CellRect c = CellOf(16);
    EXPECT_GT(Count(c.left, c.top, c.right, c.bottom, Reddish), 5);
    EXPECT_GT(Count(c.left, c.top, c.right, c.bottom, Greenish), 5);
    EXPECT_GT(Count(CellOf(18).left, CellOf(18).top, CellOf(18).right, CellOf(18).bottom, Bluish), 5);
}

TEST_F(KeptRuns, ListPaintsAsDrawnAfresh) {
    extraConfig_ = "CALENDAR_TYPE=1\r\nLIST_WIDTH=300\r\n";
    SetUp();
    Paint();
    ExpectKeptAsAfresh();
}

// The list lays the memo lines out in boxes of another height than the table's: runs the table
// kept never stand in for them.
TEST_F(KeptRuns, ListAfterTheTableAsDrawnAfresh) {
    extraConfig_ = "CALENDAR_TYPE=1\r\nLIST_WIDTH=300\r\n";
    SetUp();
    Paint();
    std::vector<uint32_t> afresh = AfreshImage();
    extraConfig_ = "";
    SetUp();  // the same design and tags, in the table
    EmptyRunCache();
    Paint();
    RunCacheCounts table = RunCacheStatistics();
    extraConfig_ = "CALENDAR_TYPE=1\r\nLIST_WIDTH=300\r\n";
    SetUp();
    Paint();
    RunCacheCounts list = RunCacheStatistics();
    EXPECT_GT(list.hits, table.hits);      // the day numbers and the head came from the table's paint
    EXPECT_GT(list.misses, table.misses);  // the memo lines did not
    ExpectSame(afresh, "list after table");
}

// A design or tag edit as the settings dialog applies it: the next paint draws the new styles,
// and the kept runs were emptied for it.
TEST_F(KeptRuns, NewStylesAfterADesignOrTagEdit) {
    Paint();
    Repaint(0, 0, 4000, 4000);
    RunCacheCounts before = RunCacheStatistics();
    Repaint(0, 0, 4000, 4000);
    size_t perPaint = RunCacheStatistics().hits - before.hits;
    ASSERT_GT(perPaint, 20u);

    g_app.design.fonts[kFontDay].hemming = 3;
    g_app.design.fonts[kFontOmday].shadow = 1;
    g_app.design.fonts[kFontDmemo].colours[kWeekdayColour] = 0x808000;
    g_app.design.fonts[kFontHoli].logFont.lfItalic = 1;
    g_app.design.fonts[kFontMemo].smooth = 0;
    Repaint(0, 0, 4000, 4000);
    RunCacheCounts edited = RunCacheStatistics();
    EXPECT_EQ(edited.hits + edited.misses, perPaint);  // counted afresh: nothing of before was left
    std::vector<uint32_t> kept = Image();
    std::vector<uint32_t> afresh = AfreshImage();
    std::string first;
    EXPECT_EQ(Differing(afresh, kept, &first), 0) << "after the design edit " << first;

    g_tags[1].colour = 0x00FFFF;  // yellow
    g_tags[2].bold = 0;
    Repaint(0, 0, 4000, 4000);
    RunCacheCounts tagged = RunCacheStatistics();
    EXPECT_EQ(tagged.hits + tagged.misses, perPaint);
    kept = Image();
    afresh = AfreshImage();
    EXPECT_EQ(Differing(afresh, kept, &first), 0) << "after the tag edit " << first;
}

TEST_F(KeptRuns, EmptiedForAnotherDpiOnly) {
    Paint();
    size_t kept = RunCacheStatistics().runs;
    ASSERT_GT(kept, 0u);
    FitRunCacheTo(g_app.design, g_tags, g_app.layout.dpi);
    EXPECT_EQ(RunCacheStatistics().runs, kept);
    FitRunCacheTo(g_app.design, g_tags, g_app.layout.dpi + 48);
    EXPECT_EQ(RunCacheStatistics().runs, 0u);
}

// An image filled with one premultiplied pixel, and the graphics GDI+ draws on it.
struct TestImage {
    std::vector<uint32_t> pixels;
    OwnedGdipBitmap bitmap;
    OwnedGraphics graphics;
    int width, height;
    TestImage(int w, int h, uint32_t fill) : pixels(static_cast<size_t>(w * h), fill), width(w), height(h) {
        Gdiplus::DllExports::GdipCreateBitmapFromScan0(w, h, w * 4, PixelFormat32bppPARGB,
                                                       reinterpret_cast<BYTE*>(pixels.data()), bitmap.out());
        Gdiplus::DllExports::GdipGetImageGraphicsContext(bitmap.get(), graphics.out());
    }
    DrawTarget Target(HDC dc) { return {dc, graphics.get(), Gdiplus::Ok, pixels.data(), width, height, {0, 0, width, height}}; }
};

// Runs drawn on images of their own, in a 14-point place of the face given.
class KeptRun : public ::testing::Test {
protected:
    void SetUp() override {
        StartGdiplus();
        EmptyRunCache();
    }
    void TearDown() override {
        SetRunCacheBudget(kRunCacheBudget);
        EmptyRunCache();
        ReleaseTextFonts();
    }
    static FontPlace Place(const char* face) {
        FontPlace place = {};
        std::snprintf(place.logFont.lfFaceName, sizeof place.logFont.lfFaceName, "%s", face);
        place.logFont.lfHeight = 14;
        place.logFont.lfWeight = 400;
        return place;
    }
    WindowDC screen_{nullptr};
    MemoryDC dc_{screen_.get()};
};

// A kept run lands where GDI+ draws the run straight onto the image, in its colours within the
// rounding of blending once instead of at every draw; its advance is the same.
TEST_F(KeptRun, BlendsAsGdiplusDrawsIt) {
    FontPlace place = Place("IPAGothic");
    place.colours[0] = 0x2040C0;
    uint32_t back = Expected(0xE0E0C0, 200);
    const char* const texts[] = {"会議 9:00", "12", "  "};
    // Plain, hemmed, shadowed and both; in each alignment; text, digits and blanks.
    for (int look = 0; look < 4 * 3 * 3; ++look) {
        place.hemming = look & 1 ? 3 : 0;
        place.shadow = look & 2 ? 1 : 0;
        TextAlign align = static_cast<TextAlign>((look / 4) % 3);
        const char* text = texts[look / 12];
        int n = static_cast<int>(std::strlen(text));
        TestImage straight(160, 40, back), kept(160, 40, back);
        DrawTarget s = straight.Target(dc_.get()), k = kept.Target(dc_.get());
        PaintRect box = {10, 5, 150, 30};
        EXPECT_EQ(DrawStyledRun(s, text, n, box, align, place, 0), DrawCachedRun(k, text, n, box, align, place, 0, 96))
            << text << " " << align;
        int worst = 0, inked = 0;
        for (size_t i = 0; i < straight.pixels.size(); ++i) {
            if (straight.pixels[i] != back) ++inked;
            for (int shift = 0; shift < 32; shift += 8) {
                int x = static_cast<int>((straight.pixels[i] >> shift) & 0xFF);
                int y = static_cast<int>((kept.pixels[i] >> shift) & 0xFF);
                worst = std::max(worst, std::abs(x - y));
            }
        }
        // Each of GDI+'s draws rounds: its three half-transparent shadows and four hems round more
        // than one blend of all of them does.
        EXPECT_LE(worst, look & 3 ? 8 : 2) << text << " " << align << " " << (look & 3);
        if (text[0] != ' ') {
            EXPECT_GT(inked, 50) << text;
        }
    }
}

// Extents are kept by everything of the font: the same text in a bolder font is measured anew.
TEST_F(KeptRun, ExtentsByFontAndText) {
    TestImage image(20, 20, 0);
    DrawTarget t = image.Target(dc_.get());
    FontPlace regular = Place("IPAPGothic"), bold = regular, italic = regular;
    bold.logFont.lfWeight = 700;
    italic.logFont.lfItalic = 1;
    for (const FontPlace* place : {&regular, &bold, &italic, &regular}) {
        TextExtent kept = MeasureCachedText(t, "Wide words", 10, *place, 96);
        TextExtent measured = MeasureTextRun(t, "Wide words", 10, *place);
        EXPECT_EQ(kept.width, measured.width) << place->logFont.lfWeight << " " << int(place->logFont.lfItalic);
        EXPECT_EQ(kept.overhang, measured.overhang);
        EXPECT_EQ(kept.internalLeading, measured.internalLeading);
    }
    EXPECT_NE(MeasureCachedText(t, "Wide words", 10, bold, 96).width, MeasureCachedText(t, "Wide words", 10, regular, 96).width);
    EXPECT_NE(MeasureCachedText(t, "Wide words", 4, regular, 96).width, MeasureCachedText(t, "Wide words", 10, regular, 96).width);
}

// At most the budget is kept; the run drawn most recently stays, the one drawn longest ago goes.
TEST_F(KeptRun, LeastRecentlyDrawnLeaveFirst) {
    FontPlace place = Place("IPAGothic");
    TestImage image(200, 40, 0);
    DrawTarget t = image.Target(dc_.get());
    auto draw = [&](int n) {
        std::string text = std::to_string(n);
        DrawCachedRun(t, text.c_str(), static_cast<int>(text.size()), PaintRect{5, 5, 100, 30}, kAlignLeft, place, 0, 96);
    };
    draw(10);
    size_t one = RunCacheStatistics().bytes;
    ASSERT_GT(one, 0u);
    SetRunCacheBudget(one * 10);
    for (int n = 11; n < 60; ++n) {
        draw(n);
        draw(10);
        EXPECT_LE(RunCacheStatistics().bytes, one * 10);
    }
    RunCacheCounts full = RunCacheStatistics();
    EXPECT_GE(full.runs, 5u);
    EXPECT_LE(full.runs, 12u);
    draw(10);
    EXPECT_EQ(RunCacheStatistics().hits, full.hits + 1);
    draw(11);
    EXPECT_EQ(RunCacheStatistics().misses, full.misses + 1);
    draw(59);
    EXPECT_EQ(RunCacheStatistics().hits, full.hits + 2);
}
}  // namespace
#endif
