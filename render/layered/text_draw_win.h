// Text of the layered edition: runs drawn with GDI+ in a place's font and colours, with
// smoothing, shadow and hemming; lines with tag words and alarm times cut into such runs.
#pragma once
#include "config/app_state.h"
#include "render/layered/draw_target_win.h"

enum TextFlags { kTextCentre = 1, kTextRight = 2 };

struct TextRequest {
    DrawTarget* target;
    const char* text;  // code page 932
    int left, top, right, bottom;
    int flags;  // TextFlags; always one line, vertically centred
    const FontPlace* font;
    int dayColour;
    bool alarmEmphasis;
};

struct TextSize {
    int width;   // advance
    int height;
};

// GDI extent of the first length bytes in the place's font; the italic overhang and the
// internal leading when asked for.
TextSize MeasureText(DrawTarget& target, const char* text, int length, const FontPlace& place, int* overhang,
                     int* internalLeading);
TextSize DrawTextRun(const TextRequest& request);
TextSize DrawTaggedText(const TextRequest& request);

// The GDI font of a LOGFONT, made once and kept with the text painters' other fonts, brushes
// and string format until ReleaseTextFonts (shutdown, or when the design's fonts change).
HFONT CachedPlaceFont(HDC dc, const LogFontA& logFont);
void ReleaseTextFonts();
// Starts afresh when many styles have gathered; only between paints, as a paint holds their fonts.
void TrimTextFonts();
