// The current design (fonts, colours, cell sizes, labels, title format) in the profile target.
#pragma once
#include "config/app_state.h"

extern const char* const kFontPlaceKeys[kFontPlaceCount];
extern const char* const kBackPlaceKeys[kBackPlaceCount];

void ReadDesign(AppState* state);
bool WriteDesign(const AppState& state);  // false when a value did not reach the file
bool DesignEquals(const AppState& a, const AppState& b);
