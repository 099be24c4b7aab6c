#include "config/named_designs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "config/design.h"
#include "config/edition.h"
#include "settings/design_edit.h"
#include "tests/config/config_test_files.h"

namespace {
class NamedDesigns : public ::testing::Test {
protected:
    void SetUp() override {
        config = dir.File("desk-calendar.ini");
        UseConfig(config);
        ResetAppState(&live);
        ReadDesign(&live);
        work = live;
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names = ListDesignNames(dir.Path().c_str(), '/');
        std::sort(names.begin(), names.end());
        return names;
    }
    TempFolder dir;
    std::string config;
    AppState live, work;
};

DataFiles FilesOf(const char* program) {
    DataFiles f;
    FormDataFileNames(kLayeredEdition, "", program, '\\', &f);
    return f;
}
}  // namespace

TEST_F(NamedDesigns, ListsOnlyFilesThatNameADesign) {
    WriteIni(dir.File("blue.ini"), {"[TESSEL_DESIGN]", "NAME=blue", "[FONTS]", "DAY_COLOR=ff0000"});
    WriteIni(dir.File("desk-calendar.ini"), {"[CONFIG]", "CELL_WIDTH=80"});
    WriteIni(dir.File("other.ini"), {"[TESSEL_DESIGN]", "NAME=", "[OTHER]", "NAME=other"});
    // A file cut off in a write of another program, its lines broken, its name still in place.
    WriteIni(dir.File("broken.ini"), {"\x01\x02garbage", "[FONTS", "=", "[TESSEL_DESIGN]", "NAME=broken", "[BACKS]x"});
    WriteIni(dir.File("notes.txt"), {"[TESSEL_DESIGN]", "NAME=notes"});
    EXPECT_EQ(Names(), (std::vector<std::string>{"blue", "broken"}));
}

TEST_F(NamedDesigns, SavedDesignComesBackWhenSelectedAgain) {
    work.design.fonts[kFontDay].colours[kHolidayColour] = 0x123456;
    work.design.backs[kBackToday].colours[kWeekdayColour] = 0xABCDEF;
    std::strcpy(work.design.titleForm, " %Y年%m月");
    std::string path = dir.File("Green.ini");
    ASSERT_TRUE(SaveDesignAs(path.c_str(), '/', &work).ok());
    EXPECT_STREQ(work.settings.currentDesign, "Green");
    EXPECT_EQ(StoredValue(path, "TESSEL_DESIGN", "NAME"), "Green");
    EXPECT_EQ(StoredValue(path, "CONFIG", "TITLE_FORM"), "! %Y年%m月");
    EXPECT_FALSE(FileExists(config));  // the configuration file is left alone

    AppState saved = work;
    work.design.fonts[kFontDay].colours[kHolidayColour] = 0;
    work.design.backs[kBackToday].colours[kWeekdayColour] = 0;
    std::strcpy(work.settings.currentDesign, "another");
    ASSERT_TRUE(SelectDesign(dir.Path().c_str(), '/', "Green", live.settings.currentDesign, &work));
    EXPECT_STREQ(work.settings.currentDesign, "Green");
    EXPECT_EQ(work.design.fonts[kFontDay].colours[kHolidayColour], 0x123456u);
    EXPECT_EQ(work.design.backs[kBackToday].colours[kWeekdayColour], 0xABCDEFu);
    EXPECT_TRUE(DesignEquals(work, saved));
    EXPECT_EQ(Names(), std::vector<std::string>{"Green"});
}

TEST_F(NamedDesigns, ASaveThatMissesTheDiskSaysWhyAndKeepsTheName) {
    std::strcpy(work.settings.currentDesign, "old");
    WriteResult r = SaveDesignAs(dir.File("gone/New.ini").c_str(), '/', &work);
    EXPECT_EQ(r.error, WriteError::kFolderMissing);
    EXPECT_STREQ(work.settings.currentDesign, "old");
    ProfileTakeWriteFailures();
}

TEST_F(NamedDesigns, SelectingANameWithoutFileReadsOnlyTheLiveDesignBack) {
    WriteIni(config, {"[FONTS]", "DAY_COLOR=00ff00"});
    ProfileStoreReset();
    work.design.fonts[kFontDay].colours[0] = 7;
    EXPECT_FALSE(SelectDesign(dir.Path().c_str(), '/', "gone", "live", &work));
    EXPECT_STREQ(work.settings.currentDesign, "gone");
    EXPECT_EQ(work.design.fonts[kFontDay].colours[0], 7u);
    EXPECT_TRUE(SelectDesign(dir.Path().c_str(), '/', "live", "live", &work));
    EXPECT_EQ(work.design.fonts[kFontDay].colours[0], 0x00FF00u);  // the unsaved edit undone
}

TEST_F(NamedDesigns, OnlyALookChangeMarksTheDesign) {
    // A font as the chooser gives it: its own character set, precision and an in-between weight.
    LogFontA chosen = {};
    std::strcpy(chosen.lfFaceName, "ＭＳ 明朝");
    chosen.lfWeight = 600;
    chosen.lfCharSet = 128;
    chosen.lfOutPrecision = 3;
    chosen.lfItalic = 255;
    ASSERT_TRUE(SetPlaceFont(&work.design, {kFontTitle, kFontMemo}, chosen, 14));
    ASSERT_TRUE(SaveDesignAs(dir.File("Plain.ini").c_str(), '/', &work).ok());
    live = work;

    live.design.cellWidth += 20;
    live.design.memoRow = 9;
    EXPECT_FALSE(MarkChangedDesign(dir.Path().c_str(), '/', &live));
    EXPECT_STREQ(live.settings.currentDesign, "Plain");

    live.design.fonts[kFontHoli].colours[kWeekdayColour] = 0x0000FF;
    EXPECT_TRUE(MarkChangedDesign(dir.Path().c_str(), '/', &live));
    EXPECT_STREQ(live.settings.currentDesign, "Plain(変更あり)");
    EXPECT_FALSE(MarkChangedDesign(dir.Path().c_str(), '/', &live));  // a marked name names no file
    EXPECT_STREQ(live.settings.currentDesign, "Plain(変更あり)");
}

TEST(ProtectedFiles, TheProgramsOwnFilesAreRefused) {
    DataFiles f = FilesOf("C:\\Apps\\desk-calendar.exe");
    EXPECT_TRUE(IsProtectedFile("C:\\Apps\\tessel_holiday.ini", f));
    EXPECT_TRUE(IsProtectedFile("c:\\apps\\TESSEL_MEMO2024.INI", f));
    EXPECT_TRUE(IsProtectedFile("C:\\Apps\\tessel_memo1.ini", f));
    EXPECT_TRUE(IsProtectedFile("C:\\Apps\\Desk-Calendar.ini", f));
    EXPECT_TRUE(IsProtectedFile("C:\\Apps\\tessel_memo.ini", f));
    EXPECT_FALSE(IsProtectedFile("C:\\Apps\\tessel_memo0.ini", f));
    EXPECT_FALSE(IsProtectedFile("C:\\Apps\\tessel_memo2024.ini.ini", f));
    EXPECT_FALSE(IsProtectedFile("C:\\Apps\\tessel_memo2024x.ini", f));
    EXPECT_FALSE(IsProtectedFile("C:\\Apps\\blue.ini", f));
}

TEST(ProtectedFiles, DoubleByteNamesAreNotFolded) {
    // ア is 83 41 and ヂ is 83 61: their second bytes differ only as the letters A and a do.
    DataFiles f = FilesOf("C:\\ア\\desk-calendar.exe");
    EXPECT_TRUE(IsProtectedFile("C:\\ア\\tessel_holiday.ini", f));
    EXPECT_FALSE(IsProtectedFile("C:\\ヂ\\tessel_holiday.ini", f));
    EXPECT_FALSE(IsProtectedFile("C:\\ヂ\\tessel_memo2024.ini", f));
}
