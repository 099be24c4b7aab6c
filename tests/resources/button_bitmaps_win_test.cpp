// The operation buttons' bitmaps as the programs get them: loaded from the linked resources
// with LoadBitmapW and read back through GetDIBits.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

#include "render/button_bitmaps_win.h"

namespace {
struct Glyph { const char* name; int small, large; };
constexpr Glyph kGlyphs[] = {{"close", 101, 110},      {"hide", 117, 116},     {"next month", 103, 111},
                             {"this month", 138, 137}, {"previous", 102, 114}, {"pin off", 104, 112},
                             {"pin on", 105, 113},     {"settings", 106, 115}};

struct Image {
    int width = 0, height = 0, bitsPerPixel = 0, grey = 0;  // grey: pixels neither black nor white
    std::vector<bool> black;                                 // top-down
    bool At(int x, int y) const { return black[y * width + x]; }
};

Image Read(HBITMAP bitmap) {
    Image image;
    if (!bitmap) return image;
    BITMAP info{};
    if (GetObjectW(bitmap, sizeof info, &info) == sizeof info) {
        image.width = info.bmWidth;
        image.height = info.bmHeight;
        image.bitsPerPixel = info.bmBitsPixel * info.bmPlanes;
    }
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = image.width;
    bi.bmiHeader.biHeight = -image.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;  // biCompression 0: BI_RGB
    std::vector<uint32_t> pixels(image.width * image.height);
    HDC dc = GetDC(nullptr);
    int rows = GetDIBits(dc, bitmap, 0, image.height, pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (rows != image.height) return Image{};  // nothing to look at rather than a short buffer
    for (uint32_t p : pixels) image.black.push_back((p & 0xFFFFFF) == 0), image.grey += (p & 0xFFFFFF) % 0xFFFFFF != 0;
    return image;
}

Image Load(int id) {
    HBITMAP bitmap = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
    Image image = Read(bitmap);
    if (bitmap) DeleteObject(bitmap);
    return image;
}

// Black pixels in the first and in the last column the glyph reaches: a triangle's base and tip.
std::pair<int, int> EndColumns(const Image& a) {
    std::vector<int> counts;
    for (int x = 1; x < a.width - 1; ++x) {
        int n = 0;
        for (int y = 1; y < a.height - 1; ++y) n += a.At(x, y);
        if (n > 0) counts.push_back(n);
    }
    return counts.empty() ? std::pair(0, 0) : std::pair(counts.front(), counts.back());
}

bool Mirrored(const Image& a, bool leftRight) {
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.At(x, y) != (leftRight ? a.At(a.width - 1 - x, y) : a.At(x, a.height - 1 - y))) return false;
    return true;
}

// The glyph's bounding box, cut into 3 x 3 cells of black coverage (sampled in twelfths),
// plus its extent relative to the inside of the frame: comparable across the two sizes.
std::vector<double> Shape(const Image& a) {
    int x0 = a.width, y0 = a.height, x1 = -1, y1 = -1;
    for (int y = 1; y < a.height - 1; ++y)
        for (int x = 1; x < a.width - 1; ++x)
            if (a.At(x, y)) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
    std::vector<double> shape(9);
    if (x1 < 0) return shape;
    int w = x1 - x0 + 1, h = y1 - y0 + 1;
    for (int sy = 0; sy < 12; ++sy)
        for (int sx = 0; sx < 12; ++sx)
            if (a.At(x0 + (2 * sx + 1) * w / 24, y0 + (2 * sy + 1) * h / 24)) shape[sy / 4 * 3 + sx / 4] += 1.0 / 16;
    shape.push_back(2.0 * w / (a.width - 2));
    shape.push_back(2.0 * h / (a.height - 2));
    return shape;
}

double Distance(const std::vector<double>& a, const std::vector<double>& b) {
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i) sum += std::abs(a[i] - b[i]);
    return sum;
}

TEST(ButtonBitmaps, FramedOneBitPicturesOfTheirSize) {
    for (const Glyph& g : kGlyphs)
        for (int id : {g.small, g.large}) {
            SCOPED_TRACE(testing::Message() << g.name << " " << id);
            Image a = Load(id);
            int size = id == g.small ? 10 : 16;
            ASSERT_EQ(a.width, size);
            ASSERT_EQ(a.height, size);
            EXPECT_EQ(a.bitsPerPixel, 1);
            ASSERT_EQ(static_cast<int>(a.black.size()), size * size);
            EXPECT_EQ(a.grey, 0);
            int frameWhite = 0, innerBlack = 0, innerWhite = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    bool frame = x == 0 || y == 0 || x == size - 1 || y == size - 1;
                    if (frame) frameWhite += !a.At(x, y);
                    else (a.At(x, y) ? innerBlack : innerWhite)++;
                }
            EXPECT_EQ(frameWhite, 0);
            EXPECT_GT(innerBlack, 0);
            EXPECT_GT(innerWhite, 0);
        }
}

TEST(ButtonBitmaps, GlyphsOfOneSizeAllDiffer) {
    for (const Glyph& a : kGlyphs)
        for (const Glyph& b : kGlyphs) {
            if (&a == &b) continue;
            EXPECT_TRUE(Load(a.small).black != Load(b.small).black) << a.name << " / " << b.name;
            EXPECT_TRUE(Load(a.large).black != Load(b.large).black) << a.name << " / " << b.name;
        }
}

TEST(ButtonBitmaps, EachSmallGlyphIsClosestToItsOwnLargeOne) {
    for (const Glyph& g : kGlyphs) {
        std::vector<double> small = Shape(Load(g.small)), large = Shape(Load(g.large));
        double own = Distance(small, large);
        for (const Glyph& other : kGlyphs) {
            if (&other == &g) continue;
            EXPECT_LT(own, Distance(small, Shape(Load(other.large)))) << g.name << " vs large " << other.name;
            EXPECT_LT(own, Distance(Shape(Load(other.small)), large)) << g.name << " vs small " << other.name;
        }
    }
}

TEST(ButtonBitmaps, PinsStandAndLieTrianglesPointOpposite) {
    for (bool large : {false, true}) {
        SCOPED_TRACE(large ? "large" : "small");
        Image up = Load(large ? 113 : 105), lying = Load(large ? 112 : 104);
        EXPECT_TRUE(up.black != lying.black);
        EXPECT_TRUE(Mirrored(up, true));
        EXPECT_FALSE(Mirrored(up, false));
        EXPECT_TRUE(Mirrored(lying, false));
        EXPECT_FALSE(Mirrored(lying, true));
        Image next = Load(large ? 111 : 103), previous = Load(large ? 114 : 102);
        auto [nextBase, nextTip] = EndColumns(next);
        EXPECT_GT(nextBase, nextTip);  // the base on the left: it points right
        auto [previousTip, previousBase] = EndColumns(previous);
        EXPECT_LT(previousTip, previousBase);
        for (int y = 0; y < next.height; ++y)
            for (int x = 0; x < next.width; ++x)
                EXPECT_EQ(next.At(x, y), previous.At(next.width - 1 - x, y)) << x << "," << y;
    }
}
// On high-DPI screens each pixel of a picture becomes a square of whole pixels, still black or
// white.
TEST(ButtonBitmaps, EnlargedByWholeMultiplesStaySharp) {
    for (const Glyph& g : kGlyphs)
        for (int id : {g.small, g.large})
            for (int scale : {2, 3}) {
                SCOPED_TRACE(g.name);
                Image one = Load(id), big = Read(KeptButtonBitmap(id, scale));
                ASSERT_EQ(one.width * scale, big.width);
                ASSERT_EQ(one.height * scale, big.height);
                EXPECT_EQ(0, big.grey);
                for (int y = 0; y < big.height; ++y)
                    for (int x = 0; x < big.width; ++x) ASSERT_EQ(one.At(x / scale, y / scale), big.At(x, y)) << x << "," << y;
            }
    ReleaseButtonBitmaps();
}
}  // namespace
