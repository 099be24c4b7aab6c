#include "config/design.h"
#include "config/edition.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config/settings.h"
#include "tests/config/config_test_files.h"

namespace {
class DesignFile : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.File("tessel.ini");
        UseConfig(path);
        ResetAppState(&state);
    }
    void ReadFrom(const std::string& file, AppState* into) {
        ProfileStoreReset();
        ResetAppState(into);
        ReadDesignFile(into, file.c_str());
    }
    TempFolder dir;
    std::string path;
    AppState state;
};

std::string Labels(const Design& d, bool list) {
    std::string out;
    for (int i = 0; i < kLabelSlots; ++i) out += std::string(list ? ListHeadLabel(d, i) : HeadLabel(d, i)) + "|";
    return out;
}
}  // namespace

TEST_F(DesignFile, MissingKeysGiveTheDefaults) {
    ReadDesign(&state);
    const Design& d = state.design;
    EXPECT_EQ(d.cellWidth, 64);
    EXPECT_EQ(d.cellLine, 4);
    EXPECT_EQ(d.memoRow, 4);
    EXPECT_EQ(d.listWidth, 64);
    for (int r : d.ratios) EXPECT_EQ(r, 1);
    EXPECT_EQ(d.ratioSum, 7);
    for (int i = 0; i < kFontPlaceCount; ++i) {
        const FontPlace& f = d.fonts[i];
        EXPECT_STREQ(f.logFont.lfFaceName, "ＭＳ Ｐゴシック");
        EXPECT_EQ(f.logFont.lfHeight, 9);
        EXPECT_EQ(f.logFont.lfWeight, 400);
        EXPECT_EQ(f.logFont.lfItalic, 0);
        EXPECT_EQ(f.logFont.lfCharSet, 1);
        EXPECT_EQ(f.colours[kWeekdayColour], 0x000000u);
        EXPECT_EQ(f.colours[kHolidayColour], 0x0000FFu);
        EXPECT_EQ(f.colours[kSaturdayColour], 0xFF0000u);
        EXPECT_EQ(f.smooth, 0);
        EXPECT_STREQ(f.key, kFontPlaceKeys[i]);
        EXPECT_EQ(f.opacity, 254);
        EXPECT_EQ(f.shadow, 0);
        EXPECT_EQ(f.hemming, 0);
    }
    EXPECT_STREQ(d.fonts[kFontListHead].label, "曜日(リスト)");
    EXPECT_STREQ(d.fonts[kFontCdown].label, "あと何日メモ");
    for (int i = 0; i < kBackPlaceCount; ++i) {
        Colour first = i == kBackButton ? 0xC0C0C0u : 0xFFFFFFu;
        EXPECT_EQ(d.backs[i].colours[0], first) << i;
        EXPECT_EQ(d.backs[i].colours[1], 0xFFFFFFu);
        EXPECT_EQ(d.backs[i].colours[2], 0xFFFFFFu);
        EXPECT_STREQ(d.backs[i].key, kBackPlaceKeys[i]);
        EXPECT_EQ(d.backs[i].opacity, 200);
    }
    EXPECT_STREQ(d.backs[kBackPrday].label, "日付(前日)");
    EXPECT_STREQ(d.backs[kBackButton].label, "操作ボタン");
    EXPECT_STREQ(d.titleForm, " %Y-%m");
    EXPECT_EQ(Labels(d, false), "SUN|MON|TUE|WED|THU|FRI|SAT||||");
    EXPECT_EQ(Labels(d, true), "||||||||||");
    EXPECT_EQ(d.headLabelAt[7], 63);
    for (Colour c : d.custColors) EXPECT_EQ(c, 0u);
    EXPECT_FALSE(FileExists(path));
}

TEST_F(DesignFile, ReadsValuesWithTheirEdgeCases) {
    WriteIni(path, {"[CONFIG]", "CELL_WIDTH=80", "CELL_WIDTH_RATIO=2,0,9", "TITLE_FORM=! %Y年%m月",
                    "HEAD_FORM=日,月", "LIST_HEAD_FORM=a,b,c,d,e,f,g,h,i,j,k,l", "CUST_COLORS=ff0000,,00ff00",
                    "[FONTS]", "TITLE=Arial,12,1", "DAY=ＭＳ ゴシック,10,0,1,1,1", "DAY_COLOR=112233,445566",
                    "DAY_SMOOTH=3", "DAY_SHADOW=2", "DAY_HEMMING=4", "[BACKS]", "DAY_COLOR=000000",
                    "DAY_TOUMEI=120"});
    ReadDesign(&state);
    const Design& d = state.design;
    EXPECT_EQ(d.cellWidth, 80);
    EXPECT_EQ(d.listWidth, 80);  // follows the cell width just read
    const int ratios[7] = {2, 1, 5, 1, 1, 1, 1};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(d.ratios[i], ratios[i]);
    EXPECT_EQ(d.ratioSum, 12);
    EXPECT_STREQ(d.titleForm, " %Y年%m月");

    const LogFontA& title = d.fonts[kFontTitle].logFont;
    EXPECT_STREQ(title.lfFaceName, "Arial");
    EXPECT_EQ(title.lfHeight, 12);
    EXPECT_EQ(title.lfWeight, 700);
    EXPECT_EQ(title.lfItalic, 0);
    EXPECT_EQ(title.lfUnderline, 0);
    EXPECT_EQ(title.lfStrikeOut, 0);
    const FontPlace& day = d.fonts[kFontDay];
    EXPECT_STREQ(day.logFont.lfFaceName, "ＭＳ ゴシック");
    EXPECT_EQ(day.logFont.lfWeight, 400);
    EXPECT_EQ(day.logFont.lfItalic, 1);
    EXPECT_EQ(day.logFont.lfUnderline, 1);
    EXPECT_EQ(day.logFont.lfStrikeOut, 1);
    EXPECT_EQ(day.colours[0], 0x332211u);
    EXPECT_EQ(day.colours[1], 0x665544u);
    EXPECT_EQ(day.colours[2], 0u);  // a missing font colour is black
    EXPECT_EQ(day.smooth, 3);
    EXPECT_EQ(d.backs[kBackDay].colours[0], 0u);
    EXPECT_EQ(d.backs[kBackDay].colours[1], 0xFFFFFFu);  // a missing background colour is white
    EXPECT_EQ(day.shadow, 2);
    EXPECT_EQ(day.hemming, 4);
    EXPECT_EQ(day.opacity, 254);
    EXPECT_EQ(d.backs[kBackDay].opacity, 120);
    // Fewer than seven labels leave empty slots; more than ten keep the first ten.
    EXPECT_EQ(Labels(d, false), "日|月|||||||||");
    EXPECT_EQ(Labels(d, true), "a|b|c|d|e|f|g|h|i|j|");
    EXPECT_EQ(d.custColors[0], 0x0000FFu);
    EXPECT_EQ(d.custColors[1], 0u);
    EXPECT_EQ(d.custColors[2], 0x00FF00u);
    EXPECT_EQ(d.custColors[15], 0u);
}

TEST_F(DesignFile, OverlongTextsAreCutOnCharacterBoundariesWithinTheirFields) {
    std::string title = "TITLE_FORM=!ab";
    for (int i = 0; i < 40; ++i) title += "年";
    std::string head = "HEAD_FORM=";
    const char* days[] = {"日曜日です", "月曜日です", "火曜日です", "水曜日です", "木曜日です", "金曜日です",
                          "土曜日です"};
    for (int i = 0; i < 7; ++i) head += std::string(i ? "," : "") + days[i];  // 76 bytes
    std::string face = "[FONTS]";
    std::string font = "TITLE=a";
    for (int i = 0; i < 20; ++i) font += "表";
    font += ",9";
    WriteIni(path, {"[CONFIG]", title.c_str(), head.c_str(), face.c_str(), font.c_str()});
    ReadDesign(&state);
    const Design& d = state.design;
    EXPECT_EQ(std::strlen(d.titleForm), 62u);  // "ab" and 30 characters; a 31st would need byte 63
    EXPECT_EQ(std::string(d.titleForm), title.substr(12, 62));
    EXPECT_EQ(d.headForm[63], 0);
    EXPECT_STREQ(HeadLabel(d, 4), "木曜日です");
    EXPECT_STREQ(HeadLabel(d, 5), "金曜日で");  // cut at byte 63 between two characters
    EXPECT_STREQ(HeadLabel(d, 6), "");
    EXPECT_EQ(std::strlen(d.fonts[kFontTitle].logFont.lfFaceName), 31u);  // "a" and 15 characters
    EXPECT_EQ(d.fonts[kFontTitle].logFont.lfHeight, 9);
}

TEST_F(DesignFile, WriteKeepsLeadingBlanksAndOmitsZeroEffects) {
    WriteIni(path, {"[CONFIG]", "TITLE_FORM=! %Y年%m月", "[FONTS]", "TITLE_SHADOW=3", "TITLE_SMOOTH=2"});
    ReadDesign(&state);
    state.design.fonts[kFontTitle].smooth = 0;
    state.design.fonts[kFontTitle].shadow = 0;
    state.design.fonts[kFontHead].shadow = 2;
    state.design.fonts[kFontHead].hemming = 1;
    state.design.backs[kBackTitle].opacity = 254;
    WriteDesign(state);
    EXPECT_NE(ReadWhole(path).find("TITLE_FORM=! %Y年%m月\r\n"), std::string::npos);
    EXPECT_EQ(StoredValue(path, "FONTS", "TITLE_SMOOTH"), "<missing>");
    EXPECT_EQ(StoredValue(path, "FONTS", "TITLE"), "ＭＳ Ｐゴシック,9,0,0,0,0");
    EXPECT_EQ(StoredValue(path, "FONTS", "TITLE_COLOR"), "000000,ff0000,0000ff");
    EXPECT_EQ(StoredValue(path, "BACKS", "BUTTON_COLOR"), "c0c0c0,ffffff,ffffff");
    EXPECT_EQ(StoredValue(path, "CONFIG", "CELL_WIDTH_RATIO"), "1,1,1,1,1,1,1");
    EXPECT_EQ(StoredValue(path, "CONFIG", "HEAD_FORM"), "SUN,MON,TUE,WED,THU,FRI,SAT");
    EXPECT_EQ(StoredValue(path, "CONFIG", "LIST_HEAD_FORM"), "");
    EXPECT_EQ(StoredValue(path, "CONFIG", "CUST_COLORS"),
              "000000,000000,000000,000000,000000,000000,000000,000000,000000,000000,000000,000000,000000,"
              "000000,000000,000000");
    EXPECT_EQ(StoredValue(path, "FONTS", "TITLE_SHADOW"), "<missing>");
    EXPECT_EQ(StoredValue(path, "FONTS", "HEAD_SHADOW"), "2");
    EXPECT_EQ(StoredValue(path, "FONTS", "HEAD_HEMMING"), "1");
    EXPECT_EQ(StoredValue(path, "FONTS", "DAY_HEMMING"), "<missing>");
    EXPECT_EQ(StoredValue(path, "BACKS", "TITLE_TOUMEI"), "254");
    EXPECT_EQ(StoredValue(path, "BACKS", "DAY_TOUMEI"), "200");
}

// The classic edition neither reads nor writes the layered effects: a design file shared with
// the layered edition keeps them.
TEST_F(DesignFile, ClassicEditionLeavesTheLayeredEffects) {
    WriteIni(path, {"[FONTS]", "TITLE_SHADOW=3", "DAY_HEMMING=2", "[BACKS]", "DAY_TOUMEI=120"});
    SetEdition(kClassicEdition);
    ReadDesign(&state);
    EXPECT_EQ(state.design.fonts[kFontTitle].shadow, 0);
    EXPECT_EQ(state.design.fonts[kFontDay].hemming, 0);
    EXPECT_EQ(state.design.fonts[kFontDay].opacity, 0);
    EXPECT_EQ(state.design.backs[kBackDay].opacity, 0);
    EXPECT_TRUE(WriteDesign(state));
    SetEdition(kLayeredEdition);
    EXPECT_EQ(StoredValue(path, "FONTS", "TITLE_SHADOW"), "3");
    EXPECT_EQ(StoredValue(path, "FONTS", "DAY_HEMMING"), "2");
    EXPECT_EQ(StoredValue(path, "BACKS", "DAY_TOUMEI"), "120");
    EXPECT_EQ(StoredValue(path, "BACKS", "TITLE_TOUMEI"), "<missing>");
    EXPECT_EQ(StoredValue(path, "FONTS", "TITLE"), "ＭＳ Ｐゴシック,9,0,0,0,0");  // the rest is written
}

TEST_F(DesignFile, WriteThenReadGivesAnEqualDesign) {
    ReadDesign(&state);
    Design& d = state.design;
    d.cellWidth = 90;
    d.ratios[2] = 3;
    std::strcpy(d.fonts[kFontDmemo].logFont.lfFaceName, "ＭＳ 明朝");
    d.fonts[kFontDmemo].logFont.lfHeight = 11;
    d.fonts[kFontDmemo].logFont.lfWeight = 700;
    d.fonts[kFontDmemo].logFont.lfUnderline = 1;
    d.fonts[kFontDmemo].colours[2] = 0x123456;
    d.fonts[kFontDmemo].smooth = 4;
    d.backs[kBackToday].colours[0] = 0x00CCFF;
    d.fonts[kFontHoli].hemming = 3;
    d.backs[kBackMemo].opacity = 0;
    std::strcpy(d.titleForm, " %g%h年 %m月");
    d.custColors[15] = 0xABCDEF;
    std::string designPath = dir.File("夏.ini");
    WriteIni(designPath, {"[CONFIG]", "HEAD_FORM=日,月,火,水,木,金,土", "LIST_HEAD_FORM=(日),(月),(火),(水),(木),(金),(土)"});
    AppState labels;
    ReadFrom(designPath, &labels);
    std::memcpy(d.headForm, labels.design.headForm, sizeof d.headForm);
    std::memcpy(d.headLabelAt, labels.design.headLabelAt, sizeof d.headLabelAt);
    std::memcpy(d.listHeadForm, labels.design.listHeadForm, sizeof d.listHeadForm);
    std::memcpy(d.listHeadLabelAt, labels.design.listHeadLabelAt, sizeof d.listHeadLabelAt);

    WriteDesignFile(state, designPath.c_str());
    EXPECT_FALSE(FileExists(path));  // all of it went to the design file

    AppState back;
    ReadFrom(designPath, &back);
    EXPECT_TRUE(DesignEquals(state, back));
    EXPECT_EQ(back.design.cellWidth, 90);
    EXPECT_EQ(back.design.ratioSum, 9);
    EXPECT_STREQ(back.design.titleForm, " %g%h年 %m月");
    EXPECT_EQ(Labels(back.design, false), "日|月|火|水|木|金|土||||");
    EXPECT_EQ(Labels(back.design, true), "(日)|(月)|(火)|(水)|(木)|(金)|(土)||||");
    EXPECT_EQ(StoredValue(designPath, "FONTS", "DMEMO"), "ＭＳ 明朝,11,1,0,1,0");

    AppState other = back;  // a colour differs
    other.design.fonts[kFontDay].colours[0] = 0x010101;
    EXPECT_FALSE(DesignEquals(state, other));
    other = back;  // a label differs
    other.design.listHeadForm[1] = 'X';
    EXPECT_FALSE(DesignEquals(state, other));
    other = back;
    other.design.custColors[3] = 1;
    EXPECT_FALSE(DesignEquals(state, other));
    other = back;
    other.design.backs[kBackTitle].opacity = 199;
    EXPECT_FALSE(DesignEquals(state, other));
}

// A design file is read and written by its path: the configuration file stays where it was, and
// what is read from it afterwards is its own.
TEST_F(DesignFile, ADesignFileIsReadAndWrittenByItsPathAlone) {
    WriteIni(path, {"[CONFIG]", "CELL_WIDTH=70", "TITLE_FORM=!config"});
    std::string other = dir.File("other.ini");
    WriteIni(other, {"[CONFIG]", "CELL_WIDTH=90", "TITLE_FORM=!other"});
    ProfileStoreReset();
    ReadDesignFile(&state, other.c_str());
    EXPECT_EQ(state.design.cellWidth, 90);
    EXPECT_EQ(ReadConfigInt("CELL_WIDTH", 0), 70);
    state.design.cellLine = 6;
    ASSERT_TRUE(WriteDesignFile(state, other.c_str()));
    EXPECT_EQ(StoredValue(other, "CONFIG", "CELL_LINE"), "6");
    EXPECT_EQ(StoredValue(path, "CONFIG", "CELL_LINE"), "<missing>");
    AppState live;
    ResetAppState(&live);
    ReadDesign(&live);
    EXPECT_EQ(live.design.cellWidth, 70);
    EXPECT_STREQ(live.design.titleForm, "config");
}

// Found by fuzzing: a face name with a "[" left open or a lone lead byte at its end took the
// fields behind it once written back, and labels beyond the seventh made a saved design unequal
// to itself.
TEST_F(DesignFile, ListItemsThatWouldSwallowTheirNeighboursReadBackTheSame) {
    WriteIni(path, {"[FONTS]", "TITLE=Face[x,11,1,0,0,0", "DAY=Face\x83", "HOLI=F[a,b]g,12,0,0,0,0", "[CONFIG]",
                    "HEAD_FORM=a,b,c,d,e,f,g,h,i,j", "LIST_HEAD_FORM=(1),(2),[x,y"});
    ReadDesign(&state);
    const Design& d = state.design;
    EXPECT_STREQ(d.fonts[kFontTitle].logFont.lfFaceName, "Face");
    EXPECT_STREQ(d.fonts[kFontDay].logFont.lfFaceName, "Face");
    EXPECT_STREQ(d.fonts[kFontHoli].logFont.lfFaceName, "F[a,b]g");
    EXPECT_EQ(d.fonts[kFontHoli].logFont.lfHeight, 12);
    EXPECT_EQ(Labels(d, true), "(1)|(2)|||||||||");
    std::string written = dir.File("written.ini");
    WriteDesignFile(state, written.c_str());
    AppState back;
    ReadFrom(written, &back);
    EXPECT_TRUE(DesignEquals(state, back));
    EXPECT_EQ(Labels(back.design, false), "a|b|c|d|e|f|g||||");
}

TEST_F(DesignFile, EqualityIgnoresSizesHandlesAndBytesAfterTerminators) {
    ReadDesign(&state);
    AppState other = state;
    other.design.cellWidth = 120;
    other.design.ratios[0] = 5;
    other.design.memoRow = 0;
    other.design.listWidth = 1;
    std::strcpy(other.design.titleForm + 10, "junk");  // behind the title's terminator
    other.design.fonts[kFontMemo].logFont.lfFaceName[30] = 'z';
    other.design.headForm[60] = 'q';  // past the last label
    EXPECT_TRUE(DesignEquals(state, other));
    other.design.titleForm[1] = '#';
    EXPECT_FALSE(DesignEquals(state, other));
}
