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

// A top-down 32-bit DIB section with its own memory device context and GDI+ graphics, all kept
// between paints: a keystroke's repaint of one cell should not pay for making them again.
struct Image {
    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
    int width = 0, height = 0;
    HDC dc = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    GpBitmap* image = nullptr;  // the same pixels for GDI+, so it draws into memory directly
    GpGraphics* graphics = nullptr;
};
Image g_back, g_scratch;

void Release(Image* image) {
    if (image->graphics) GdipDeleteGraphics(image->graphics);
    if (image->image) GdipDisposeImage(image->image);
    if (image->dc) {
        SelectObject(image->dc, image->oldBitmap);
        DeleteDC(image->dc);
    }
    if (image->bitmap) DeleteObject(image->bitmap);
    *image = Image{};
}

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
    Release(image);
    image->bitmap = bitmap;
    image->bits = bits;
    image->width = width;
    image->height = height;
    image->dc = CreateCompatibleDC(dc);
    if (!image->dc) return false;
    image->oldBitmap = SelectObject(image->dc, bitmap);
    if (GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(bits),
                                  &image->image) != Ok)
        return false;
    return GdipGetImageGraphicsContext(image->image, &image->graphics) == Ok;
}

// The back buffer is made anew only when the window's size changes; the scratch image with it.
bool EnsureImages(HDC dc, int width, int height) {
    if (g_back.graphics && g_scratch.graphics && g_back.width == width && g_back.height == height) return true;
    if (MakeImage(dc, width, height, &g_back) && MakeImage(dc, width, height, &g_scratch)) return true;
    Release(&g_back);
    Release(&g_scratch);
    return false;
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
    GdipResetClip(g_scratch.graphics);

    // The places' fonts, on a copy: fonts found are used; the others come from the kept fonts.
    TrimTextFonts();
    AppState painted = state;
    for (FontPlace& place : painted.design.fonts)
        if (!place.font) place.font = CachedPlaceFont(g_back.dc, place.logFont);
    LayeredFrame frame = {g_clip, {g_back.dc, g_back.graphics, Ok}, {g_scratch.dc, g_scratch.graphics, Ok}, hwnd, 0};
    PaintTitleBar(frame, painted);
    PaintCountdownArea(frame, painted);
    PaintWeekdayHead(frame, painted);
    PaintDayCells(frame, painted);
    if (painted.design.memoRow > 0) PaintMemoBox(frame, painted);

    POINT position = {window.left, window.top}, source = {0, 0};
    SIZE size = {width, height};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(hwnd, screen.get(), &position, &size, g_back.dc, &source, 0, &blend, ULW_ALPHA);
}

void ReleasePaintCache() {
    ReleaseTextFonts();
    Release(&g_back);
    Release(&g_scratch);
}
