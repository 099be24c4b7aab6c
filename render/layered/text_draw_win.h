// Text of the layered edition: runs drawn with GDI+ in a font place's style and colour, with
// smoothing, shadow and hemming; and the fonts, brushes and string format kept for them.
#pragma once
#include "config/app_state.h"
#include "render/layered/draw_target_win.h"
#include "render/surface.h"

// GDI extent of the first length bytes in the style's font, with the italic overhang and the
// internal leading.
TextExtent MeasureTextRun(DrawTarget& target, const char* text, int length, const FontPlace& style);
// The width GDI+ draws the first length bytes in, in the style's font and smoothing (wider than
// GDI's extent).
int DrawnRunWidth(DrawTarget& target, const char* text, int length, const FontPlace& style);
// One run in box (vertically centred, aligned); answers the advance.
int DrawStyledRun(DrawTarget& target, const char* text, int length, const PaintRect& box, TextAlign align,
                  const FontPlace& style, int dayColour);

// Kept until ReleaseTextFonts (shutdown, or when the design's fonts change).
void ReleaseTextFonts();
// Starts afresh when many styles have gathered; only between paints, as a paint holds their fonts.
void TrimTextFonts();
