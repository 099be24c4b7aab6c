#include "settings/design_edit.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
Design FreshDesign() {
    Design d;
    std::memset(&d, 0, sizeof d);
    return d;
}
}  // namespace

TEST(DesignEdit, OpacityShowsAsTransparency) {
    BackPlace opaque = {};
    opaque.opacity = 254;
    EXPECT_EQ(OpacityPosition(opaque), 0);
    EXPECT_EQ(OpacityText(0), "0 %");
    EXPECT_EQ(OpacityText(127), "50 %");
    EXPECT_EQ(OpacityText(254), "100 %");
    Design d = FreshDesign();
    d.backs[kBackDay].opacity = 254;
    EXPECT_TRUE(SetBackOpacity(&d, {kBackDay, kBackMemo}, 54));
    EXPECT_EQ(d.backs[kBackDay].opacity, 200);
    EXPECT_EQ(d.backs[kBackMemo].opacity, 200);
    EXPECT_EQ(d.backs[kBackHead].opacity, 0);
    EXPECT_FALSE(SetBackOpacity(&d, {kBackDay}, 54));
}

TEST(DesignEdit, ChangesReachEverySelectedPlaceAndSayWhetherAnyChanged) {
    Design d = FreshDesign();
    d.fonts[kFontDay].smooth = 3;
    EXPECT_FALSE(SetSmoothing(&d, {kFontDay}, 3));
    EXPECT_TRUE(SetSmoothing(&d, {kFontDay, kFontHoli}, 3));
    EXPECT_EQ(d.fonts[kFontHoli].smooth, 3);
    EXPECT_TRUE(SetFontColour(&d, {kFontHead, kFontDay, kFontToday}, kSaturdayColour, 0xFF8000));
    for (int i : {kFontHead, kFontDay, kFontToday}) EXPECT_EQ(d.fonts[i].colours[kSaturdayColour], 0xFF8000u);
    EXPECT_EQ(d.fonts[kFontHead].colours[kHolidayColour], 0u);
    EXPECT_EQ(d.fonts[kFontTitle].colours[kSaturdayColour], 0u);
    EXPECT_TRUE(SetShadow(&d, {kFontMemo}, 2));
    EXPECT_EQ(d.fonts[kFontMemo].hemming, 0);
}

TEST(DesignEdit, ChooserHeightsAndPoints) {
    EXPECT_EQ(HeightOfPoints(9, 96), -12);
    EXPECT_EQ(PointsOfHeight(-12, 96), 9);
    EXPECT_EQ(PointsOfHeight(-15, 120), 9);
    EXPECT_EQ(PointsOfHeight(HeightOfPoints(11, 96), 96), 11);
    FontPlace f = {};
    std::strcpy(f.logFont.lfFaceName, "Arial");
    f.logFont.lfHeight = 12;
    EXPECT_EQ(FontNameText(f), "Arial 12pt");
}
