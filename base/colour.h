// Colours: 0x00BBGGRR in memory, six lower-case hexadecimal digits red, green, blue in files.
#pragma once
#include <cstdint>

typedef uint32_t Colour;

Colour ParseColour(const char* text);
void FormatColour(Colour colour, char out[7]);
