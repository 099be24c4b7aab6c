// The standard design built into the program: how it looks, that it reads back from a file as it
// was, how it is chosen and marked like a design file, and the first start that takes it, with a
// design file of the user's named 標準 left as it is.
#include "config/standard_design.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config/design.h"
#include "config/edition.h"
#include "config/named_designs.h"
#include "config/settings.h"
#include "tests/config/config_test_files.h"

namespace {
class StandardDesign : public ::testing::TestWithParam<Edition> {
protected:
    void SetUp() override {
        SetEdition(GetParam());
        config = dir.File("desk-calendar.ini");
        UseConfig(config);
        ResetAppState(&st);
    }
    void TearDown() override {
        SetEdition(kLayeredEdition);
    }
    // A design file of the user's named 標準, with its own day colours.
    std::string UsersStandardFile() {
        std::string path = dir.File("標準.ini");
        WriteIni(path, {"[TESSEL_DESIGN]", "NAME=標準", "[FONTS]", "DAY_COLOR=123456,123456,123456"});
        return path;
    }
    const char* Folder() const { return dir.Path().c_str(); }
    TempFolder dir;
    std::string config;
    AppState st;
};

const std::string kLabels[7] = {"日", "月", "火", "水", "木", "金", "土"};
}  // namespace

TEST_P(StandardDesign, LooksLikeAJapaneseDeskCalendar) {
    ReadStandardDesign(&st);
    const Design& d = st.design;
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(HeadLabel(d, i), kLabels[i]) << i;
        EXPECT_EQ(ListHeadLabel(d, i), kLabels[i]) << i;
    }
    EXPECT_NE(std::strstr(d.titleForm, "%g%h"), nullptr);  // the era
    EXPECT_NE(d.backs[kBackToday].colours[0], d.backs[kBackDay].colours[0]);    // today marked
    EXPECT_NE(d.backs[kBackBorder].colours[0], d.backs[kBackDay].colours[0]);   // the grid seen
    EXPECT_NE(d.backs[kBackOmday].colours[0], d.backs[kBackDay].colours[0]);
    EXPECT_EQ(d.fonts[kFontDay].colours[kHolidayColour] & 0xFF, 0xC0u);  // Sundays in red
    EXPECT_EQ(d.fonts[kFontDay].colours[kSaturdayColour] >> 16, 0xB0u);  // Saturdays in blue
    // The sizes of the plain defaults: the window a user knows.
    EXPECT_EQ(d.cellWidth, 64);
    EXPECT_EQ(d.cellLine, 4);
    EXPECT_EQ(d.memoRow, 4);
    for (const FontPlace& f : d.fonts) EXPECT_EQ(f.logFont.lfHeight, f.key == std::string("TITLE") ? 11 : 9);
    bool layered = GetParam() == kLayeredEdition;
    EXPECT_EQ(d.backs[kBackDay].opacity, layered ? 254 : 0);  // the cells are solid
}

TEST_P(StandardDesign, ReadsBackFromAFileAsItWas) {
    ReadStandardDesign(&st);
    ASSERT_TRUE(WriteDesign(st));
    ProfileStoreReset();
    AppState again{};
    ReadDesign(&again);
    EXPECT_TRUE(DesignEquals(st, again));
    EXPECT_EQ(again.design.cellWidth, st.design.cellWidth);
    EXPECT_EQ(again.design.listWidth, st.design.listWidth);
}

TEST_P(StandardDesign, IsChosenAndMarkedLikeADesignFile) {
    EXPECT_EQ(StandardDesignName(Folder(), '/'), "標準");
    AppState work{};
    ReadDesign(&work);  // the plain defaults
    ASSERT_TRUE(SelectDesign(Folder(), '/', "標準", "現在の設定", &work));
    EXPECT_STREQ(work.settings.currentDesign, "標準");
    ReadStandardDesign(&st);
    EXPECT_TRUE(DesignEquals(work, st));

    EXPECT_FALSE(MarkChangedDesign(Folder(), '/', &work));
    work.design.cellWidth = 90;  // sizes do not count
    EXPECT_FALSE(MarkChangedDesign(Folder(), '/', &work));
    work.design.backs[kBackToday].colours[0] = 0x00FF00;
    EXPECT_TRUE(MarkChangedDesign(Folder(), '/', &work));
    EXPECT_STREQ(work.settings.currentDesign, "標準(変更あり)");
    // Going back to it undoes the change.
    ASSERT_TRUE(SelectDesign(Folder(), '/', "標準", "標準(変更あり)", &work));
    EXPECT_TRUE(DesignEquals(work, st));
}

TEST_P(StandardDesign, AUsersOwnStandardFileKeepsTheName) {
    std::string users = UsersStandardFile();
    const std::string before = ReadWhole(users);
    EXPECT_EQ(StandardDesignName(Folder(), '/'), "標準(組み込み)");
    AppState work{};
    ASSERT_TRUE(SelectDesign(Folder(), '/', "標準", "現在の設定", &work));
    EXPECT_EQ(work.design.fonts[kFontDay].colours[0], 0x563412u);  // the user's
    ASSERT_TRUE(SelectDesign(Folder(), '/', "標準(組み込み)", "現在の設定", &work));
    ReadStandardDesign(&st);
    EXPECT_TRUE(DesignEquals(work, st));
    EXPECT_STREQ(work.settings.currentDesign, "標準(組み込み)");
    EXPECT_FALSE(MarkChangedDesign(Folder(), '/', &work));
    EXPECT_EQ(ReadWhole(users), before);
}

TEST_P(StandardDesign, AFirstStartTakesItAndKeepsItInTheConfiguration) {
    ReadSettings(&st);
    ReadDesign(&st);
    ASSERT_TRUE(StartWithStandardDesign(Folder(), '/', &st));
    EXPECT_STREQ(st.settings.currentDesign, "標準");
    AppState standard{};
    ReadStandardDesign(&standard);
    EXPECT_TRUE(DesignEquals(st, standard));
    // The next start reads the same from the file.
    ProfileStoreReset();
    AppState next{};
    ReadSettings(&next);
    ReadDesign(&next);
    EXPECT_STREQ(next.settings.currentDesign, "標準");
    EXPECT_TRUE(DesignEquals(next, standard));
    EXPECT_EQ(StoredValue(config, "CONFIG", "HEAD_FORM"), "日,月,火,水,木,金,土");
}

TEST_P(StandardDesign, AFirstStartBesideAUsersOwnStandardFileLeavesItAlone) {
    std::string users = UsersStandardFile();
    const std::string before = ReadWhole(users);
    ASSERT_TRUE(StartWithStandardDesign(Folder(), '/', &st));
    EXPECT_STREQ(st.settings.currentDesign, "標準(組み込み)");
    EXPECT_EQ(ReadWhole(users), before);
}

INSTANTIATE_TEST_SUITE_P(Editions, StandardDesign, ::testing::Values(kLayeredEdition, kClassicEdition));
