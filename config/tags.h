// Tag words drawn in their own colour and style; entry 0 is the alarm-time emphasis.
#pragma once
#include "config/app_state.h"

struct TagStyle {
    char word[32];
    Colour colour;
    int32_t bold;
    int32_t italic;
    int32_t strikeOut;
};

constexpr int kTagCount = 17;
extern TagStyle g_tags[kTagCount];

void ResetTags();  // every tag free; the alarm entry's word "アラーム時刻", black, no style
void ReadTags();   // section COLORTAG of the configuration file (part of ReadSettings)
bool WriteTags();  // all 17 keys; false when one did not reach the file
