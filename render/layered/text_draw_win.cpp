#include "render/layered/text_draw_win.h"

#include <cstring>
#include <string>
#include <vector>

#include "app/win_handles.h"
#include "config/tags.h"
#include "render/place_font_win.h"
#include "render/text_runs.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {
// What the text painters make once and keep across paints: GDI fonts by their LOGFONT, GDI+
// fonts and "W" widths by the GDI font, brushes by colour, and one string format. A typing
// keystroke repaints one cell; making these anew for it would cost more than drawing it.
struct TextCache {
    std::vector<std::pair<LogFontA, HFONT>> gdi;
    struct PerFont {
        LOGFONTA lf;  // by what the font is, not by its handle, which may be reused
        GpFont* gdip;
        ABC w;
    };
    std::vector<PerFont> perFont;
    std::vector<std::pair<ARGB, GpSolidFill*>> brushes;
    GpStringFormat* format = nullptr;
};
TextCache g_cache;
constexpr size_t kCacheLimit = 64;  // a design has ten places and a few tag styles; trimmed between paints

HFONT StyleFont(HDC dc, const LogFontA& lf) {
    for (auto& entry : g_cache.gdi)
        if (std::memcmp(&entry.first, &lf, sizeof lf) == 0) return entry.second;
    HFONT font = CreatePlaceFont(dc, lf);
    g_cache.gdi.emplace_back(lf, font);
    return font;
}

// The font must be selected into dc.
const TextCache::PerFont& FontData(HDC dc, HFONT font) {
    TextCache::PerFont made = {};
    bool known = GetObjectA(font, sizeof made.lf, &made.lf) == sizeof made.lf;
    if (known)
        for (auto& entry : g_cache.perFont)
            if (std::memcmp(&entry.lf, &made.lf, sizeof made.lf) == 0) return entry;
    if (known) GdipCreateFontFromLogfontA(dc, &made.lf, &made.gdip);
    else GdipCreateFontFromDC(dc, &made.gdip);
    GetCharABCWidthsA(dc, 'W', 'W', &made.w);
    g_cache.perFont.push_back(made);
    return g_cache.perFont.back();
}

GpSolidFill* Brush(ARGB argb) {
    for (auto& entry : g_cache.brushes)
        if (entry.first == argb) return entry.second;
    GpSolidFill* brush = nullptr;
    GdipCreateSolidFill(argb, &brush);
    if (brush) g_cache.brushes.emplace_back(argb, brush);
    return brush;
}

GpStringFormat* Format() {
    if (!g_cache.format &&
        GdipCreateStringFormat(StringFormatFlagsNoWrap | StringFormatFlagsNoClip, LANG_NEUTRAL, &g_cache.format) == Ok) {
        GdipSetStringFormatTrimming(g_cache.format, StringTrimmingNone);
        GdipSetStringFormatLineAlign(g_cache.format, StringAlignmentCenter);
    }
    return g_cache.format;
}

HFONT FontOf(HDC dc, const FontPlace& place) {
    return place.font ? static_cast<HFONT>(place.font) : StyleFont(dc, place.logFont);
}

std::wstring Utf16(const char* text, int length) {
    int n = MultiByteToWideChar(932, 0, text, length, nullptr, 0);
    std::wstring w(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(932, 0, text, length, w.data(), n);
    return w;
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

// The place's style with a tag's colour and font flags.
FontPlace TaggedStyle(const FontPlace& place, const TagStyle& tag, int dayColour) {
    FontPlace style = place;
    style.font = nullptr;
    style.colours[dayColour] = tag.colour;
    style.logFont.lfWeight = tag.bold ? 700 : 400;
    style.logFont.lfItalic = tag.italic ? 1 : 0;
    style.logFont.lfStrikeOut = tag.strikeOut ? 1 : 0;
    return style;
}
}  // namespace

void ReleaseTextFonts() {
    for (auto& entry : g_cache.perFont)
        if (entry.gdip) GdipDeleteFont(entry.gdip);
    for (auto& entry : g_cache.gdi) DeleteObject(entry.second);
    for (auto& entry : g_cache.brushes) GdipDeleteBrush(entry.second);
    if (g_cache.format) GdipDeleteStringFormat(g_cache.format);
    g_cache = TextCache{};
}

HFONT CachedPlaceFont(HDC dc, const LogFontA& logFont) { return StyleFont(dc, logFont); }

void TrimTextFonts() {
    if (g_cache.gdi.size() > kCacheLimit || g_cache.perFont.size() > kCacheLimit ||
        g_cache.brushes.size() > kCacheLimit)
        ReleaseTextFonts();
}

TextSize MeasureText(DrawTarget& target, const char* text, int length, const FontPlace& place, int* overhang,
                     int* internalLeading) {
    SelectedObject selected(target.dc, FontOf(target.dc, place));
    SIZE size = {0, 0};
    GetTextExtentPoint32A(target.dc, text, length, &size);
    if (overhang) {
        ABC abc = {};
        *overhang = place.logFont.lfItalic && GetCharABCWidthsA(target.dc, 'W', 'W', &abc) && abc.abcC < 0 ? -abc.abcC : 0;
    }
    if (internalLeading) {
        TEXTMETRICA tm = {};
        GetTextMetricsA(target.dc, &tm);
        *internalLeading = tm.tmInternalLeading;
    }
    return {size.cx, size.cy};
}

TextSize DrawTextRun(const TextRequest& r) {
    DrawTarget& t = *r.target;
    const FontPlace& place = *r.font;
    HFONT font = FontOf(t.dc, place);
    SetBkMode(t.dc, TRANSPARENT);
    SelectedObject selected(t.dc, font);
    Colour colour = place.colours[r.dayColour];
    SetTextColor(t.dc, colour);
    const TextCache::PerFont& data = FontData(t.dc, font);
    ABC abc = data.w;

    // A "W" behind the text makes trailing spaces count in the measurement.
    std::string withW = std::string(r.text ? r.text : "") + "W";
    std::wstring w = Utf16(withW.c_str(), static_cast<int>(withW.size()));
    int n = static_cast<int>(w.size());
    GpFont* gpFont = data.gdip;
    if (!gpFont || n == 0) return {0, 0};

    UINT contrast = 0;
    GdipGetTextContrast(t.graphics, &contrast);
    if (place.smooth > 0) {
        GdipSetTextContrast(t.graphics, static_cast<UINT>(8 - 2 * place.smooth));
        GdipSetTextRenderingHint(t.graphics, TextRenderingHintAntiAlias);
    } else {
        GdipSetTextRenderingHint(t.graphics, TextRenderingHintSingleBitPerPixelGridFit);
    }

    // The text is laid out from its left edge in a box wide enough never to wrap (some GDI+
    // versions wrap despite NoWrap); centring and right alignment move the box.
    constexpr REAL kUnbounded = 100000.0f;
    RectF layout(static_cast<REAL>(r.left), static_cast<REAL>(r.top), kUnbounded, static_cast<REAL>(r.bottom - r.top));
    GpStringFormat* format = Format();
    if (!format) return {0, 0};
    CharacterRange range(0, n);
    GdipSetStringFormatMeasurableCharacterRanges(format, 1, &range);
    OwnedRegion region;
    GdipCreateRegion(region.out());
    GpRegion* regions[1] = {region.get()};
    GpRect bounds = {0, 0, 0, 0};
    if (region.get()) {
        Note(t, GdipMeasureCharacterRanges(t.graphics, w.c_str(), n, gpFont, layout, format, 1, regions));
        GdipGetRegionBoundsI(region.get(), t.graphics, &bounds);
    }
    int measured = bounds.Width - static_cast<int>(abc.abcA + abc.abcB + abc.abcC);
    int height = bounds.Height;

    int boxWidth = r.right - r.left;
    if (r.flags & kTextCentre) layout.X += static_cast<REAL>((boxWidth - measured) / 2);
    else if (r.flags & kTextRight) layout.X += static_cast<REAL>(boxWidth - measured);
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

    int advance = (r.flags & (kTextCentre | kTextRight)) ? r.right - r.left : measured;
    if (place.logFont.lfItalic && abc.abcC < 0) advance -= abc.abcC;
    return {advance, height};
}

TextSize DrawTaggedText(const TextRequest& r) {
    if (!r.text || !r.text[0]) return {0, r.bottom - r.top};
    const FontPlace& place = *r.font;
    FontPlace alarm = place;
    if (r.alarmEmphasis) {
        alarm = TaggedStyle(place, g_tags[0], r.dayColour);
        alarm.font = StyleFont(r.target->dc, alarm.logFont);
    }
    int x = r.left;
    for (const TextRun& run : SplitTextRuns(r.text, r.alarmEmphasis)) {
        FontPlace style = run.style == 0 ? alarm : run.style > 0 ? TaggedStyle(place, g_tags[run.style], r.dayColour) : place;
        std::string piece(r.text + run.start, static_cast<size_t>(run.length));
        TextRequest sub = r;
        sub.text = piece.c_str();
        sub.left = x;
        sub.flags = 0;
        sub.font = &style;
        x += DrawTextRun(sub).width;
    }
    return {x - r.left, r.bottom - r.top};
}
