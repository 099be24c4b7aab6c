#include "base/colour.h"

#include <cstdio>
#include <cstring>

Colour ParseColour(const char* text) {
    if (!text || std::strlen(text) < 6) return 0;
    unsigned r = 0, g = 0, b = 0;
    std::sscanf(text, "%02x%02x%02x", &r, &g, &b);
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

void FormatColour(Colour colour, char out[7]) {
    std::snprintf(out, 7, "%02x%02x%02x", static_cast<unsigned>(colour & 0xFF),
                  static_cast<unsigned>((colour >> 8) & 0xFF), static_cast<unsigned>((colour >> 16) & 0xFF));
}
