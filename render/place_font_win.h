// GDI fonts of the font places, and the text widths the layout measures with them.
#pragma once
#include <windows.h>

#include "config/app_state.h"
#include "view/view_layout.h"

// A GDI font of the LOGFONT; a positive height is a point size, turned into pixels for dc (the
// screen when dc is null).
HFONT CreatePlaceFont(HDC dc, const LogFontA& logFont);

// The resolution point sizes are turned into pixels at from now on: the calendar window's, which
// may differ from the screen's (0: each device context's own, as at the start).
void SetPlaceFontDpi(int dpi);

// Widths in the places' fonts on the screen, each measured with a font made for it (GDI's widths:
// the classic edition's text; the layered edition measures its titles as GDI+ draws them).
class GdiLayoutMeasure : public LayoutMeasure {
public:
    int TextWidth(const Design& design, int place, const char* text) override;
    int TitleWidth(const Design& design, int year) override;
};
