// The design (fonts, colours, cell sizes, labels, title format) as a file holds it: the
// configuration file holds the design in force, a design file a named one.
#pragma once
#include <cstddef>

#include "config/app_state.h"

extern const char* const kFontPlaceKeys[kFontPlaceCount];
extern const char* const kBackPlaceKeys[kBackPlaceCount];

// The design fields of state as the file at path holds them (the edition decides which fields
// there are); what is missing takes the defaults.
void ReadDesignFile(AppState* state, const char* path);
void ReadDesign(AppState* state);  // of the configuration file
// A design's values by section and key, as a design file holds them; null when missing.
using DesignLookup = const char* (*)(const char* section, const char* key);
// ReadDesignFile from such values: a design built into the program reads exactly as the same
// values read from a file.
void ReadDesignValues(AppState* state, DesignLookup lookup);
// Every key of the design into the file at path; false when a value did not reach the file.
bool WriteDesignFile(const AppState& state, const char* path);
bool WriteDesign(const AppState& state);  // into the configuration file
bool DesignEquals(const AppState& a, const AppState& b);

// The column ratios from a comma list: seven items, each clamped to 1 .. 5, a missing or
// non-positive one 1; the sum recomputed. RatiosText joins them again.
void SetRatios(Design* d, const char* text);
void RatiosText(const Design& d, char* out, size_t outSize);
// The weekday labels from a comma list (cut to their 63-byte field), and joined again. The list
// labels may be empty; then (every one of the seven empty) their text is empty too.
void SetHeadLabels(Design* d, const char* text);
void SetListHeadLabels(Design* d, const char* text);
void HeadLabelsText(const Design& d, char* out, size_t outSize);
void ListHeadLabelsText(const Design& d, char* out, size_t outSize);
