// The current design (fonts, colours, cell sizes, labels, title format) in the profile target.
#pragma once
#include <cstddef>

#include "config/app_state.h"

extern const char* const kFontPlaceKeys[kFontPlaceCount];
extern const char* const kBackPlaceKeys[kBackPlaceCount];

void ReadDesign(AppState* state);
// A design's values by section and key, as a design file holds them; null when missing.
using DesignLookup = const char* (*)(const char* section, const char* key);
// ReadDesign from such values instead of the profile target: a design built into the program reads
// exactly as the same values read from a file.
void ReadDesignValues(AppState* state, DesignLookup lookup);
bool WriteDesign(const AppState& state);  // false when a value did not reach the file
bool DesignEquals(const AppState& a, const AppState& b);

// The column ratios from a comma list: seven items, each clamped to 1 .. 5, a missing or
// non-positive one 1; the sum recomputed. RatiosText joins them again.
void SetRatios(Design* d, const char* text);
void RatiosText(const Design& d, char* out, size_t outSize);
// The weekday labels from a comma list (cut to their 63-byte field), and joined again. The list
// labels may be empty; then their text is empty too.
void SetHeadLabels(Design* d, const char* text);
void SetListHeadLabels(Design* d, const char* text);
void HeadLabelsText(const Design& d, char* out, size_t outSize);
void ListHeadLabelsText(const Design& d, char* out, size_t outSize);
