#include "render/place_font_win.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "base/win/handles.h"
#include "base/win/wide_text.h"
#include "render/title_text.h"

namespace {
int g_fontDpi = 0;
}

void SetPlaceFontDpi(int dpi) { g_fontDpi = dpi; }

LOGFONTW SystemLogFont(const LogFontA& stored) {
    LOGFONTW lf = {};
    lf.lfHeight = stored.lfHeight;
    lf.lfWidth = stored.lfWidth;
    lf.lfEscapement = stored.lfEscapement;
    lf.lfOrientation = stored.lfOrientation;
    lf.lfWeight = stored.lfWeight;
    lf.lfItalic = stored.lfItalic;
    lf.lfUnderline = stored.lfUnderline;
    lf.lfStrikeOut = stored.lfStrikeOut;
    lf.lfCharSet = stored.lfCharSet;
    lf.lfOutPrecision = stored.lfOutPrecision;
    lf.lfClipPrecision = stored.lfClipPrecision;
    lf.lfQuality = stored.lfQuality;
    lf.lfPitchAndFamily = stored.lfPitchAndFamily;
    std::wstring face = Wide(std::string_view(stored.lfFaceName, strnlen(stored.lfFaceName, sizeof stored.lfFaceName)));
    face.resize(std::min<size_t>(face.size(), LF_FACESIZE - 1));
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    return lf;
}

LogFontA StoredLogFont(const LOGFONTW& system) {
    LogFontA lf = {};
    lf.lfHeight = system.lfHeight;
    lf.lfWidth = system.lfWidth;
    lf.lfEscapement = system.lfEscapement;
    lf.lfOrientation = system.lfOrientation;
    lf.lfWeight = system.lfWeight;
    lf.lfItalic = system.lfItalic;
    lf.lfUnderline = system.lfUnderline;
    lf.lfStrikeOut = system.lfStrikeOut;
    lf.lfCharSet = system.lfCharSet;
    lf.lfOutPrecision = system.lfOutPrecision;
    lf.lfClipPrecision = system.lfClipPrecision;
    lf.lfQuality = system.lfQuality;
    lf.lfPitchAndFamily = system.lfPitchAndFamily;
    std::wstring_view face(system.lfFaceName, wcsnlen(system.lfFaceName, LF_FACESIZE));
    CopyField(lf.lfFaceName, sizeof lf.lfFaceName, FirstUnheld(face) ? "" : Sjis(face).c_str());
    return lf;
}

SIZE TextExtentOf(HDC dc, const char* text, int length) {
    SIZE size = {0, 0};
    if (!text || length <= 0) return size;
    std::wstring wide = Wide(std::string_view(text, static_cast<size_t>(length)));
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

HFONT CreatePlaceFont(HDC dc, const LogFontA& logFont) {
    LOGFONTW lf = SystemLogFont(logFont);
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
    return CreateFontIndirectW(&lf);
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
        SIZE size = TextExtentOf(dc.get(), text.c_str(), static_cast<int>(text.size()));
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
