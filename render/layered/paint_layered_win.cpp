// Layered edition painter: the window's pixels, alpha included, come from one 32-bit image
// that is handed to the window manager after every paint.
#include <windows.h>

#include <cstdint>

#include "app/win_handles.h"
#include "render/paint.h"

namespace {
RECT g_clip;
HBITMAP g_backBuffer;  // kept between paints, replaced when the window size changes
void* g_bits;
int g_backWidth, g_backHeight;

bool EnsureBackBuffer(HDC dc, int width, int height) {
    if (g_backBuffer && g_backWidth == width && g_backHeight == height) return true;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return false;
    ReleasePaintCache();
    g_backBuffer = bitmap;
    g_bits = bits;
    g_backWidth = width;
    g_backHeight = height;
    return true;
}

// A place colour 0x00BBGGRR at opacity 0..254 as a premultiplied pixel.
uint32_t PremultipliedPixel(Colour colour, int opacity) {
    uint32_t a = static_cast<uint32_t>(opacity) & 0xFF;
    uint32_t r = (colour & 0xFF) * a / 255, g = ((colour >> 8) & 0xFF) * a / 255,
             b = ((colour >> 16) & 0xFF) * a / 255;
    return a << 24 | r << 16 | g << 8 | b;
}
}  // namespace

void SetPaintClip(int left, int top, int right, int bottom) { SetRect(&g_clip, left, top, right, bottom); }

void PaintWindow(HWND hwnd, HDC dc, const AppState& state) {
    RECT window;
    GetWindowRect(hwnd, &window);
    int width = window.right - window.left, height = window.bottom - window.top;
    if (width <= 0 || height <= 0 || !EnsureBackBuffer(dc, width, height)) return;

    // For now the whole window is the day background.
    const BackPlace& day = state.design.backs[kBackDay];
    uint32_t pixel = PremultipliedPixel(day.colours[kWeekdayColour], day.opacity);
    uint32_t* p = static_cast<uint32_t*>(g_bits);
    for (int i = 0; i < width * height; ++i) p[i] = pixel;

    WindowDC screen(nullptr);
    MemoryDC memory(dc);
    SelectedObject selected(memory.get(), g_backBuffer);
    POINT position = {window.left, window.top}, source = {0, 0};
    SIZE size = {width, height};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(hwnd, screen.get(), &position, &size, memory.get(), &source, 0, &blend, ULW_ALPHA);
}

void ReleasePaintCache() {
    if (g_backBuffer) DeleteObject(g_backBuffer);
    g_backBuffer = nullptr;
    g_bits = nullptr;
    g_backWidth = g_backHeight = 0;
}
