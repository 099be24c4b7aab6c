#include "render/classic/smooth_text_win.h"

#include <cstring>
#include <unordered_map>
#include <vector>

#include "base/sjis.h"
#include "base/win/handles.h"
#include "base/win/wide_text.h"
#include "render/smooth_palette.h"

namespace {
// A glyph's gray levels (0 to 16, rows top-down, DWORD-aligned) and the metrics that place it,
// asked of the font engine once per font and character: asking for every glyph of every run on
// every paint is what made smoothed text slow.
struct Glyph {
    GLYPHMETRICS metrics = {};
    int stride = 0;
    std::vector<BYTE> levels;  // empty for a blank
};

// The same glyph as copied through a device context: its colour bitmap (key pixels black) and its
// mask (key pixels 1), for one palette.
struct GlyphBitmaps {
    OwnedBitmap colour;
    OwnedBitmap mask;
};

struct PaletteKey {
    Colour text, background;
    int level;
    bool operator==(const PaletteKey&) const = default;
};
struct GlyphKey {
    int font;
    UINT code;
    bool operator==(const GlyphKey&) const = default;
};
struct BitmapKey {
    GlyphKey glyph;
    PaletteKey palette;
    bool operator==(const BitmapKey&) const = default;
};
struct Hash {
    size_t operator()(const PaletteKey& k) const { return (k.text * 31u + k.background) * 7u + k.level; }
    size_t operator()(const GlyphKey& k) const { return static_cast<size_t>(k.font) * 0x10001u ^ k.code; }
    size_t operator()(const BitmapKey& k) const { return (*this)(k.glyph) * 131u ^ (*this)(k.palette); }
};

struct GlyphCache {
    std::unordered_map<GlyphKey, Glyph, Hash> glyphs;
    std::unordered_map<BitmapKey, GlyphBitmaps, Hash> bitmaps;
    std::unordered_map<PaletteKey, SmoothPalette, Hash> palettes;
    MemoryDC work;  // a glyph's bitmaps are selected into it for copying
};
GlyphCache g_glyphs;

const SmoothPalette& PaletteFor(const PaletteKey& key) {
    auto found = g_glyphs.palettes.find(key);
    if (found != g_glyphs.palettes.end()) return found->second;
    SmoothPalette& p = g_glyphs.palettes[key];
    BuildSmoothPalette(key.text, key.background, key.level, &p);
    return p;
}

const Glyph& GlyphFor(HDC dc, const GlyphKey& key) {
    auto found = g_glyphs.glyphs.find(key);
    if (found != g_glyphs.glyphs.end()) return found->second;
    Glyph& g = g_glyphs.glyphs[key];
    MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};  // rows come top-down
    DWORD size = GetGlyphOutlineW(dc, key.code, GGO_GRAY4_BITMAP, &g.metrics, 0, nullptr, &identity);
    if (size == GDI_ERROR || size == 0 || g.metrics.gmBlackBoxX == 0 || g.metrics.gmBlackBoxY == 0) return g;
    g.levels.resize(size);
    g.stride = (static_cast<int>(g.metrics.gmBlackBoxX) + 3) & ~3;
    if (GetGlyphOutlineW(dc, key.code, GGO_GRAY4_BITMAP, &g.metrics, size, g.levels.data(), &identity) == GDI_ERROR ||
        static_cast<size_t>(g.stride) * g.metrics.gmBlackBoxY > g.levels.size())
        g.levels.clear();
    return g;
}

// The levels into an 8-bit DIB whose palette is the smoothing palette (level k shows entry k),
// then the colour copy compatible with dc and the mask with black as the key.
const GlyphBitmaps& BitmapsFor(HDC dc, const BitmapKey& key, const Glyph& g, const SmoothPalette& palette) {
    auto found = g_glyphs.bitmaps.find(key);
    if (found != g_glyphs.bitmaps.end()) return found->second;
    GlyphBitmaps& made = g_glyphs.bitmaps[key];
    int w = static_cast<int>(g.metrics.gmBlackBoxX), h = static_cast<int>(g.metrics.gmBlackBoxY);
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info = {};
    info.header = {sizeof info.header, w, -h, 1, 8, BI_RGB, 0, 0, 0, 0, 0};
    for (int k = 0; k < 256; ++k) info.colours[k] = {palette.rgb[k][2], palette.rgb[k][1], palette.rgb[k][0], 0};
    void* bits = nullptr;
    OwnedBitmap dib(CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDC from(dc), to(dc);
    OwnedBitmap colour(CreateCompatibleBitmap(dc, w, h)), mask(CreateBitmap(w, h, 1, 1, nullptr));
    if (!dib || !from || !to || !colour || !mask) return made;
    std::memcpy(bits, g.levels.data(), static_cast<size_t>(g.stride) * h);
    {
        SelectedObject in(from.get(), dib.get());
        SelectedObject out(to.get(), colour.get());
        BitBlt(to.get(), 0, 0, w, h, from.get(), 0, 0, SRCCOPY);
    }
    SelectedObject in(from.get(), colour.get());
    SelectedObject out(to.get(), mask.get());
    SetBkColor(from.get(), RGB(0, 0, 0));  // no glyph level is pure black: black is the key
    BitBlt(to.get(), 0, 0, w, h, from.get(), 0, 0, SRCCOPY);
    made.colour = std::move(colour);
    made.mask = std::move(mask);
    return made;
}

// Key pixels keep the target, the others take their palette colour: what the masked copy does.
void WriteGlyph(const SmoothTarget& t, const Glyph& g, const SmoothPalette& palette, int x, int y) {
    int w = static_cast<int>(g.metrics.gmBlackBoxX), h = static_cast<int>(g.metrics.gmBlackBoxY);
    for (int row = 0; row < h; ++row) {
        int ty = y + row;
        if (ty < 0 || ty >= t.height) continue;
        const BYTE* levels = g.levels.data() + row * g.stride;
        uint32_t* line = t.bits + ty * t.width;
        for (int col = 0; col < w; ++col) {
            int tx = x + col, k = levels[col];
            if (k == 0 || tx < 0 || tx >= t.width) continue;
            line[tx] = static_cast<uint32_t>(palette.rgb[k][0]) << 16 | palette.rgb[k][1] << 8 | palette.rgb[k][2];
        }
    }
}

void CopyGlyph(const SmoothTarget& t, const GlyphBitmaps& b, const Glyph& g, int x, int y) {
    if (!b.colour) return;
    if (!g_glyphs.work) g_glyphs.work = MemoryDC(t.dc);
    int w = static_cast<int>(g.metrics.gmBlackBoxX), h = static_cast<int>(g.metrics.gmBlackBoxY);
    {
        SelectedObject in(g_glyphs.work.get(), b.mask.get());
        BitBlt(t.dc, x, y, w, h, g_glyphs.work.get(), 0, 0, SRCAND);  // key keeps the target, glyph clears it
    }
    SelectedObject in(g_glyphs.work.get(), b.colour.get());
    BitBlt(t.dc, x, y, w, h, g_glyphs.work.get(), 0, 0, SRCPAINT);
}
}  // namespace

int DrawSmoothText(const SmoothTarget& target, int fontId, const char* text, int length, int x, int y, int right,
                   Colour textColour, Colour background, int level) {
    PaletteKey paletteKey = {textColour, background, level};
    const SmoothPalette& palette = PaletteFor(paletteKey);
    TEXTMETRICW tm = {};
    GetTextMetricsW(target.dc, &tm);
    if (target.bits) GdiFlush();  // what GDI still holds back for these pixels lands first
    COLORREF oldText = SetTextColor(target.dc, RGB(0, 0, 0)), oldBack = SetBkColor(target.dc, RGB(255, 255, 255));
    int pen = x;
    for (int i = 0; i < length && text[i];) {
        int n = SjisCharLength(text + i);
        if (i + n > length) break;
        // Glyphs are asked for by their UTF-16 character: every 932 character is one.
        std::wstring one = Wide(std::string_view(text + i, static_cast<size_t>(n)));
        UINT code = one.empty() ? 0 : one[0];
        GlyphKey key = {fontId, code};
        const Glyph& g = GlyphFor(target.dc, key);
        if (!g.levels.empty()) {
            int gx = pen + g.metrics.gmptGlyphOrigin.x, gy = y + tm.tmAscent - g.metrics.gmptGlyphOrigin.y;
            if (target.bits) WriteGlyph(target, g, palette, gx, gy);
            else CopyGlyph(target, BitmapsFor(target.dc, BitmapKey{key, paletteKey}, g, palette), g, gx, gy);
        }
        pen += g.metrics.gmCellIncX;
        i += n;
        if (pen > right) break;
    }
    SetTextColor(target.dc, oldText);
    SetBkColor(target.dc, oldBack);
    return pen - x;
}

void ReleaseSmoothGlyphs() { g_glyphs = GlyphCache{}; }

size_t SmoothGlyphCount() { return g_glyphs.glyphs.size() + g_glyphs.bitmaps.size(); }
