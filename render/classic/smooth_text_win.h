// Text smoothed by the classic edition itself: each glyph's gray levels from the font engine,
// blended against a flat background through the smoothing palette and copied in through a mask.
#pragma once
#include <windows.h>

#include <cstdint>

#include "base/colour.h"

// Where smoothed text goes: a device context, and when it draws into a 32-bit top-down DIB of
// its own, that DIB's pixels too (then each glyph is written straight into them, the same
// pixels the masked copy would give, without a copy per glyph).
struct SmoothTarget {
    HDC dc;
    uint32_t* bits;  // 0x00RRGGBB; null: copy through the device context
    int width, height;
};

// Draws text in the font selected into the target's device context (fontId names that font for
// the glyphs kept between paints) from pen x; y is the top of the line. Stops after the first
// character that passes right (the first character is always drawn). Answers the pen's advance.
int DrawSmoothText(const SmoothTarget& target, int fontId, const char* text, int length, int x, int y, int right,
                   Colour textColour, Colour background, int level);

// The glyphs and palettes kept between paints.
void ReleaseSmoothGlyphs();
size_t SmoothGlyphCount();
