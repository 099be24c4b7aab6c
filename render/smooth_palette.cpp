#include "render/smooth_palette.h"

#include <algorithm>

int SmoothLevel(int smooth) { return std::clamp(smooth, 0, 4); }

void BuildSmoothPalette(Colour text, Colour background, int level, SmoothPalette* out) {
    static const int kLevels[5] = {22, 22, 18, 14, 10};
    const int last = kLevels[SmoothLevel(level)];
    constexpr int kDivisor = 20;
    for (int c = 0; c < 3; ++c) {
        int t = static_cast<int>((text >> (8 * c)) & 0xFF);
        int b = std::max(static_cast<int>((background >> (8 * c)) & 0xFF), 4);
        int diff = t - b;
        int base = b + diff / kDivisor;
        int step = diff * (kDivisor - 1) / kDivisor;
        out->rgb[0][c] = 0;
        for (int k = 1; k < last; ++k) out->rgb[k][c] = static_cast<uint8_t>((base + k * step / last) & 0xFF);
        for (int k = last; k < 256; ++k) out->rgb[k][c] = static_cast<uint8_t>(std::max(t, 4));
    }
}
