// What the design page decides, without windows: which colours a place offers, the texts it shows,
// and the changes that go to every selected place. Each change says whether anything changed, so
// the page tells the frame only then.
#pragma once
#include <string>
#include <vector>

#include "config/app_state.h"

// The title, memo box and countdown lines (and the border and buttons among the backgrounds) are
// drawn once, not per day: they offer only the weekday colour.
bool FontPlaceHasDayColours(int place);
bool BackPlaceHasDayColours(int place);

// "%s %dpt": the face name and the size in points.
std::string FontNameText(const FontPlace& place);

// The opacity slider runs the other way (transparency): position 254 - opacity, shown in percent.
int OpacityPosition(const BackPlace& place);
std::string OpacityText(int position);

// A font place's size in points and the device height a font chooser works with (negative:
// character height), at dpi dots per inch.
int HeightOfPoints(int points, int dpi);
int PointsOfHeight(int height, int dpi);

// Changes to the places listed (indexes into the design's font or background places).
bool SetFontColour(Design* d, const std::vector<int>& places, int column, Colour colour);
bool SetBackColour(Design* d, const std::vector<int>& places, int column, Colour colour);
bool SetSmoothing(Design* d, const std::vector<int>& places, int value);
bool SetHemming(Design* d, const std::vector<int>& places, int value);
bool SetShadow(Design* d, const std::vector<int>& places, int value);
bool SetBackOpacity(Design* d, const std::vector<int>& places, int position);
// The chosen font as a design file holds it (face, points, bold, italic, underline, strike-out;
// every other member as reading leaves it), so a saved design compares equal once read back.
bool SetPlaceFont(Design* d, const std::vector<int>& places, const LogFontA& chosen, int points);
