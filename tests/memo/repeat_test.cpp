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
