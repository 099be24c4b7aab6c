// What the calendar does with the settings dialog's 適用 and OK, on real files: the edited copies
// become the settings and bindings in force and reach the configuration file in one replacement,
// a changed design's name marked.
#include "app/settings_keeping.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config/design.h"
#include "config/operations.h"
#include "config/settings.h"
#include "tests/config/config_test_files.h"

namespace {
class SettingsKeeping : public ::testing::Test {
protected:
    void SetUp() override {
        config = dir.File("desk-calendar.ini");
        WriteIni(config, {"[CONFIG]", "CURRENT_DESIGN=blue", "CELL_WIDTH=80"});
        WriteIni(dir.File("blue.ini"), {"[TESSEL_DESIGN]", "NAME=blue", "[CONFIG]", "CELL_WIDTH=80"});
        UseConfig(config);
        ResetOperations();
        ResetAppState(&g_app);
        ReadSettings(&g_app);
        ReadDesign(&g_app);
        keep.state = g_app;
        keep.bindings = CurrentBindings();
        keep.trayBefore = false;
        keep.written = false;
    }
    void TearDown() override {
        ResetOperations();
        ResetAppState(&g_app);
    }
    TempFolder dir;
    std::string config;
    SettingsToKeep keep{};
};
}  // namespace

TEST_F(SettingsKeeping, TheEditsAreInForceAndWrittenInOneReplacement) {
    keep.state.settings.calendarType = CalendarType::kList;
    keep.bindings.key[0] = kModCtrl | 'Q';
    int replaced = ProfileStoreReplaceCount();
    KeepEditedSettings(&keep, dir.Path().c_str(), '/');
    EXPECT_TRUE(keep.written);
    EXPECT_EQ(ProfileStoreReplaceCount(), replaced + 1);
    EXPECT_EQ(g_app.settings.calendarType, CalendarType::kList);
    EXPECT_EQ(FindCommandByKey(kModCtrl | 'Q'), g_operations[0].command);
    EXPECT_STREQ(keep.state.settings.currentDesign, "blue");  // the design is the file's
    EXPECT_EQ(StoredValue(config, "CONFIG", "CALENDAR_TYPE"), "1");
    EXPECT_EQ(StoredValue(config, "KEYASSIGN", "40013"), std::to_string(kModCtrl | 'Q'));
    EXPECT_EQ(StoredValue(config, "CONFIG", "CURRENT_DESIGN"), "blue");
}

TEST_F(SettingsKeeping, AChangedDesignIsKeptUnderItsMarkedName) {
    const std::string designFile = ReadWhole(dir.File("blue.ini"));
    keep.state.design.fonts[kFontDay].colours[kWeekdayColour] = 0x123456;
    keep.state.design.cellWidth = 90;
    KeepEditedSettings(&keep, dir.Path().c_str(), '/');
    EXPECT_TRUE(keep.written);
    EXPECT_STREQ(keep.state.settings.currentDesign, "blue(変更あり)");
    EXPECT_STREQ(g_app.settings.currentDesign, "blue(変更あり)");
    EXPECT_EQ(StoredValue(config, "CONFIG", "CURRENT_DESIGN"), "blue(変更あり)");
    EXPECT_EQ(StoredValue(config, "CONFIG", "CELL_WIDTH"), "90");
    EXPECT_EQ(ReadWhole(dir.File("blue.ini")), designFile);
}

// A file that cannot be written: the edits are in force all the same, and the answer says so.
TEST_F(SettingsKeeping, AFailedWriteIsAnsweredAndTheEditsStayInForce) {
    UseConfig(dir.File("missing/desk-calendar.ini"));
    keep.state.settings.alarm = 1;
    KeepEditedSettings(&keep, dir.Path().c_str(), '/');
    EXPECT_FALSE(keep.written);
    EXPECT_EQ(g_app.settings.alarm, 1);
    ProfileTakeWriteFailures();
}
