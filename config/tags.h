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
using TagTable = TagStyle[kTagCount];
extern TagTable g_tags;

// A word as typed in the tag dialog: "," (which separates the stored fields) becomes "_", and so
// does a "[" that no "]" closes; it is cut to 31 bytes on a character boundary.
void TagWordFromTyped(const char* typed, char out[32]);
// A line of the tag dialog's list: the word, or "(未登録)" for a free entry.
const char* TagListText(const TagStyle& tag);

void ResetTags();  // every tag free; the alarm entry's word "アラーム時刻", black, no style
void ReadTags();   // section COLORTAG of the configuration file (part of ReadSettings)
bool WriteTags();  // all 17 keys; false when one did not reach the file
