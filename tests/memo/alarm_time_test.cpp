// Times of day in memo lines and the order they give.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/alarm_rules.h"
#include "config/app_state.h"
#include "memo/alarm_time.h"

namespace {
TEST(AlarmTime, WhatCountsAsATime) {
    int h = -1, m = -1;
    EXPECT_EQ(ScanTime("\x82\x50\x82\x51\x81\x46\x82\x52\x82\x4F", &h, &m), 10);
    EXPECT_EQ(h * 60 + m, 12 * 60 + 30);
    EXPECT_EQ(ScanTime("9\x81\x46" "05", &h, &m), 5);
    EXPECT_EQ(h * 60 + m, 9 * 60 + 5);
    EXPECT_EQ(ScanTime("12:34:56", &h, &m), 5);
    EXPECT_EQ(FindTime("00:00"), 0);
    EXPECT_EQ(FindTime("0:00"), 0);
    EXPECT_EQ(FindTime("23:59"), 23 * 60 + 59);
    for (const char* none : {"23:60", "24:00", "7:5", "7:005", "123:45", "2012:30", "", "abc"})
        EXPECT_EQ(FindTime(none), -1) << none;
    EXPECT_EQ(FindTime("x9:05"), 9 * 60 + 5);
    EXPECT_EQ(FindTime("a 8:10 then 7:00"), 8 * 60 + 10);
    EXPECT_LT(ScanTime("123:45", nullptr, nullptr), 0);
    EXPECT_EQ(ScanTime("abc", nullptr, nullptr), 0);
}

TEST(AlarmTime, LongDigitRunsAndDoubleByteCharacters) {
    // Any run of three digits or more is no hour, however long (and it must not overflow).
    std::string nines(40, '9');
    EXPECT_LT(ScanTime((nines + ":00").c_str(), nullptr, nullptr), 0);
    std::string wideNines;
    for (int i = 0; i < 20; ++i) wideNines += "\x82\x58";  // full-width 9
    EXPECT_EQ(FindTime((nines + ":00 " + wideNines + ":00 7:15").c_str()), 7 * 60 + 15);
    // ≠ is 81 82; stepping into its trail byte would read 82 50, a full-width 1, then ":30".
    EXPECT_EQ(FindTime("\x81\x82P:30"), -1);
    EXPECT_EQ(FindTime("\x81\x82P:30 8:00"), 8 * 60);
    std::string due;
    MatchAlarmLines("\x81\x82P:30", -1, -1, -1, -1, true, &due);  // the alarms walk the same way
    EXPECT_EQ(due, "");
}

TEST(AlarmTime, SortingLines) {
    g_app.settings.alarm = 1;
    g_app.settings.alarmMemoSort = 1;
    std::optional<std::string> s = SortMemoByTime("a\r\n10:00 x\r\nb\r\n9:00 y\r\nc\r\n11:00 z");
    ASSERT_TRUE(s);
    EXPECT_EQ(*s, "a\r\n9:00 y\r\n10:00 x\r\n11:00 z\r\nb\r\nc");
    s = SortMemoByTime("10:00 a 1:00\r\n9:00 b\r\n");
    ASSERT_TRUE(s);
    EXPECT_EQ(*s, "9:00 b\r\n10:00 a 1:00");
    EXPECT_EQ(SortMemoByTime("9:00 only"), std::nullopt);
    EXPECT_EQ(SortMemoByTime("a\r\nb"), std::nullopt);
    EXPECT_EQ(SortMemoByTime("9:00\r\n10:00"), std::nullopt);
    g_app.settings.alarmMemoSort = 0;
    EXPECT_EQ(SortMemoByTime("10:00\r\n9:00"), std::nullopt);
    g_app.settings.alarm = 0;
}
}  // namespace
