// Start-up decisions, file names and the first layout, checked against files on disk.
#include <gtest/gtest.h>

#include "tests/test_dates.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/app_globals.h"
#include "app/file_names.h"
#include "app/startup.h"
#include "calendar/view_layout.h"
#include "config/app_state.h"
#include "config/profile_access.h"
#include "config/profile_store.h"

namespace {

TEST(StartupDecisions, FirstMinuteTimerFallsOneSecondAfterTheNextMinute) {
    EXPECT_EQ(19000, FirstMinuteTimerDelay(0, 42));  // 10:15:42 -> 10:16:01
    EXPECT_EQ(61000, FirstMinuteTimerDelay(0, 0));
    EXPECT_EQ(2000, FirstMinuteTimerDelay(0, 59));
    EXPECT_EQ(100, FirstMinuteTimerDelay(1, 42));
}

TEST(StartupDecisions, DefaultPositionCentresAndTruncatesTowardZero) {
    EXPECT_EQ(760, CentredPosition(1920, 400));
    EXPECT_EQ(390, CentredPosition(1080, 300));
    EXPECT_EQ(415, CentredPosition(1280, 449));
    EXPECT_EQ(-2, CentredPosition(100, 105));  // -5 / 2
}

TEST(StartupDecisions, ZOrderSetting) {
    EXPECT_EQ(kZOrderTopmost, ZOrderOf(1));
    EXPECT_EQ(kZOrderBottom, ZOrderOf(2));
    EXPECT_EQ(kZOrderUnchanged, ZOrderOf(0));
    EXPECT_EQ(kZOrderUnchanged, ZOrderOf(3));
    EXPECT_EQ(kZOrderUnchanged, ZOrderOf(-1));
}

TEST(StartupDecisions, HotkeyModifiersMapToPlatformFlags) {
    EXPECT_EQ(1u | 2u, HotkeyModifierFlags(0x0641));  // Alt + Ctrl + A
    EXPECT_EQ(4u, HotkeyModifierFlags(0x0141));        // Shift
    EXPECT_EQ(8u, HotkeyModifierFlags(0x0841));        // Win
    EXPECT_EQ(0u, HotkeyModifierFlags(0x0041));
}

TEST(CountdownForm, SevenFieldsReplaceAllSlots) {
    char slots[kCountdownFormFields][kCountdownFormSlot];
    ResetCountdownForm(slots);
    EXPECT_STREQ("%04d/%02d/%02d (", slots[0]);
    EXPECT_STREQ("今日", slots[2]);
    EXPECT_STREQ("", slots[5]);
    EXPECT_STREQ("日経過", slots[6]);
    ASSERT_EQ(1, ApplyCountdownForm("%d-%d-%d <,> %s,TODAY,in ,days,,days ago", slots));
    EXPECT_STREQ("%d-%d-%d <", slots[0]);
    EXPECT_STREQ("> %s", slots[1]);
    EXPECT_STREQ("TODAY", slots[2]);
    EXPECT_STREQ("in ", slots[3]);
    EXPECT_STREQ("days", slots[4]);
    EXPECT_STREQ("", slots[5]);
    EXPECT_STREQ("days ago", slots[6]);
}

TEST(CountdownForm, OtherFieldCountsChangeNothing) {
    char slots[kCountdownFormFields][kCountdownFormSlot];
    ResetCountdownForm(slots);
    EXPECT_EQ(0, ApplyCountdownForm("a,b,c,d,e,f", slots));
    EXPECT_EQ(0, ApplyCountdownForm("a,b,c,d,e,f,g,h", slots));
    EXPECT_EQ(0, ApplyCountdownForm("", slots));
    EXPECT_EQ(0, ApplyCountdownForm("a,[b,c],d,e,f,g", slots));  // commas in brackets do not split
    EXPECT_STREQ("%04d/%02d/%02d (", slots[0]);
    EXPECT_STREQ("あと", slots[3]);
}

TEST(CountdownForm, LongFieldsAreCutOnACharacterBoundary) {
    char slots[kCountdownFormFields][kCountdownFormSlot];
    ResetCountdownForm(slots);
    std::string longAscii(40, 'x');
    std::string kanji;
    for (int i = 0; i < 20; ++i) kanji += "日";  // 40 bytes
    std::string value = longAscii + ",b,c,d,e,f," + kanji;
    ASSERT_EQ(1, ApplyCountdownForm(value.c_str(), slots));
    EXPECT_EQ(std::string(31, 'x'), slots[0]);
    EXPECT_EQ(30u, std::strlen(slots[6]));  // 15 whole characters, not 31 bytes
}

TEST(DataFileNames, EmptyCommandLineDiffersByEdition) {
    DataFiles classic, layered;
    FormDataFileNames(kClassicEdition, "", "C:\\Apps\\calendar.exe", '\\', &classic);
    FormDataFileNames(kLayeredEdition, "", "C:\\Apps\\calendar.exe", '\\', &layered);
    EXPECT_STREQ("C:\\Apps\\calendar.ini", classic.configPath);
    EXPECT_STREQ("C:\\Apps\\calendar_memo.ini", classic.memoPath);
    EXPECT_STREQ("C:\\Apps\\calendar_holiday.ini", classic.holidayPath);
    EXPECT_STREQ("C:\\Apps\\calendar.ini", layered.configPath);
    EXPECT_STREQ("C:\\Apps\\tessel_memo.ini", layered.memoPath);
    EXPECT_STREQ("C:\\Apps\\tessel_memo%d.ini", layered.yearMemoPattern);
    EXPECT_STREQ("C:\\Apps\\tessel_holiday.ini", layered.holidayPath);
}

TEST(DataFileNames, CommandLinePathServesBothEditions) {
    for (Edition e : {kClassicEdition, kLayeredEdition}) {
        DataFiles f;
        FormDataFileNames(e, "D:\\cal\\my.ini", "C:\\Apps\\calendar.exe", '\\', &f);
        EXPECT_STREQ("D:\\cal\\my.ini", f.configPath);
        EXPECT_STREQ("D:\\cal\\my_memo.ini", f.memoPath);
        char year[300];
        std::snprintf(year, sizeof year, f.yearMemoPattern, 2024);
        EXPECT_STREQ("D:\\cal\\my_memo2024.ini", year);
        EXPECT_STREQ("D:\\cal\\my_holiday.ini", f.holidayPath);
    }
}

TEST(LayoutHelpers, MulDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(12, MulDivRound(9, 96, 72));
    EXPECT_EQ(15, MulDivRound(9, 120, 72));
    EXPECT_EQ(13, MulDivRound(10, 96, 72));  // 13.33
    EXPECT_EQ(5, MulDivRound(3, 3, 2));      // 4.5
    EXPECT_EQ(-5, MulDivRound(-3, 3, 2));
    EXPECT_EQ(-1, MulDivRound(3, 3, 0));
}

TEST(LayoutHelpers, DayNumbers) {
    EXPECT_EQ(0, LocalDayNumber(Date(1970, 1, 1)));
    EXPECT_EQ(19723, LocalDayNumber(Date(2024, 1, 1)));
    EXPECT_EQ(LocalDayNumber(Date(2024, 2, 28)) + 2, LocalDayNumber(Date(2024, 3, 1)));  // leap year
}

TEST(LayoutHelpers, DefaultFirstDay) {
    Settings s = {};
    std::tm now = Date(2026, 2, 10);  // a Tuesday; the 1st is a Sunday
    EXPECT_EQ(LocalDayNumber(Date(2026, 2, 1)), LocalDayNumber(DefaultFirstDay(s, now)));
    s.beginWeek = 1;
    EXPECT_EQ(LocalDayNumber(Date(2026, 1, 26)), LocalDayNumber(DefaultFirstDay(s, now)));
    s.listTodayTop = 1;
    EXPECT_EQ(LocalDayNumber(Date(2026, 2, 9)), LocalDayNumber(DefaultFirstDay(s, now)));
    s.calendarType = 1;
    EXPECT_EQ(LocalDayNumber(Date(2026, 2, 10)), LocalDayNumber(DefaultFirstDay(s, now)));
}

// A fresh configuration file per test, and a design of 9-point fonts on a 96 dpi screen:
// every text line is 15 pixels, the title 19 (large buttons), the weekday head 14.
class FirstLayout : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("tessel_layout_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        config_ = (dir_ / "tessel.ini").string();
        ProfileStoreReset();
        SetConfigPath(config_.c_str());
        SetProfileTarget(nullptr);
        ResetAppState(&state_);
        ResetNavigation(&g_nav);
        ResetShellState(&g_shell);
        Design& d = state_.design;
        d.cellWidth = 64;
        d.listWidth = 120;
        d.cellLine = 4;
        d.memoRow = 4;
        for (int i = 0; i < 7; ++i) d.ratios[i] = 1;
        d.ratioSum = 7;
        for (auto& f : d.fonts) f.logFont.lfHeight = 9;
        state_.settings.btnSize = 1;
        in_ = {};
        in_.logPixelsY = 96;
        in_.screenWidth = 1280;
        in_.screenHeight = 1024;
        in_.buttonHeight = ButtonBitmapHeight(1);
    }
    void TearDown() override {
        ProfileStoreReset();
        std::filesystem::remove_all(dir_);
    }
    int Stored(const char* key) { return ProfileReadInt("CONFIG", key, -999, config_.c_str()); }

    std::filesystem::path dir_;
    std::string config_;
    AppState state_;
    LayoutInputs in_;
};

TEST_F(FirstLayout, TableRowsFollowTheWeeksOfTheMonth) {
    in_.now = Date(2026, 2, 10);  // February 2026: 28 days from a Sunday
    BuildLayout(&state_, in_);
    EXPECT_EQ(4, state_.layout.rowCount);
    EXPECT_EQ(449, state_.layout.winWidth);
    EXPECT_EQ(19, state_.layout.titleHeight);
    EXPECT_EQ(14, state_.layout.headHeight);
    EXPECT_EQ(4 * 75 + 19 + 14 + 60 + 1, state_.layout.winHeight);
    EXPECT_EQ(LocalDayNumber(Date(2026, 2, 1)), LocalDayNumber(g_view.firstDay));
    EXPECT_EQ(LocalDayNumber(Date(2026, 2, 10)), g_shell.todayNumber);

    in_.now = Date(2026, 8, 20);  // August 2026: 31 days from a Saturday
    BuildLayout(&state_, in_);
    EXPECT_EQ(6, state_.layout.rowCount);
    EXPECT_EQ(LocalDayNumber(Date(2026, 7, 26)), LocalDayNumber(g_view.firstDay));

    state_.settings.beginWeek = 1;  // weeks from Monday: February starts in January's last week
    in_.now = Date(2026, 2, 10);
    BuildLayout(&state_, in_);
    EXPECT_EQ(5, state_.layout.rowCount);
    EXPECT_EQ(LocalDayNumber(Date(2026, 1, 26)), LocalDayNumber(g_view.firstDay));
}

TEST_F(FirstLayout, MetricsFollowFontSizesAndResolution) {
    in_.now = Date(2026, 2, 10);
    state_.design.fonts[kFontTitle].logFont.lfHeight = 20;  // 27 px: above the buttons
    state_.design.fonts[kFontHoli].logFont.lfHeight = 12;   // the largest day-number font counts
    in_.logPixelsY = 96;
    BuildLayout(&state_, in_);
    EXPECT_EQ(29, state_.layout.titleHeight);
    EXPECT_EQ(19, state_.layout.dayLineHeight);
    EXPECT_EQ(15, state_.layout.memoLineHeight);

    state_.design.fonts[kFontTitle].logFont.lfHeight = 9;
    state_.settings.btnSize = 0;  // small buttons are 10 high: the 12 px title font wins
    in_.buttonHeight = ButtonBitmapHeight(0);
    BuildLayout(&state_, in_);
    EXPECT_EQ(14, state_.layout.titleHeight);

    in_.logPixelsY = 120;  // 9 pt = 15 px
    BuildLayout(&state_, in_);
    EXPECT_EQ(18, state_.layout.memoLineHeight);
    EXPECT_EQ(18, state_.layout.memoBoxLineHeight);
}

TEST_F(FirstLayout, ListHasOneRowPerDayOfTheMonth) {
    state_.settings.calendarType = 1;
    in_.now = Date(2026, 2, 10);
    BuildLayout(&state_, in_);
    EXPECT_EQ(28, state_.layout.rowCount);
    EXPECT_EQ(121, state_.layout.winWidth);
    EXPECT_EQ(0, state_.layout.headHeight);
    EXPECT_EQ(28 * 15 + 19 + 60 + 1, state_.layout.winHeight);
    ASSERT_EQ(28u, g_view.cells.size());
    EXPECT_EQ(120, g_view.cells[0].right);
    EXPECT_EQ(19, g_view.cells[0].top);

    in_.now = Date(2026, 3, 31);
    BuildLayout(&state_, in_);
    EXPECT_EQ(31, state_.layout.rowCount);
}

TEST_F(FirstLayout, CellsSplitTheWidthAndStopAtTheMemoBox) {
    in_.now = Date(2026, 2, 10);
    BuildLayout(&state_, in_);
    ASSERT_EQ(28u, g_view.cells.size());
    EXPECT_EQ(0, g_view.cells[0].left);
    EXPECT_EQ(64, g_view.cells[0].right);
    EXPECT_EQ(33, g_view.cells[0].top);
    EXPECT_EQ(108, g_view.cells[0].bottom);
    EXPECT_EQ(448, g_view.cells[6].right);
    EXPECT_EQ(33 + 75, g_view.cells[7].top);
    EXPECT_EQ(state_.layout.winHeight - 61, g_view.memoBox.top);
    EXPECT_EQ(state_.layout.winHeight, g_view.memoBox.bottom);
}

TEST_F(FirstLayout, KeptHeightDecidesTheRowCount) {
    in_.now = Date(2026, 2, 10);
    state_.settings.keepWinHeight = 1;
    state_.layout.winHeight = 300;  // 206 pixels for rows of 75: three rows, the last one cut
    BuildLayout(&state_, in_);
    EXPECT_EQ(3, state_.layout.rowCount);
    EXPECT_EQ(300, state_.layout.winHeight);
    EXPECT_EQ(240, g_view.cells[14].bottom);

    state_.layout.winHeight = 50;  // below the fixed bands: one row, the fixed height
    BuildLayout(&state_, in_);
    EXPECT_EQ(1, state_.layout.rowCount);
    EXPECT_EQ(94, state_.layout.winHeight);

    state_.layout.winHeight = 0;  // nothing stored: the calendar decides
    BuildLayout(&state_, in_);
    EXPECT_EQ(4, state_.layout.rowCount);
}

TEST_F(FirstLayout, WritesHeightPerScreenAndTopDate) {
    in_.now = Date(2026, 2, 10);
    BuildLayout(&state_, in_);
    EXPECT_EQ(state_.layout.winHeight, Stored("WIN_HEIGHT_1024"));
    EXPECT_EQ(-999, Stored("WIN_HEIGHT_1080"));
    EXPECT_EQ(0, Stored("TOP_DATE"));

    in_.screenHeight = 1080;
    state_.settings.calendarType = 1;
    BuildLayout(&state_, in_);
    EXPECT_EQ(state_.layout.winHeight, Stored("WIN_HEIGHT_1080"));
    EXPECT_NE(Stored("WIN_HEIGHT_1024"), Stored("WIN_HEIGHT_1080"));
}

}  // namespace
