// Repeat rule list against real memo files: order of use, the ten-rule limit, damaged values.
#include "memo/repeat.h"

#include <gtest/gtest.h>

#include <string>

#include "config/profile_store.h"
#include "tests/config/config_test_files.h"

namespace {
std::string Key(const std::string& path, const char* key) {
    char buf[256];
    ProfileStoreReset();
    ProfileReadString("REPEAT", key, "<none>", buf, sizeof buf, path.c_str());
    return buf;
}
}  // namespace

TEST(RepeatList, DamagedAndOverLongValuesAreSkippedAndTheListStopsAtAnEmptyKey) {
    TempFolder dir;
    std::string path = dir.File("memo.ini");
    // A 40-byte value is read as its first 19 bytes: "1,0,00000000000000" still has three fields;
    // "1,2" and "1,2,3,4" do not.
    WriteIni(path, {"[REPEAT]", "01=7,0,0", "02=1,2", "03=1,0,0000000000000000000000000000000000009",
                    "04=1,2,3,4", "05=30,1,1", "06=", "07=5,5,5"});
    ProfileStoreReset();
    RepeatList list;
    ASSERT_EQ(LoadRepeatList(path.c_str(), &list), 3);
    EXPECT_EQ(list.rules[0].dayCount, 7);
    EXPECT_EQ(list.rules[1].repeatKind, 0);  // the 9 at byte 40 was cut away
    EXPECT_EQ(list.rules[2].dayCount, 30);
    EXPECT_EQ(list.rules[2].endKind, 1);
}

TEST(RepeatList, UseMovesToTheFrontAndAddDropsTheOldestOfTen) {
    TempFolder dir;
    std::string path = dir.File("memo.ini");
    RepeatList list{};
    for (int i = 1; i <= 11; ++i) ASSERT_TRUE(AddRule(path.c_str(), &list, RepeatRule{i, i % 3, i % 4}));
    EXPECT_EQ(list.count, 10);
    EXPECT_EQ(Key(path, "01"), "11,2,3");
    EXPECT_EQ(Key(path, "10"), "2,2,2");
    EXPECT_EQ(Key(path, "11"), "");
    ASSERT_TRUE(UseRule(path.c_str(), &list, 4));
    EXPECT_EQ(Key(path, "01"), "7,1,3");
    EXPECT_EQ(Key(path, "02"), "11,2,3");
    EXPECT_EQ(Key(path, "05"), "8,2,0");
    EXPECT_FALSE(UseRule(path.c_str(), &list, 10));
    RepeatList back;
    ProfileStoreReset();
    ASSERT_EQ(LoadRepeatList(path.c_str(), &back), 10);
    EXPECT_EQ(back.rules[0].dayCount, 7);
    EXPECT_EQ(back.rules[9].dayCount, 2);
}

#include "app/memo_commands.h"
#include "calendar/civil_date.h"
#include "memo/undo_journal.h"
#include "tests/memo/memo_files.h"

namespace {
class RepeatSeries : public MemoFiles {
protected:
    // The dates of a year file that hold text, as "MM-DD" in date order.
    std::string Written(int year, const char* text) {
        std::string out;
        for (int m = 1; m <= 12; ++m)
            for (int d = 1; d <= 31; ++d) {
                std::string memo = Read(year, m, d);
                if (memo.find(text) == std::string::npos) continue;
                char s[32];
                std::snprintf(s, sizeof s, "%02d-%02d ", m, d);
                out += s;
            }
        return out;
    }
};

TEST_F(RepeatSeries, EndsAndKindsOfSeries) {
    EXPECT_EQ(RunRepeatSeries(2025, 3, 1, "a", RepeatRule{7, 0, 0}), kRepeatFinished);
    EXPECT_EQ(Written(2025, "a"), "03-01 03-02 03-03 03-04 03-05 03-06 03-07 ");
    RunRepeatSeries(2025, 3, 1, "zero", RepeatRule{0, 0, 0});
    EXPECT_EQ(Written(2025, "zero"), "");
    RunRepeatSeries(2025, 4, 10, "b", RepeatRule{5, 1, 0});  // to the end of April, not the 30th
    EXPECT_EQ(Written(2025, "b").size(), 20u * 6);
    EXPECT_EQ(Written(2025, "b").substr(19 * 6), "04-29 ");
    RunRepeatSeries(2025, 3, 10, "c", RepeatRule{5, 1, 0});
    EXPECT_EQ(Written(2025, "c").substr(20 * 6), "03-30 ");
    RunRepeatSeries(2025, 5, 10, "yearly", RepeatRule{400, 2, 3});
    EXPECT_EQ(Written(2025, "yearly"), "05-10 ");
    EXPECT_EQ(Written(2026, "yearly"), "05-10 ");
    RunRepeatSeries(2025, 1, 31, "monthly", RepeatRule{60, 0, 2});
    EXPECT_EQ(Written(2025, "monthly"), "01-31 03-31 ");  // February has no 31st
    RunRepeatSeries(2025, 10, 1, "weekly", RepeatRule{30, 0, 1});  // a Wednesday
    EXPECT_EQ(Written(2025, "weekly"), "10-01 10-08 10-15 10-22 10-29 ");
}

TEST_F(RepeatSeries, AppendsAsNewLinesUnsortedAndUndoesInOneStep) {
    g_app.settings.alarm = 1;
    g_app.settings.alarmMemoSort = 1;
    EXPECT_TRUE(WriteMemo(2025, 3, 2, "10:00 first", false));
    RunRepeatSeries(2025, 3, 1, "9:00 added", RepeatRule{3, 0, 0});
    EXPECT_EQ(Read(2025, 3, 1), "9:00 added");
    EXPECT_EQ(Read(2025, 3, 2), "10:00 first\r\n9:00 added");
    int cell = 0;
    ASSERT_TRUE(UndoMemoChange(&cell));
    EXPECT_EQ(Read(2025, 3, 1), "");
    EXPECT_EQ(Read(2025, 3, 3), "");
    EXPECT_EQ(Read(2025, 3, 2), "10:00 first");
}

TEST_F(RepeatSeries, StopsWhenAskedKeepingWhatItWrote) {
    int calls = 0;
    auto stopAfterFour = [](void* c) { return ++*static_cast<int*>(c) == 4; };
    EXPECT_EQ(RunRepeatSeries(2025, 6, 1, "s", RepeatRule{100, 0, 0}, stopAfterFour, &calls), kRepeatStopped);
    EXPECT_EQ(Written(2025, "s"), "06-01 06-02 06-03 06-04 ");
    int cell = 0;
    ASSERT_TRUE(UndoMemoChange(&cell));
    EXPECT_EQ(Written(2025, "s"), "");
    EXPECT_EQ(g_undo.groupStep, 1);
}

TEST_F(RepeatSeries, NeverRunsPast2099NorOnADamagedCount) {
    // An end past 2099 runs the series to the last day and stops.
    RunRepeatSeries(2099, 12, 1, "end", RepeatRule{9999, 2, 0});
    EXPECT_EQ(Written(2099, "end").size(), 31u * 6);
    RunRepeatSeries(2099, 12, 20, "late", RepeatRule{40, 0, 0});
    EXPECT_EQ(Written(2099, "late").size(), 12u * 6);
    RunRepeatSeries(2099, 12, 28, "short", RepeatRule{3, 0, 0});  // the end itself is not written
    EXPECT_EQ(Written(2099, "short"), "12-28 12-29 12-30 ");
    RunRepeatSeries(2099, 12, 31, "huge", RepeatRule{0x7FFFFFFF, 0, 0});
    EXPECT_EQ(Written(2099, "huge"), "12-31 ");
    EXPECT_FALSE(FileExists(dir.File("t_memo2100.ini")));
    RunRepeatSeries(2025, 8, 1, "neg", RepeatRule{-5, 0, 0});
    EXPECT_EQ(Written(2025, "neg"), "");
}

// A yearly series of a quarter century runs on past 2035 and 2038.
TEST_F(RepeatSeries, RunsOnPast2035) {
    int days = DayNumberOf(2050, 5, 5) - DayNumberOf(2030, 5, 5);
    RunRepeatSeries(2030, 5, 5, "yearly", RepeatRule{days, 0, 3});
    for (int y = 2030; y < 2050; ++y) EXPECT_EQ(Written(y, "yearly"), "05-05 ") << y;
    EXPECT_EQ(Written(2050, "yearly"), "");
}

TEST(RepeatRuleText, AsTheComboShowsIt) {
    char text[64];
    FormatRepeatRule(RepeatRule{7, 0, 0}, text, sizeof text);
    EXPECT_STREQ(text, "   7日先まで 毎日");
    FormatRepeatRule(RepeatRule{30, 1, 1}, text, sizeof text);
    EXPECT_STREQ(text, "  30日先の月末まで 毎週");
    FormatRepeatRule(RepeatRule{12345, 9, -1}, text, sizeof text);
    EXPECT_STREQ(text, "12345日先 ");
}
}  // namespace
