// The classic edition's smoothing palette on the numbers of its design.
#include "render/smooth_palette.h"

#include <gtest/gtest.h>

namespace {
int Grey(const SmoothPalette& p, int k) {
    EXPECT_EQ(p.rgb[k][0], p.rgb[k][1]);
    EXPECT_EQ(p.rgb[k][1], p.rgb[k][2]);
    return p.rgb[k][0];
}

TEST(SmoothPalette, BlackOnWhiteAtTheLightestAndStrongestLevels) {
    SmoothPalette p;
    BuildSmoothPalette(0x000000, 0xFFFFFF, 1, &p);
    EXPECT_EQ(Grey(p, 0), 0);  // the transparent key
    EXPECT_EQ(Grey(p, 1), 232);
    EXPECT_EQ(Grey(p, 8), 155);
    EXPECT_EQ(Grey(p, 16), 67);  // full coverage never reaches the text colour
    BuildSmoothPalette(0x000000, 0xFFFFFF, 4, &p);
    EXPECT_EQ(Grey(p, 1), 219);
    EXPECT_EQ(Grey(p, 8), 50);
    EXPECT_EQ(Grey(p, 10), 4);  // from L on: the text colour, raised to 4 so it is not the key
    EXPECT_EQ(Grey(p, 16), 4);
    EXPECT_EQ(Grey(p, 255), 4);
}

TEST(SmoothPalette, ChannelsApartAndLevelsOutOfRange) {
    SmoothPalette p;
    BuildSmoothPalette(0x0000FF, 0x00FF00, 4, &p);  // red text on green
    EXPECT_EQ(p.rgb[16][0], 255);
    EXPECT_EQ(p.rgb[16][1], 4);
    EXPECT_EQ(p.rgb[16][2], 4);
    EXPECT_GT(p.rgb[5][1], p.rgb[6][1]);  // green fades as coverage grows
    EXPECT_EQ(SmoothLevel(-3), 0);
    EXPECT_EQ(SmoothLevel(9), 4);
    SmoothPalette nine;
    BuildSmoothPalette(0x000000, 0xFFFFFF, 9, &nine);
    EXPECT_EQ(Grey(nine, 8), 50);  // as level 4
}
}  // namespace
