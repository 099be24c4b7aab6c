// Start-up decisions and file names, checked against files on disk.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/startup.h"
#include "config/app_state.h"
#include "config/file_names.h"

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

TEST(DataFileNames, EmptyCommandLineDiffersByEdition) {
    DataFiles classic, layered;
    FormDataFileNames(kClassicEdition, "", "C:\\Apps\\calendar.exe", '\\', &classic);
    FormDataFileNames(kLayeredEdition, "", "C:\\Apps\\calendar.exe", '\\', &layered);
    EXPECT_STREQ("C:\\Apps\\calendar.ini", classic.configPath);
    EXPECT_STREQ("C:\\Apps\\calendar_memo.ini", classic.memoPath);
    EXPECT_STREQ("C:\\Apps\\calendar_holiday.ini", classic.holidayPath);
    EXPECT_STREQ("C:\\Apps\\calendar.ini", layered.configPath);
    EXPECT_STREQ("C:\\Apps\\tessel_memo.ini", layered.memoPath);
    char year[300];
    YearMemoPath(layered, 2025, year, sizeof year);
    EXPECT_STREQ("C:\\Apps\\tessel_memo2025.ini", year);
    EXPECT_STREQ("C:\\Apps\\tessel_holiday.ini", layered.holidayPath);
    EXPECT_STREQ("C:\\Apps", classic.programDir);
    EXPECT_STREQ("C:\\Apps", layered.programDir);
}

TEST(DataFileNames, CommandLinePathServesBothEditions) {
    for (Edition e : {kClassicEdition, kLayeredEdition}) {
        DataFiles f;
        FormDataFileNames(e, "D:\\cal\\my.ini", "C:\\Apps\\calendar.exe", '\\', &f);
        EXPECT_STREQ("D:\\cal\\my.ini", f.configPath);
        EXPECT_STREQ("D:\\cal\\my_memo.ini", f.memoPath);
        char year[300];
        YearMemoPath(f, 2024, year, sizeof year);
        EXPECT_STREQ("D:\\cal\\my_memo2024.ini", year);
        EXPECT_STREQ("D:\\cal\\my_holiday.ini", f.holidayPath);
        EXPECT_STREQ("C:\\Apps", f.programDir);  // designs stay beside the program
    }
}

}  // namespace
