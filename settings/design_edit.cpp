#include "settings/design_edit.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/sjis.h"

namespace {
constexpr int kOpaque = 254;

// Sets field of every listed place to value; true when one of them held another value.
template <typename Place, typename Value>
bool SetEach(Place* places, int count, const std::vector<int>& which, Value Place::*field, Value value) {
    bool changed = false;
    for (int i : which) {
        if (i < 0 || i >= count || places[i].*field == value) continue;
        places[i].*field = value;
        changed = true;
    }
    return changed;
}

template <typename Place>
bool SetColourOf(Place* places, int count, const std::vector<int>& which, int column, Colour colour) {
    bool changed = false;
    for (int i : which) {
        if (i < 0 || i >= count || column < 0 || column > 2 || places[i].colours[column] == colour) continue;
        places[i].colours[column] = colour;
        changed = true;
    }
    return changed;
}

// Rounds halves away from zero, as the platform's MulDiv does.
int Scaled(int value, int by, int over) {
    long long n = static_cast<long long>(value) * by;
    long long half = over / 2;
    return static_cast<int>(n >= 0 ? (n + half) / over : (n - half) / over);
}
}  // namespace

bool FontPlaceHasDayColours(int place) {
    return place != kFontTitle && place != kFontMemo && place != kFontCdown;
}

bool BackPlaceHasDayColours(int place) {
    return place != kBackTitle && place < kBackMemo;
}

std::string FontNameText(const FontPlace& place) {
    char face[sizeof place.logFont.lfFaceName];
    CopyField(face, sizeof face, place.logFont.lfFaceName);
    char text[64];
    std::snprintf(text, sizeof text, "%s %dpt", face, place.logFont.lfHeight);
    return text;
}

int OpacityPosition(const BackPlace& place) { return kOpaque - place.opacity; }

std::string OpacityText(int position) {
    char text[16];
    std::snprintf(text, sizeof text, "%d %%", position * 100 / kOpaque);
    return text;
}

int HeightOfPoints(int points, int dpi) { return -Scaled(points, dpi, 72); }
int PointsOfHeight(int height, int dpi) { return dpi > 0 ? Scaled(std::abs(height), 72, dpi) : 0; }

bool SetFontColour(Design* d, const std::vector<int>& places, int column, Colour colour) {
    return SetColourOf(d->fonts, kFontPlaceCount, places, column, colour);
}

bool SetBackColour(Design* d, const std::vector<int>& places, int column, Colour colour) {
    return SetColourOf(d->backs, kBackPlaceCount, places, column, colour);
}

bool SetSmoothing(Design* d, const std::vector<int>& places, int value) {
    return SetEach(d->fonts, kFontPlaceCount, places, &FontPlace::smooth, value);
}

bool SetHemming(Design* d, const std::vector<int>& places, int value) {
    return SetEach(d->fonts, kFontPlaceCount, places, &FontPlace::hemming, value);
}

bool SetShadow(Design* d, const std::vector<int>& places, int value) {
    return SetEach(d->fonts, kFontPlaceCount, places, &FontPlace::shadow, value);
}

bool SetBackOpacity(Design* d, const std::vector<int>& places, int position) {
    return SetEach(d->backs, kBackPlaceCount, places, &BackPlace::opacity, kOpaque - position);
}

bool SetPlaceFont(Design* d, const std::vector<int>& places, const LogFontA& chosen, int points) {
    LogFontA font;
    std::memset(&font, 0, sizeof font);
    font.lfHeight = points;
    font.lfWeight = chosen.lfWeight >= 700 ? 700 : 400;
    font.lfItalic = chosen.lfItalic ? 1 : 0;
    font.lfUnderline = chosen.lfUnderline ? 1 : 0;
    font.lfStrikeOut = chosen.lfStrikeOut ? 1 : 0;
    font.lfCharSet = 1;
    CopyField(font.lfFaceName, sizeof font.lfFaceName, chosen.lfFaceName);
    bool changed = false;
    for (int i : places) {
        if (i < 0 || i >= kFontPlaceCount) continue;
        LogFontA& now = d->fonts[i].logFont;
        if (std::memcmp(&now, &font, sizeof font) == 0) continue;
        now = font;
        changed = true;
    }
    return changed;
}
