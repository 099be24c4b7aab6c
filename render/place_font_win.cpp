#include "render/place_font_win.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/win/handles.h"
#include "render/title_text.h"

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

namespace {
// The widest of texts in the font of a place, measured on the screen with one font made for them.
int WidestText(const Design& design, int place, const std::vector<std::string>& texts) {
    if (place < 0 || place >= kFontPlaceCount) return 0;
    WindowDC screen(nullptr);
    MemoryDC dc(screen.get());
    OwnedBitmap bitmap(CreateCompatibleBitmap(screen.get(), 1, 1));
    SelectedObject bitmapIn(dc.get(), bitmap.get());
    OwnedFont font(CreatePlaceFont(screen.get(), design.fonts[place].logFont));
    SelectedObject fontIn(dc.get(), font.get());
    int widest = 0;
    for (const std::string& text : texts) {
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    return widest;
}
}  // namespace

int GdiLayoutMeasure::TextWidth(const Design& design, int place, const char* text) {
    return text ? WidestText(design, place, {text}) : 0;
}

int GdiLayoutMeasure::TitleWidth(const Design& design, int year) {
    return WidestText(design, kFontTitle, TitlesOfYear(design.titleForm, year));
}
