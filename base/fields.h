// Comma lists of every file of the program.
#pragma once

// Splits text in place at sep, never at a trail byte and never inside "[" ... "]". items may be
// null to only count; maxItems bounds what is stored (the count is still the full count).
int SplitFields(char* text, char sep, char** items, int maxItems);

// The first "[" of text that no "]" closes, or null.
char* UnclosedBracket(char* text);
// Makes text fit to be written as an item of a comma list and split again the same: it ends
// before a "[" that no "]" closes and loses a lead byte at its very end that lost its second
// byte, since either would take the separator behind it along (a cut may have taken the "]"),
// and the blanks at its end, which a write would drop when it comes last.
void KeepListItem(char* text);

// Ends text where a stored value of it would read back the same: without a lead byte at its very
// end that lost its second byte, and without the blanks at its end, which a write drops.
void KeepStoredTail(char* text);

// Drops the blanks (spaces, TABs) at the end of text. A value cut to its field may end in some,
// which writing it back would drop: without them it reads back the same.
void DropTrailingBlanks(char* text);

// A number read the way C's atoi reads one: white space, an optional sign, then digits up to the
// first other byte (none reads as 0). Saturates at the limits of an int instead of overflowing:
// a hand-edited file may hold anything.
int LeadingNumber(const char* text);
