#include "render/layered/run_cache_win.h"

#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/win/gdiplus_handles.h"
#include "render/layered/text_draw_win.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {
// A drawn run: the premultiplied pixels of its ink, where the ink's corner lies from the run's
// left edge and its box's top, and what DrawStyledRun answers for it left aligned.
struct KeptRun {
    std::string key;
    std::vector<uint32_t> pixels;
    int left, top, width, height;
    int measured;  // the width GDI+ lays the text out in
    int overhang;  // an italic font's, added to every advance
};

// The image runs are drawn in before they are kept, transparent everywhere but where a run was
// just drawn. It grows to the largest run drawn so far. Members go in reverse: the graphics
// before the bitmap, the bitmap before the pixels it wraps.
struct Canvas {
    std::vector<uint32_t> pixels;
    OwnedGdipBitmap bitmap;
    OwnedGraphics graphics;
    int width = 0, height = 0;
};

struct RunCache {
    std::list<KeptRun> runs;  // most recently drawn first
    std::unordered_map<std::string_view, std::list<KeptRun>::iterator> index;  // keys owned by runs
    size_t bytes = 0, hits = 0, misses = 0;
    // GDI extents by font, dpi and text: a paint measures every memo line, and a line cut to its
    // cell several times over, before it draws it.
    std::unordered_map<std::string, TextExtent> extents;
    Canvas canvas;
    // What the kept runs were drawn for.
    bool fitted = false;
    FontPlace fonts[kFontPlaceCount];
    TagTable tags;
    int dpi = 0;
};
RunCache g_cache;
size_t g_budget = kRunCacheBudget;

size_t Footprint(const KeptRun& run) { return run.pixels.size() * 4 + run.key.size() + 96; }

constexpr size_t kExtentLimit = 8192;  // measured texts kept; many months of memo lines

// Everything that decides a run's pixels: the resolved style (font, the day colour's colour,
// smoothing, shadow, hemming), the box height the line is centred in, the dpi the font is made
// at, and the text.
std::string KeyOf(const FontPlace& style, Colour colour, int boxHeight, int dpi, const char* text, int length) {
    int32_t numbers[] = {static_cast<int32_t>(colour), style.smooth, style.shadow, style.hemming, boxHeight, dpi};
    std::string key;
    key.reserve(sizeof style.logFont + sizeof numbers + static_cast<size_t>(length));
    key.append(reinterpret_cast<const char*>(&style.logFont), sizeof style.logFont);
    key.append(reinterpret_cast<const char*>(numbers), sizeof numbers);
    key.append(text, static_cast<size_t>(length));
    return key;
}

bool FitCanvas(Canvas& c, int width, int height) {
    if (c.graphics.get() && c.width >= width && c.height >= height) return true;
    c.graphics.reset();
    c.bitmap.reset();
    c.width = std::max(c.width, width);
    c.height = std::max(c.height, height);
    c.pixels.assign(static_cast<size_t>(c.width) * static_cast<size_t>(c.height), 0);
    return GdipCreateBitmapFromScan0(c.width, c.height, c.width * 4, PixelFormat32bppPARGB,
                                     reinterpret_cast<BYTE*>(c.pixels.data()), c.bitmap.out()) == Ok &&
           GdipGetImageGraphicsContext(c.bitmap.get(), c.graphics.out()) == Ok;
}

// The font's em in pixels, as CreatePlaceFont makes it: room enough around a run for its ink.
int EmPixels(const LogFontA& lf, int dpi) {
    if (lf.lfHeight > 0) return MulDiv(lf.lfHeight, dpi > 0 ? dpi : 96, 72);
    return lf.lfHeight < 0 ? -lf.lfHeight : 16;
}

// Draws the run left aligned in a box of boxHeight on the cleared canvas and takes its ink out.
// A margin the ink reaches may have cut it: it is drawn again with a wider one.
bool DrawOnCanvas(DrawTarget& target, const char* text, int length, int boxHeight, const FontPlace& style,
                  int dayColour, int dpi, KeptRun* run) {
    int em = EmPixels(style.logFont, dpi);
    for (int margin = em / 2 + 4, attempt = 0; attempt < 4; margin *= 2, ++attempt) {
        int measured = 0;
        Canvas& c = g_cache.canvas;
        if (!FitCanvas(c, 1, 1)) return false;
        DrawTarget canvas = {target.dc, c.graphics.get(), Ok, c.pixels.data(), c.width, c.height, {}};
        measured = DrawnRunWidth(canvas, text, length, style);
        int width = std::max(measured, 0) + 2 * margin + em, height = std::max(boxHeight, 0) + 2 * margin;
        if (!FitCanvas(c, width, height)) return false;
        canvas = {target.dc, c.graphics.get(), Ok, c.pixels.data(), c.width, c.height, {0, 0, width, height}};
        for (int y = 0; y < height; ++y) std::fill_n(c.pixels.data() + y * c.width, width, 0u);
        int advance = DrawStyledRun(canvas, text, length, PaintRect{margin, margin, margin + measured, margin + boxHeight},
                                    kAlignLeft, style, dayColour);
        if (canvas.status != Ok) target.status = canvas.status;
        int left = width, top = height, right = 0, bottom = 0;
        for (int y = 0; y < height; ++y) {
            const uint32_t* row = c.pixels.data() + y * c.width;
            for (int x = 0; x < width; ++x) {
                if (!row[x]) continue;
                left = std::min(left, x);
                right = std::max(right, x + 1);
                top = std::min(top, y);
                bottom = y + 1;
            }
        }
        run->measured = measured;
        run->overhang = advance - measured;
        if (right <= left) {  // nothing to see (blanks)
            *run = KeptRun{std::move(run->key), {}, 0, 0, 0, 0, measured, advance - measured};
            return true;
        }
        if (left == 0 || top == 0 || right == width || bottom == height) continue;
        run->left = left - margin;
        run->top = top - margin;
        run->width = right - left;
        run->height = bottom - top;
        run->pixels.resize(static_cast<size_t>(run->width) * static_cast<size_t>(run->height));
        for (int y = 0; y < run->height; ++y)
            std::memcpy(run->pixels.data() + y * run->width, c.pixels.data() + (top + y) * c.width + left,
                        static_cast<size_t>(run->width) * 4);
        return true;
    }
    return false;
}

// v / 255 rounded, for v up to 255 * 255, in each 16-bit half at once.
inline uint32_t DivideBy255(uint32_t v) {
    v += 0x00800080;
    return ((v + ((v >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
}

// Premultiplied source over: what GDI+ does with each of the run's draws, done once for all.
void Blend(DrawTarget& t, const KeptRun& run, int x, int y) {
    int x0 = std::max<int>(x, t.bound.left), y0 = std::max<int>(y, t.bound.top);
    int x1 = std::min<int>(x + run.width, t.bound.right), y1 = std::min<int>(y + run.height, t.bound.bottom);
    if (x0 >= x1 || y0 >= y1) return;
    GdiFlush();  // what GDI still holds back for these pixels lands first
    for (int row = y0; row < y1; ++row) {
        const uint32_t* s = run.pixels.data() + (row - y) * run.width + (x0 - x);
        uint32_t* d = t.bits + row * t.width + x0;
        for (int i = 0; i < x1 - x0; ++i) {
            uint32_t p = s[i];
            if (!p) continue;
            unsigned keep = 255 - (p >> 24);
            if (!keep) {
                d[i] = p;
                continue;
            }
            // A premultiplied source never exceeds its alpha, so no channel overflows.
            uint32_t q = d[i];
            d[i] = p + DivideBy255((q & 0x00FF00FF) * keep) + (DivideBy255(((q >> 8) & 0x00FF00FF) * keep) << 8);
        }
    }
}

void Forget(std::list<KeptRun>::iterator it) {
    g_cache.bytes -= Footprint(*it);
    g_cache.index.erase(it->key);
    g_cache.runs.erase(it);
}

// Keeps a drawn run at the front, the least recently drawn leaving until it fits; a run bigger
// than an eighth of the budget is not kept (and stays where it is).
const KeptRun* Keep(KeptRun& run) {
    size_t size = Footprint(run);
    if (size > g_budget / 8) return &run;
    while (!g_cache.runs.empty() && g_cache.bytes + size > g_budget) Forget(std::prev(g_cache.runs.end()));
    g_cache.runs.push_front(std::move(run));
    g_cache.index.emplace(g_cache.runs.front().key, g_cache.runs.begin());
    g_cache.bytes += size;
    return &g_cache.runs.front();
}
}  // namespace

int DrawCachedRun(DrawTarget& target, const char* text, int length, const PaintRect& box, TextAlign align,
                  const FontPlace& style, int dayColour, int dpi) {
    if (!target.bits) return DrawStyledRun(target, text, length, box, align, style, dayColour);
    if (!text) length = 0;
    int boxHeight = box.bottom - box.top;
    std::string key = KeyOf(style, style.colours[dayColour], boxHeight, dpi, text ? text : "", length);
    const KeptRun* run = nullptr;
    KeptRun drawn;
    auto known = g_cache.index.find(key);
    if (known != g_cache.index.end()) {
        g_cache.runs.splice(g_cache.runs.begin(), g_cache.runs, known->second);  // now the most recent
        run = &*known->second;
        ++g_cache.hits;
    } else {
        ++g_cache.misses;
        drawn.key = std::move(key);
        if (!DrawOnCanvas(target, text ? text : "", length, boxHeight, style, dayColour, dpi, &drawn))
            return DrawStyledRun(target, text, length, box, align, style, dayColour);
        run = Keep(drawn);
    }
    int boxWidth = box.right - box.left, x = box.left;
    if (align == kAlignCentre) x += (boxWidth - run->measured) / 2;
    else if (align == kAlignRight) x += boxWidth - run->measured;
    Blend(target, *run, x + run->left, box.top + run->top);
    return (align != kAlignLeft ? boxWidth : run->measured) + run->overhang;
}

TextExtent MeasureCachedText(DrawTarget& target, const char* text, int length, const FontPlace& style, int dpi) {
    if (!text) length = 0;
    std::string key(reinterpret_cast<const char*>(&style.logFont), sizeof style.logFont);
    key.append(reinterpret_cast<const char*>(&dpi), sizeof dpi);
    key.append(text ? text : "", static_cast<size_t>(length));
    auto known = g_cache.extents.find(key);
    if (known != g_cache.extents.end()) return known->second;
    if (g_cache.extents.size() >= kExtentLimit) g_cache.extents.clear();
    TextExtent extent = MeasureTextRun(target, text, length, style);
    g_cache.extents.emplace(std::move(key), extent);
    return extent;
}

void FitRunCacheTo(const Design& design, const TagTable& tags, int dpi) {
    if (g_cache.fitted && dpi == g_cache.dpi && !std::memcmp(design.fonts, g_cache.fonts, sizeof design.fonts) &&
        !std::memcmp(tags, g_cache.tags, sizeof(TagTable)))
        return;
    EmptyRunCache();
    g_cache.fitted = true;
    std::memcpy(g_cache.fonts, design.fonts, sizeof design.fonts);
    std::memcpy(g_cache.tags, tags, sizeof(TagTable));
    g_cache.dpi = dpi;
}

void EmptyRunCache() {
    g_cache.canvas.graphics.reset();  // before the bitmap it draws on, and that before its pixels
    g_cache.canvas.bitmap.reset();
    g_cache = RunCache{};
}

void SetRunCacheBudget(size_t bytes) {
    g_budget = bytes;
    while (!g_cache.runs.empty() && g_cache.bytes > g_budget) Forget(std::prev(g_cache.runs.end()));
}

RunCacheCounts RunCacheStatistics() {
    return {g_cache.runs.size(), g_cache.bytes, g_cache.hits, g_cache.misses};
}
