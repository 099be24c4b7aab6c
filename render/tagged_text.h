// A line of memo text on a surface: cut into runs at tag words and alarm times, each run in its
// style, one after the other from the box's left edge.
#pragma once
#include "config/tags.h"
#include "render/surface.h"

// Answers the width drawn. Tag words are those of tags; alarmEmphasis draws alarm times in the
// alarm tag's style.
int DrawTaggedText(DrawSurface& surface, const TagTable& tags, const char* text, const PaintRect& box, int fontPlace,
                   int dayColour, bool alarmEmphasis);
