// Tag words taken out of memo texts where only the words of the memo count: alarm texts and the
// rows of the memo search.
#pragma once
#include "config/tags.h"

// Removes, at each character, the longest of the words of tags 1 to 16 that starts there (ASCII
// letters match in either case; the alarm tag is not removed). Works in place; never splits a
// double-byte character.
void RemoveTagWords(const TagTable& tags, char* text);

// The tag (1..16) of tags whose word starts at text, the longest and of equal length the
// lowest-numbered, with the word's length in bytes in *length; 0 (and length 0) when none. ASCII
// letters match in either case, double-byte characters only exactly. text must begin on a
// character boundary. Shared by the painter and by RemoveTagWords, so what is coloured is what is
// taken out.
int TagWordAt(const TagTable& tags, const char* text, int* length);

// Start of the first occurrence of keyword in text that begins on a character boundary (letter
// case counts), or null. An empty keyword is found nowhere.
const char* FindKeyword(const char* text, const char* keyword);
