// The design built into the program: what a new user starts with and what the design list always
// offers, so that anyone can go back to it. It looks like a Japanese desk calendar: 日 月 火 …
// over the columns, the era in the title, today marked, the cells in a visible grid, Sundays and
// holidays in red, Saturdays in blue.
#pragma once
#include "config/app_state.h"

inline constexpr char kStandardDesignName[] = "標準";
// The name it goes by while a design file of the user's holds the name 標準 (that file keeps it).
inline constexpr char kStandardDesignOtherName[] = "標準(組み込み)";

// Reads the standard design into the design fields of state, as ReadDesignFile reads a design
// file (the edition decides which fields there are).
void ReadStandardDesign(AppState* state);
