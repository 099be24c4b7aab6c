#include "render/layered/layered_surface_win.h"

#include <gdiplus.h>

#include <algorithm>
#include <utility>

#include "render/button_bitmaps_win.h"
#include "render/layered/run_cache_win.h"
#include "render/run_style.h"
#include "view/view_layout.h"

using namespace Gdiplus::DllExports;

LayeredSurface::LayeredSurface(const Design& design, const TagTable& tags, const PaintRect& clip, DrawTarget back,
                               DrawTarget scratch, int dpi)
    : design_(design), tags_(tags), clip_(clip), back_(back), scratch_(scratch), dpi_(dpi),
      buttonScale_(ButtonScale(dpi)) {
    GdipResetClip(scratch_.graphics);
}

void LayeredSurface::BeginArea(const PaintRect& where) {
    area_ = where;
    inArea_ = true;
    scratch_.bound = {0, 0, std::min(where.right - where.left, scratch_.width),
                      std::min(where.bottom - where.top, scratch_.height)};
    Note(scratch_, GdipSetClipRectI(scratch_.graphics, 0, 0, where.right - where.left, where.bottom - where.top,
                                    Gdiplus::CombineModeReplace));
}

void LayeredSurface::EndArea() {
    BitBlt(back_.dc, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, scratch_.dc, 0, 0,
           SRCCOPY);
    inArea_ = false;
}

void LayeredSurface::FillArea(const PaintRect& r, int backPlace, int dayColour) {
    ::FillArea(Target(), design_, r.left, r.top, r.right, r.bottom, backPlace, dayColour);
}

TextExtent LayeredSurface::MeasureText(const char* text, int length, const TextStyle& style) {
    return MeasureCachedText(Target(), text, length, RunStyle(design_, tags_, style), dpi_);
}

int LayeredSurface::DrawTextRun(const char* text, int length, const PaintRect& box, TextAlign align,
                                const TextStyle& style) {
    return DrawCachedRun(Target(), text, length, box, align, RunStyle(design_, tags_, style), style.dayColour, dpi_);
}

bool LayeredSurface::ButtonBitmapSize(int bitmapId, int* width, int* height) {
    BITMAP info = {};
    HBITMAP bitmap = KeptButtonBitmap(bitmapId, buttonScale_);
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return false;
    *width = info.bmWidth;
    *height = info.bmHeight;
    return true;
}

void LayeredSurface::DrawButton(int bitmapId, const PaintRect& r) {
    if (HBITMAP bitmap = KeptButtonBitmap(bitmapId, buttonScale_))
        DrawButtonBitmap(Target(), bitmap, r.left, r.top, r.right, r.bottom, design_.backs[kBackButton]);
}

void LayeredSurface::DrawSelectionFrame(const PaintRect& r, bool wide) {
    ::DrawSelectionFrame(Target(), r.left, r.top, r.right, r.bottom, wide);
}

void LayeredSurface::DrawCaret(int x, int y, int width, int height) { ::DrawCaret(Target(), x, y, width, height); }
