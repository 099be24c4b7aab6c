// Tag words taken out of memo texts where only the words of the memo count: alarm texts and the
// rows of the memo search.
#pragma once

// Removes, at each character, the longest of the words of TAG1 to TAG16 that starts there (ASCII
// letters match in either case; the alarm tag is not removed). Works in place; never splits a
// double-byte character.
void RemoveTagWords(char* text);

// Start of the first occurrence of keyword in text that begins on a character boundary (letter
// case counts), or null. An empty keyword is found nowhere.
const char* FindKeyword(const char* text, const char* keyword);
