// GDI fonts of the font places, and the text widths the layout measures with them.
#pragma once
#include <windows.h>

#include "config/app_state.h"
#include "view/view_layout.h"

// The system's font record of a stored one and back: the face name is 932 in the file, UTF-16 for
// the system; the other fields are the same. A face name the system gives that 932 cannot hold
// comes back empty (the system's default face), never as a name no font has.
LOGFONTW SystemLogFont(const LogFontA& stored);
LogFontA StoredLogFont(const LOGFONTW& system);

// The size of text (932 bytes) in the font selected into dc.
SIZE TextExtentOf(HDC dc, const char* text, int length);

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
