#include "render/place_font_win.h"

#include <cstring>

#include "base/win/handles.h"

namespace {
int g_fontDpi = 0;
}

void SetPlaceFontDpi(int dpi) { g_fontDpi = dpi; }

HFONT CreatePlaceFont(HDC dc, const LogFontA& logFont) {
    LOGFONTA lf;
    std::memcpy(&lf, &logFont, sizeof lf);
    if (lf.lfHeight > 0) {
        if (g_fontDpi > 0) {
            lf.lfHeight = -MulDiv(lf.lfHeight, g_fontDpi, 72);
        } else if (dc) {
            lf.lfHeight = -MulDiv(lf.lfHeight, GetDeviceCaps(dc, LOGPIXELSY), 72);
        } else {
            WindowDC screen(nullptr);
            lf.lfHeight = -MulDiv(lf.lfHeight, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
        }
    }
    return CreateFontIndirectA(&lf);
}

int GdiLayoutMeasure::TextWidth(const Design& design, int place, const char* text) {
    if (place < 0 || place >= kFontPlaceCount || !text) return 0;
    WindowDC screen(nullptr);
    MemoryDC dc(screen.get());
    OwnedBitmap bitmap(CreateCompatibleBitmap(screen.get(), 1, 1));
    SelectedObject bitmapIn(dc.get(), bitmap.get());
    OwnedFont font(CreatePlaceFont(screen.get(), design.fonts[place].logFont));
    SelectedObject fontIn(dc.get(), font.get());
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc.get(), text, static_cast<int>(std::strlen(text)), &size);
    return size.cx;
}
