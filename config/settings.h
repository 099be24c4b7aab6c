// Section CONFIG of the configuration file: reading and writing.
#pragma once
#include "base/colour.h"
#include "base/fields.h"
#include "config/app_state.h"

// Fills the Settings of state, the tag table and the operation table's assignments. Returns 1.
int ReadSettings(AppState* state);
bool WriteSettings(const AppState& state);  // false when a value did not reach the file
bool WriteViewSettings(const AppState& state);

// "9:5,18:30" -> "09:05,18:30". Each item needs a ':'; the numbers before and after it are read
// as atoi reads them ("12:00 lunch" is 12:00, " 9:5x" 09:05) and must be an hour and a minute.
// Any invalid item, more than 50 items, or a result that would not fit -> "".
void NormaliseStartupTimes(const char* in, char* out, int outSize);
