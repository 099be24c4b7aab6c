// Layered edition painter: the window's pixels, alpha included, come from one 32-bit image that
// is kept between paints; a paint redraws the areas that meet the clip rectangle and hands the
// whole image to the window manager.
#include <windows.h>
#include <gdiplus.h>

#include <cstdint>

#include "app/win_handles.h"
#include "render/layered/layered_paint_win.h"
#include "render/layered/text_draw_win.h"
#include "render/paint.h"
#include "render/place_font_win.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {
RECT g_clip;

// A top-down 32-bit DIB section; kept with its size.
struct Image {
    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
    int width = 0, height = 0;
};
Image g_back, g_scratch;

bool MakeImage(HDC dc, int width, int height, Image* image) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return false;
    if (image->bitmap) DeleteObject(image->bitmap);
    *image = Image{bitmap, bits, width, height};
    return true;
}

// The back buffer is made anew only when the window's size changes; the scratch image with it.
bool EnsureImages(HDC dc, int width, int height) {
    if (g_back.bitmap && g_back.width == width && g_back.height == height) return true;
    return MakeImage(dc, width, height, &g_back) && MakeImage(dc, width, height, &g_scratch);
}

void Release(Image* image) {
    if (image->bitmap) DeleteObject(image->bitmap);
    *image = Image{};
}
}  // namespace

bool MeetsClip(const LayeredFrame& frame, int left, int top, int right, int bottom) {
    RECT area = {left, top, right, bottom}, common;
    return IntersectRect(&common, &area, &frame.clip) != 0;
}

void BeginArea(LayeredFrame& frame, int width, int height) {
    Note(frame.scratch, GdipSetClipRectI(frame.scratch.graphics, 0, 0, width, height, CombineModeReplace));
}

void EndArea(LayeredFrame& frame, int x, int y, int width, int height) {
    BitBlt(frame.back.dc, x, y, width, height, frame.scratch.dc, 0, 0, SRCCOPY);
}

const uint32_t* LayeredBackBuffer(int* width, int* height) {
    *width = g_back.width;
    *height = g_back.height;
    return static_cast<const uint32_t*>(g_back.bits);
}

void SetPaintClip(int left, int top, int right, int bottom) { SetRect(&g_clip, left, top, right, bottom); }

void PaintWindow(HWND hwnd, HDC dc, const AppState& state) {
    RECT window;
    GetWindowRect(hwnd, &window);
    int width = window.right - window.left, height = window.bottom - window.top;
    if (width <= 0 || height <= 0 || !EnsureImages(dc, width, height)) return;

    WindowDC screen(nullptr);
    MemoryDC backDc(dc), scratchDc(dc);
    SelectedObject backIn(backDc.get(), g_back.bitmap), scratchIn(scratchDc.get(), g_scratch.bitmap);
    OwnedGraphics backGraphics, scratchGraphics;
    GdipCreateFromHDC(backDc.get(), backGraphics.out());
    GdipCreateFromHDC(scratchDc.get(), scratchGraphics.out());
    if (!backGraphics.get() || !scratchGraphics.get()) return;

    // The places' fonts for this paint, on a copy: fonts found are used, fonts made are deleted.
    AppState painted = state;
    HFONT made[kFontPlaceCount] = {};
    for (int i = 0; i < kFontPlaceCount; ++i) {
        FontPlace& place = painted.design.fonts[i];
        if (!place.font) place.font = made[i] = CreatePlaceFont(backDc.get(), place.logFont);
    }
    LayeredFrame frame = {g_clip, {backDc.get(), backGraphics.get(), Ok}, {scratchDc.get(), scratchGraphics.get(), Ok},
                          hwnd, 0};
    PaintTitleBar(frame, painted);
    PaintCountdownArea(frame, painted);
    PaintWeekdayHead(frame, painted);
    PaintDayCells(frame, painted);
    if (painted.design.memoRow > 0) PaintMemoBox(frame, painted);
    ReleaseTextFonts();
    for (HFONT f : made)
        if (f) DeleteObject(f);

    POINT position = {window.left, window.top}, source = {0, 0};
    SIZE size = {width, height};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(hwnd, screen.get(), &position, &size, backDc.get(), &source, 0, &blend, ULW_ALPHA);
}

void ReleasePaintCache() {
    Release(&g_back);
    Release(&g_scratch);
}
