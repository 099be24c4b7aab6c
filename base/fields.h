// Comma lists of every file of the program.
#pragma once

// Splits text in place at sep, never at a trail byte and never inside "[" ... "]". items may be
// null to only count; maxItems bounds what is stored (the count is still the full count).
int SplitFields(char* text, char sep, char** items, int maxItems);
