#include "config/tags.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config/settings.h"
#include "tests/config/config_test_files.h"

namespace {
class TagFile : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.File("tessel.ini");
        UseConfig(path);
    }
    TempFolder dir;
    std::string path;
};
}  // namespace

TEST_F(TagFile, MissingSectionLeavesOnlyTheAlarmWord) {
    std::strcpy(g_tags[5].word, "old");
    g_tags[5].bold = 1;
    ReadTags();
    EXPECT_STREQ(g_tags[0].word, "アラーム時刻");
    EXPECT_EQ(g_tags[0].colour, 0u);
    EXPECT_EQ(g_tags[0].bold, 0);
    for (int i = 1; i < kTagCount; ++i) {
        EXPECT_STREQ(g_tags[i].word, "") << i;
        EXPECT_EQ(g_tags[i].bold, 0);
    }
}

TEST_F(TagFile, ValuesGiveWordColourAndStyle) {
    WriteIni(path, {"[COLORTAG]", "TAG3=重要,ff0000,1", "TAG16=会議,0000ff,0,1,1", "TAG1=only", "TAG2=,00ff00",
                    "TAG_ALARM=締切,00ff00,0,1"});
    ReadTags();
    EXPECT_STREQ(g_tags[3].word, "重要");
    EXPECT_EQ(g_tags[3].colour, 0x0000FFu);  // red
    EXPECT_EQ(g_tags[3].bold, 1);
    EXPECT_EQ(g_tags[3].italic, 0);
    EXPECT_EQ(g_tags[3].strikeOut, 0);
    EXPECT_STREQ(g_tags[16].word, "会議");
    EXPECT_EQ(g_tags[16].colour, 0xFF0000u);
    EXPECT_EQ(g_tags[16].bold, 0);
    EXPECT_EQ(g_tags[16].italic, 1);
    EXPECT_EQ(g_tags[16].strikeOut, 1);
    EXPECT_STREQ(g_tags[1].word, "");  // one item: left cleared
    EXPECT_EQ(g_tags[1].colour, 0u);
    EXPECT_STREQ(g_tags[2].word, "");  // an empty word with a colour is a free entry
    EXPECT_EQ(g_tags[2].colour, 0x00FF00u);
    // Only the file can rename the alarm entry.
    EXPECT_STREQ(g_tags[0].word, "締切");
    EXPECT_EQ(g_tags[0].colour, 0x00FF00u);
    EXPECT_EQ(g_tags[0].italic, 1);
    EXPECT_EQ(g_tags[0].strikeOut, 0);
}

TEST_F(TagFile, OverlongWordIsCutWithinItsField) {
    std::string line = "TAG4=a";
    for (int i = 0; i < 20; ++i) line += "表";
    line += ",112233";
    WriteIni(path, {"[COLORTAG]", line.c_str()});
    ReadTags();
    EXPECT_EQ(std::strlen(g_tags[4].word), 31u);  // "a" and 15 characters
    EXPECT_EQ(std::string(g_tags[4].word), line.substr(5, 31));
    EXPECT_EQ(g_tags[4].colour, 0x332211u);
}

TEST(TagWords, TypedCommasBecomeUnderscoresAndLongWordsKeepWholeCharacters) {
    char word[32];
    TagWordFromTyped("a,b", word);
    EXPECT_STREQ(word, "a_b");
    std::string typed = "x";
    for (int i = 0; i < 20; ++i) typed += "表,";  // the trail byte of 表 is 5C, never a comma
    TagWordFromTyped(typed.c_str(), word);
    EXPECT_EQ(std::strlen(word), 31u);
    EXPECT_EQ(std::string(word).substr(0, 4), "x表_");
    TagStyle tag = {};
    EXPECT_STREQ(TagListText(tag), "(未登録)");
}

// Found by fuzzing: a word whose "]" the cut took swallowed its colour once written back; a
// typed "[" would have done the same.
TEST_F(TagFile, WordsKeepTheirFieldsApartWhenWrittenBack) {
    std::string line = "TAG2=a[b,c" + std::string(40, 'x') + "],112233";
    WriteIni(path, {"[COLORTAG]", line.c_str()});
    ReadTags();
    EXPECT_STREQ(g_tags[2].word, "a");
    char word[32];
    TagWordFromTyped("[\x8F\x64\x97\x76", word);
    EXPECT_STREQ(word, "_\x8F\x64\x97\x76");
    std::strcpy(g_tags[3].word, word);
    g_tags[3].colour = 0x445566;
    ASSERT_TRUE(WriteTags());
    ProfileStoreReset();
    ReadTags();
    EXPECT_STREQ(g_tags[2].word, "a");
    EXPECT_EQ(g_tags[2].colour, 0x332211u);
    EXPECT_STREQ(g_tags[3].word, word);
    EXPECT_EQ(g_tags[3].colour, 0x445566u);
}

TEST_F(TagFile, ReadSettingsReadsTheTags) {
    WriteIni(path, {"[COLORTAG]", "TAG3=重要,ff0000,1"});
    AppState state;
    ResetAppState(&state);
    ReadSettings(&state);
    EXPECT_STREQ(g_tags[3].word, "重要");
    EXPECT_STREQ(g_tags[0].word, "アラーム時刻");
}

TEST_F(TagFile, WriteStoresAllSeventeenKeysAndReadsBack) {
    ReadTags();
    std::strcpy(g_tags[7].word, "a_b");
    g_tags[7].colour = 0x80FF00;
    g_tags[7].strikeOut = 1;
    g_tags[0].bold = 1;
    g_tags[0].colour = 0x0000FF;
    WriteTags();
    EXPECT_EQ(StoredValue(path, "COLORTAG", "TAG_ALARM"), "アラーム時刻,ff0000,1,0,0");
    EXPECT_EQ(StoredValue(path, "COLORTAG", "TAG7"), "a_b,00ff80,0,0,1");
    EXPECT_EQ(StoredValue(path, "COLORTAG", "TAG1"), ",000000,0,0,0");
    EXPECT_EQ(StoredValue(path, "COLORTAG", "TAG16"), ",000000,0,0,0");
    EXPECT_EQ(StoredValue(path, "COLORTAG", "TAG17"), "<missing>");
    TagStyle written[kTagCount];
    std::memcpy(written, g_tags, sizeof written);
    ProfileStoreReset();
    ReadTags();
    EXPECT_EQ(std::memcmp(written, g_tags, sizeof written), 0);
}
