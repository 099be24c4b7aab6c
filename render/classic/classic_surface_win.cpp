#include "render/classic/classic_surface_win.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "base/win/handles.h"
#include "base/win/wide_text.h"
#include "render/button_bitmaps_win.h"
#include "render/classic/smooth_text_win.h"
#include "render/place_font_win.h"
#include "render/run_style.h"
#include "render/smooth_palette.h"

namespace {
// What the classic painter keeps between paints: fonts by LOGFONT (with their "W" widths),
// solid brushes by colour, pattern brushes by button, and one bitmap the areas are drawn in.
struct KeptFont {
    LogFontA lf;
    OwnedFont font;
    ABC w;
    int internalLeading;
};
struct ClassicCache {
    std::vector<KeptFont> fonts;
    std::vector<std::pair<Colour, OwnedBrush>> brushes;
    std::vector<std::pair<int, OwnedBrush>> buttons;
    MemoryDC areaDc;
    OwnedBitmap area;  // a 32-bit top-down DIB, so smoothed text can be written into its pixels
    void* areaBits = nullptr;
    HGDIOBJ areaOld = nullptr;
    int areaWidth = 0, areaHeight = 0;
};
ClassicCache g_cache;
constexpr size_t kCacheLimit = 64;
constexpr size_t kGlyphLimit = 8192;

const KeptFont& FontFor(HDC dc, const LogFontA& lf) {
    for (const KeptFont& kept : g_cache.fonts)
        if (std::memcmp(&kept.lf, &lf, sizeof lf) == 0) return kept;
    KeptFont made{lf, OwnedFont(CreatePlaceFont(dc, lf)), ABC{}, 0};
    SelectedObject in(dc, made.font.get());
    GetCharABCWidthsW(dc, L'W', L'W', &made.w);
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc, &tm);
    made.internalLeading = tm.tmInternalLeading;
    g_cache.fonts.push_back(std::move(made));
    return g_cache.fonts.back();
}

HBRUSH BrushFor(Colour colour) {
    for (const auto& kept : g_cache.brushes)
        if (kept.first == colour) return kept.second.get();
    g_cache.brushes.emplace_back(colour, OwnedBrush(CreateSolidBrush(colour)));
    return g_cache.brushes.back().second.get();
}

void Fill(HDC dc, Colour colour, int left, int top, int right, int bottom) {
    RECT r = {left, top, right, bottom};
    FillRect(dc, &r, BrushFor(colour));
}

// The area bitmap: kept, and made anew only when an area does not fit it.
HDC AreaDc(HDC window, int width, int height) {
    if (g_cache.areaDc && width <= g_cache.areaWidth && height <= g_cache.areaHeight) return g_cache.areaDc.get();
    if (g_cache.areaDc && g_cache.areaOld) SelectObject(g_cache.areaDc.get(), g_cache.areaOld);
    g_cache.areaOld = nullptr;
    g_cache.areaWidth = std::max(width, g_cache.areaWidth);
    g_cache.areaHeight = std::max(height, g_cache.areaHeight);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, g_cache.areaWidth, -g_cache.areaHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    g_cache.area.reset(CreateDIBSection(window, &info, DIB_RGB_COLORS, &g_cache.areaBits, nullptr, 0));
    if (!g_cache.areaDc) g_cache.areaDc = MemoryDC(window);
    if (!g_cache.area || !g_cache.areaDc) return nullptr;
    g_cache.areaOld = SelectObject(g_cache.areaDc.get(), g_cache.area.get());
    return g_cache.areaDc.get();
}
}  // namespace

void ReleaseClassicCache() {
    if (g_cache.areaDc && g_cache.areaOld) SelectObject(g_cache.areaDc.get(), g_cache.areaOld);
    g_cache.areaOld = nullptr;
    g_cache = ClassicCache{};
    ReleaseSmoothGlyphs();
    ReleaseButtonBitmaps();
}

void TrimClassicCache() {
    if (g_cache.fonts.size() > kCacheLimit || g_cache.brushes.size() > kCacheLimit ||
        SmoothGlyphCount() > kGlyphLimit)
        ReleaseClassicCache();
}

ClassicSurface::ClassicSurface(const Design& design, const TagTable& tags, HDC window, const PaintRect& clip,
                               int buttonScale)
    : design_(design), tags_(tags), window_(window), target_(window), clip_(clip), buttonScale_(buttonScale) {}

void ClassicSurface::BeginArea(const PaintRect& where) {
    HDC dc = AreaDc(window_, where.right - where.left, where.bottom - where.top);
    if (!dc) return;  // then the area is drawn straight onto the window
    area_ = where;
    target_ = dc;
}

void ClassicSurface::EndArea() {
    if (target_ == window_) return;
    BitBlt(window_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, target_, 0, 0, SRCCOPY);
    target_ = window_;
}

void ClassicSurface::FillArea(const PaintRect& r, int backPlace, int dayColour) {
    background_ = design_.backs[backPlace].colours[dayColour];
    Fill(target_, background_, r.left, r.top, r.right, r.bottom);
    Colour border = design_.backs[kBackBorder].colours[0];
    Fill(target_, border, r.left, r.top, r.right, r.top + 1);
    Fill(target_, border, r.left, r.bottom - 1, r.right, r.bottom);
    Fill(target_, border, r.left, r.top, r.left + 1, r.bottom);
    Fill(target_, border, r.right - 1, r.top, r.right, r.bottom);
}

TextExtent ClassicSurface::MeasureText(const char* text, int length, const TextStyle& style) {
    FontPlace place = RunStyle(design_, tags_, style);
    const KeptFont& font = FontFor(target_, place.logFont);
    SelectedObject in(target_, font.font.get());
    SIZE size = TextExtentOf(target_, text, length);
    int overhang = place.logFont.lfItalic && font.w.abcC < 0 ? -font.w.abcC : 0;
    return {size.cx, overhang, font.internalLeading};
}

int ClassicSurface::BoxLift(int fontPlace) {
    return FontFor(target_, RunStyle(design_, tags_, TextStyle{fontPlace, 0}).logFont).internalLeading / 2;
}

int ClassicSurface::DrawTextRun(const char* text, int length, const PaintRect& box, TextAlign align,
                                const TextStyle& style) {
    FontPlace place = RunStyle(design_, tags_, style);
    const KeptFont& font = FontFor(target_, place.logFont);
    SelectedObject in(target_, font.font.get());
    SetBkMode(target_, TRANSPARENT);
    Colour colour = place.colours[style.dayColour];
    SetTextColor(target_, colour);
    SIZE size = TextExtentOf(target_, text, length);
    int level = SmoothLevel(place.smooth);
    if (level == 0) {
        RECT r = {box.left, box.top, box.right, box.bottom};
        UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | DT_NOPREFIX;
        if (align == kAlignCentre) flags |= DT_CENTER;
        else if (align == kAlignRight) flags |= DT_RIGHT;
        std::wstring wide = Wide(std::string_view(text, length > 0 ? static_cast<size_t>(length) : 0));
        DrawTextW(target_, wide.c_str(), static_cast<int>(wide.size()), &r, flags);
    } else {
        int x = align == kAlignCentre ? box.left + (box.right - size.cx - box.left) / 2
                : align == kAlignRight ? box.right - size.cx
                                       : box.left;
        int y = box.top + (box.bottom - size.cy - box.top) / 2;
        SmoothTarget smooth = {target_, nullptr, 0, 0};
        if (target_ != window_) smooth = {target_, static_cast<uint32_t*>(g_cache.areaBits), g_cache.areaWidth, g_cache.areaHeight};
        int fontId = static_cast<int>(&font - g_cache.fonts.data());
        DrawSmoothText(smooth, fontId, text, length, x, y, box.right, colour, background_, level);
    }
    int advance = align == kAlignLeft ? size.cx : box.right - box.left;
    if (place.logFont.lfItalic && font.w.abcC < 0) advance -= font.w.abcC;
    return advance;
}

bool ClassicSurface::ButtonBitmapSize(int bitmapId, int* width, int* height) {
    BITMAP info = {};
    HBITMAP bitmap = KeptButtonBitmap(bitmapId, buttonScale_);
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return false;
    *width = info.bmWidth;
    *height = info.bmHeight;
    return true;
}

// A pattern brush of the 1-bit bitmap: its black stays black (the text colour), its white takes
// the button colour (the background colour).
void ClassicSurface::DrawButton(int bitmapId, const PaintRect& r) {
    HBRUSH brush = nullptr;
    // Kept by picture and scale: button ids are far below 65536.
    int key = bitmapId | buttonScale_ << 16;
    for (const auto& kept : g_cache.buttons)
        if (kept.first == key) brush = kept.second.get();
    if (!brush) {
        HBITMAP bitmap = KeptButtonBitmap(bitmapId, buttonScale_);
        if (!bitmap) return;
        g_cache.buttons.emplace_back(key, OwnedBrush(CreatePatternBrush(bitmap)));
        brush = g_cache.buttons.back().second.get();
    }
    COLORREF oldText = SetTextColor(target_, RGB(0, 0, 0));
    COLORREF oldBack = SetBkColor(target_, design_.backs[kBackButton].colours[0]);
    POINT oldOrigin;
    SetBrushOrgEx(target_, r.left, r.top, &oldOrigin);
    RECT rect = {r.left, r.top, r.right, r.bottom};
    FillRect(target_, &rect, brush);
    SetBrushOrgEx(target_, oldOrigin.x, oldOrigin.y, nullptr);
    SetTextColor(target_, oldText);
    SetBkColor(target_, oldBack);
}

void ClassicSurface::DrawSelectionFrame(const PaintRect& r, bool wide) {
    COLORREF oldText = SetTextColor(target_, 0x006A240A);
    COLORREF oldBack = SetBkColor(target_, RGB(255, 255, 255));
    if (wide) {
        RECT outer = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        DrawFocusRect(target_, &outer);
    }
    RECT inner = {r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
    DrawFocusRect(target_, &inner);
    SetTextColor(target_, oldText);
    SetBkColor(target_, oldBack);
}

// Two pixels wide, drawn by inversion: a second caret at the same place takes it away again.
void ClassicSurface::DrawCaret(int x, int y, int, int height) {
    int oldMix = SetROP2(target_, R2_XORPEN);
    SelectedObject pen(target_, GetStockObject(WHITE_PEN));
    SelectedObject brush(target_, GetStockObject(WHITE_BRUSH));
    Rectangle(target_, x, y, x + 2, y + height);
    SetROP2(target_, oldMix);
}
