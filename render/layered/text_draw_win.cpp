#include "render/layered/text_draw_win.h"

#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/win/gdiplus_handles.h"
#include "base/win/handles.h"
#include "base/win/wide_text.h"
#include "render/place_font_win.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {
// What the text painters make once and keep across paints: GDI fonts by their LOGFONT, with
// their GDI+ font and "W" widths, brushes by colour, and one string format. A typing keystroke
// repaints one cell; making these anew for it would cost more than drawing it.
struct KeptFont {
    LogFontA lf;
    OwnedFont gdi;
    OwnedGdipFont gdip;
    ABC w;
};
struct KeptBrush {
    ARGB argb;
    OwnedSolidFill brush;
};
struct TextCache {
    std::vector<KeptFont> fonts;
    std::vector<KeptBrush> brushes;
    OwnedStringFormat format;
    // Measured widths by font and text: a memo line is drawn at every paint but rarely changes,
    // and measuring it costs GDI+ as much as drawing it.
    std::unordered_map<std::string, int> widths;
};
TextCache g_cache;
constexpr size_t kCacheLimit = 64;  // a design has ten places and a few tag styles; trimmed between paints
constexpr size_t kWidthLimit = 4096;  // measured texts kept; about a month of memo lines many times over

const KeptFont& FontFor(HDC dc, const LogFontA& lf) {
    for (const KeptFont& kept : g_cache.fonts)
        if (std::memcmp(&kept.lf, &lf, sizeof lf) == 0) return kept;
    KeptFont made{lf, OwnedFont(CreatePlaceFont(dc, lf)), OwnedGdipFont(), ABC{}};
    SelectedObject in(dc, made.gdi.get());
    LOGFONTW actual;
    if (GetObjectW(made.gdi.get(), sizeof actual, &actual) == sizeof actual)
        GdipCreateFontFromLogfontW(dc, &actual, made.gdip.out());
    else
        GdipCreateFontFromDC(dc, made.gdip.out());
    GetCharABCWidthsW(dc, L'W', L'W', &made.w);
    g_cache.fonts.push_back(std::move(made));
    return g_cache.fonts.back();
}

GpSolidFill* Brush(ARGB argb) {
    for (const KeptBrush& kept : g_cache.brushes)
        if (kept.argb == argb) return kept.brush.get();
    KeptBrush made{argb, OwnedSolidFill()};
    if (GdipCreateSolidFill(argb, made.brush.out()) != Ok) return nullptr;
    g_cache.brushes.push_back(std::move(made));
    return g_cache.brushes.back().brush.get();
}

GpStringFormat* Format() {
    if (!g_cache.format.get() &&
        GdipCreateStringFormat(StringFormatFlagsNoWrap | StringFormatFlagsNoClip, LANG_NEUTRAL,
                               g_cache.format.out()) == Ok) {
        GdipSetStringFormatTrimming(g_cache.format.get(), StringTrimmingNone);
        GdipSetStringFormatLineAlign(g_cache.format.get(), StringAlignmentCenter);
    }
    return g_cache.format.get();
}

std::wstring Utf16(const char* text, int length) {
    return length > 0 ? Wide(std::string_view(text, static_cast<size_t>(length))) : std::wstring();
}

// Shadow and hemming brushes by design value 1..4: black or white, strong or faint.
ARGB ShadowArgb(int value) {
    static const ARGB kShadow[4] = {0x80000000, 0x40000000, 0x80FFFFFF, 0x40FFFFFF};
    return kShadow[value - 1];
}
ARGB HemmingArgb(int value) {
    static const ARGB kHemming[4] = {0xFE000000, 0x80000000, 0xFEFFFFFF, 0x80FFFFFF};
    return kHemming[value - 1];
}

void DrawAt(DrawTarget& t, const std::wstring& w, int n, GpFont* font, RectF at, float dx, float dy,
            GpStringFormat* format, ARGB argb) {
    GpSolidFill* brush = Brush(argb);
    if (!brush) return;
    at.X += dx;
    at.Y += dy;
    Note(t, GdipDrawString(t.graphics, w.c_str(), n, font, &at, format, brush));
}
}  // namespace

void ReleaseTextFonts() { g_cache = TextCache{}; }

void TrimTextFonts() {
    if (g_cache.fonts.size() > kCacheLimit || g_cache.brushes.size() > kCacheLimit) ReleaseTextFonts();
    if (g_cache.widths.size() > kWidthLimit) g_cache.widths.clear();
}

TextExtent MeasureTextRun(DrawTarget& target, const char* text, int length, const FontPlace& style) {
    const KeptFont& font = FontFor(target.dc, style.logFont);
    SelectedObject selected(target.dc, font.gdi.get());
    SIZE size = TextExtentOf(target.dc, text, length);
    TEXTMETRICW tm = {};
    GetTextMetricsW(target.dc, &tm);
    int overhang = style.logFont.lfItalic && font.w.abcC < 0 ? -font.w.abcC : 0;
    return {size.cx, overhang, tm.tmInternalLeading};
}

namespace {
// The rendering hint of the place's smoothing; GDI+ lays text out by it, so it is set before
// text is measured as well as before it is drawn.
void SetTextHint(DrawTarget& t, const FontPlace& place) {
    if (place.smooth > 0) {
        GdipSetTextContrast(t.graphics, static_cast<UINT>(8 - 2 * place.smooth));
        GdipSetTextRenderingHint(t.graphics, TextRenderingHintAntiAlias);
    } else {
        GdipSetTextRenderingHint(t.graphics, TextRenderingHintSingleBitPerPixelGridFit);
    }
}

// The width GDI+ lays out withW (the text and a "W" that makes trailing spaces count, w in
// UTF-16) in, less the "W"; kept by font and text.
int MeasuredWidth(DrawTarget& t, const KeptFont& font, const FontPlace& place, const std::string& withW,
                  const std::wstring& w, const RectF& layout) {
    // Fonts are only ever added to the cache or dropped all together, so a font's index names it.
    uint32_t index = static_cast<uint32_t>(&font - g_cache.fonts.data());
    std::string key(reinterpret_cast<const char*>(&index), sizeof index);
    key += withW;
    key += static_cast<char>(place.smooth > 0);
    auto known = g_cache.widths.find(key);
    if (known != g_cache.widths.end()) return known->second;
    int n = static_cast<int>(w.size());
    GpStringFormat* format = Format();
    CharacterRange range(0, n);
    GdipSetStringFormatMeasurableCharacterRanges(format, 1, &range);
    OwnedRegion region;
    GdipCreateRegion(region.out());
    GpRegion* regions[1] = {region.get()};
    GpRect bounds = {0, 0, 0, 0};
    if (region.get()) {
        Note(t, GdipMeasureCharacterRanges(t.graphics, w.c_str(), n, font.gdip.get(), layout, format, 1, regions));
        GdipGetRegionBoundsI(region.get(), t.graphics, &bounds);
    }
    int measured = bounds.Width - static_cast<int>(font.w.abcA + font.w.abcB + font.w.abcC);
    g_cache.widths.emplace(std::move(key), measured);
    return measured;
}

// The text is laid out from its left edge in a box wide enough never to wrap (some GDI+ versions
// wrap despite NoWrap); centring and right alignment move the box.
constexpr REAL kUnbounded = 100000.0f;
}  // namespace

int DrawnRunWidth(DrawTarget& t, const char* text, int length, const FontPlace& place) {
    const KeptFont& font = FontFor(t.dc, place.logFont);
    std::string withW = std::string(text ? text : "", text ? static_cast<size_t>(length) : 0) + "W";
    std::wstring w = Utf16(withW.c_str(), static_cast<int>(withW.size()));
    if (!font.gdip.get() || !Format() || w.empty()) return 0;
    UINT contrast = 0;
    GdipGetTextContrast(t.graphics, &contrast);
    SetTextHint(t, place);
    int measured = MeasuredWidth(t, font, place, withW, w, RectF(0, 0, kUnbounded, 1000));
    GdipSetTextContrast(t.graphics, contrast);
    return measured;
}

int DrawStyledRun(DrawTarget& t, const char* text, int length, const PaintRect& box, TextAlign align,
                  const FontPlace& place, int dayColour) {
    const KeptFont& font = FontFor(t.dc, place.logFont);
    ABC abc = font.w;
    Colour colour = place.colours[dayColour];

    // A "W" behind the text makes trailing spaces count in the measurement.
    std::string withW = std::string(text ? text : "", text ? static_cast<size_t>(length) : 0) + "W";
    std::wstring w = Utf16(withW.c_str(), static_cast<int>(withW.size()));
    int n = static_cast<int>(w.size());
    GpFont* gpFont = font.gdip.get();
    GpStringFormat* format = Format();
    if (!gpFont || !format || n == 0) return 0;

    UINT contrast = 0;
    GdipGetTextContrast(t.graphics, &contrast);
    SetTextHint(t, place);
    RectF layout(static_cast<REAL>(box.left), static_cast<REAL>(box.top), kUnbounded,
                 static_cast<REAL>(box.bottom - box.top));
    int measured = MeasuredWidth(t, font, place, withW, w, layout);

    int boxWidth = box.right - box.left;
    if (align == kAlignCentre) layout.X += static_cast<REAL>((boxWidth - measured) / 2);
    else if (align == kAlignRight) layout.X += static_cast<REAL>(boxWidth - measured);
    int shown = n - 1;  // the "W" is only measured
    if (place.shadow >= 1 && place.shadow <= 4) {
        float d = place.hemming > 0 ? 1.0f : 0.0f;
        ARGB a = ShadowArgb(place.shadow);
        DrawAt(t, w, shown, gpFont, layout, d, d, format, a);
        DrawAt(t, w, shown, gpFont, layout, d + 1, d, format, a);
        DrawAt(t, w, shown, gpFont, layout, d + 1, d + 1, format, a);
    }
    if (place.hemming >= 1 && place.hemming <= 4) {
        ARGB a = HemmingArgb(place.hemming);
        DrawAt(t, w, shown, gpFont, layout, 0, -1, format, a);
        DrawAt(t, w, shown, gpFont, layout, 1, 0, format, a);
        DrawAt(t, w, shown, gpFont, layout, 0, 1, format, a);
        DrawAt(t, w, shown, gpFont, layout, -1, 0, format, a);
    }
    DrawAt(t, w, shown, gpFont, layout, 0, 0, format, PlaceArgb(colour, 254));
    GdipSetTextContrast(t.graphics, contrast);

    int advance = align != kAlignLeft ? boxWidth : measured;
    if (place.logFont.lfItalic && abc.abcC < 0) advance -= abc.abcC;
    return advance;
}
