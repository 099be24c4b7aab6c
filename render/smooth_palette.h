// The classic edition's text smoothing: the palette that turns a glyph's coverage levels (0 to 16)
// into colours between a flat background and the text colour.
#pragma once
#include <cstdint>

#include "base/colour.h"

struct SmoothPalette {
    uint8_t rgb[256][3];  // red, green, blue of each entry
};

// The smoothing level a design value gives: 0 (none) to 4; a hand-edited value outside that range
// takes the nearest level.
int SmoothLevel(int smooth);

// Entry 0 is black, the key for what the glyph leaves alone; entries 1 .. L-1 step from just off
// the background towards the text colour (L = 22, 18, 14, 10 for levels 1 to 4); entries L and on
// are the text colour. No entry but 0 is pure black: every channel is at least 4 where it counts.
void BuildSmoothPalette(Colour text, Colour background, int level, SmoothPalette* out);
