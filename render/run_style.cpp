#include "render/run_style.h"

FontPlace RunStyle(const Design& design, const TagTable& tags, const TextStyle& style) {
    FontPlace place = design.fonts[style.fontPlace >= 0 && style.fontPlace < kFontPlaceCount ? style.fontPlace : 0];
    if (style.tag < 0 || style.tag >= kTagCount) return place;
    const TagStyle& tag = tags[style.tag];
    int colour = style.dayColour >= 0 && style.dayColour < 3 ? style.dayColour : 0;
    place.colours[colour] = tag.colour;
    place.logFont.lfWeight = tag.bold ? 700 : 400;
    place.logFont.lfItalic = tag.italic ? 1 : 0;
    place.logFont.lfStrikeOut = tag.strikeOut ? 1 : 0;
    return place;
}
