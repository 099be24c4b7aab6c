// What the memo dialogs decide apart from their windows: the dates they let the user choose, day
// counts as typed, the texts of overwrite and append mode, the repeat rule already in the list,
// the anchored layout and the placement kept in the configuration file.
#include <gtest/gtest.h>

#include <string>

#include "base/anchor.h"
#include "config/dialog_placement.h"
#include "config/profile_access.h"
#include "memo/date_choice.h"
#include "memo/memo_edit_text.h"
#include "memo/repeat.h"
#include "tests/config/config_test_files.h"

namespace {

TEST(MemoDialogRules, YearsAndDaysThatCanBeChosen) {
    YearChoices y = YearChoicesAround(2026);
    EXPECT_EQ(y.first, 2021);
    EXPECT_EQ(y.count, 11);
    y = YearChoicesAround(2033);  // the years past 2035 are offered
    EXPECT_EQ(y.first, 2028);
    EXPECT_EQ(y.count, 11);
    y = YearChoicesAround(2097);  // nothing from 2100 on
    EXPECT_EQ(y.first, 2092);
    EXPECT_EQ(y.count, 8);
    y = YearChoicesAround(1972);  // nothing before 1970
    EXPECT_EQ(y.first, 1970);
    EXPECT_EQ(y.count, 8);
    int year, month, day;
    ChosenDate(2023, 5, 1, 30, &year, &month, &day);  // 31 February 2028
    EXPECT_EQ(year * 10000 + month * 100 + day, 20280229);
    ChosenDate(2023, 4, 1, 30, &year, &month, &day);
    EXPECT_EQ(day, 28);
    ChosenDate(2023, 4, 10, 30, &year, &month, &day);  // 31 November
    EXPECT_EQ(month * 100 + day, 1130);
    ChosenDate(2095, 20, 11, 30, &year, &month, &day);  // an index past the list stays in 2099
    EXPECT_EQ(year * 10000 + month * 100 + day, 20991231);
    ChosenDate(2031, 10, 1, 28, &year, &month, &day);
    EXPECT_EQ(year * 10000 + month * 100 + day, 20410228);
    EXPECT_EQ(DayCountFromText("-3", -9999, 9999), -3);
    EXPECT_EQ(DayCountFromText("20000", -9999, 9999), 9999);
    EXPECT_EQ(DayCountFromText("-99999999999999999999", -9999, 9999), -9999);
    EXPECT_EQ(DayCountFromText("", 0, 9999), 0);
    EXPECT_EQ(DayCountFromText("-5", 0, 9999), 0);
}

TEST(MemoDialogRules, OverwriteAndAppendTexts) {
    EXPECT_EQ(PreviewText("a\r\nb", "x", false), "x");
    EXPECT_EQ(PreviewText("a\r\nb", "x", true), "a\r\nb\r\nx");
    EXPECT_EQ(PreviewText("", "x", true), "x");
    EXPECT_EQ(AddedPart("a\r\nb\r\nx", "a\r\nb"), "x");
    EXPECT_EQ(AddedPart("a\r\nbx", "a\r\nb"), "x");
    EXPECT_EQ(AddedPart("changed", "a\r\nb"), "changed");
    EXPECT_EQ(AddedPart("a\r\nb", "a\r\nb"), "");
    EXPECT_EQ(LineCount(""), 1);
    EXPECT_EQ(LineCount("a\r\nb\r\n"), 3);
    RepeatList list = {{{7, 0, 0}, {30, 1, 1}}, 2};
    EXPECT_EQ(FindRule(list, RepeatRule{30, 1, 1}), 1);
    EXPECT_EQ(FindRule(list, RepeatRule{30, 1, 2}), -1);
}

TEST(MemoDialogRules, AnchoredControls) {
    Box at = {10, 20, 50, 40};
    auto moved = [&](int move, int stretch) { return AnchoredBox(at, Anchor{1, move, stretch}, 200, 100, 230, 90); };
    Box b = moved(0, 3);  // the edit grows both ways
    EXPECT_EQ(b.left * 1000 + b.top, 10020);
    EXPECT_EQ(b.right * 1000 + b.bottom, 80030);
    b = moved(3, 0);  // the buttons keep their corner
    EXPECT_EQ(b.left * 1000 + b.top, 40010);
    EXPECT_EQ(b.right - b.left, 40);
    b = moved(2, 1);  // the repeat list: down with the bottom, wider with the right
    EXPECT_EQ(b.left * 1000 + b.top, 10010);
    EXPECT_EQ(b.right, 80);
}

TEST(MemoDialogRules, PlacementKeptPerScreenSizeOrDeleted) {
    TempFolder dir;
    UseConfig(dir.File("p.ini"));
    DialogPlacement at = {true, 40, 50, true, 300, 200};
    ASSERT_TRUE(SaveDialogPlacement("DATEMEMO", 3, 1280, 1024, at));
    EXPECT_EQ(ReadConfigInt("DATEMEMO_POS_X_1280", 0), 40);
    EXPECT_EQ(ReadConfigInt("DATEMEMO_HEIGHT_1024", 0), 200);
    DialogPlacement back = ReadDialogPlacement("DATEMEMO", 3, 1280, 1024);
    EXPECT_TRUE(back.hasPosition && back.hasSize);
    EXPECT_EQ(back.x * 1000 + back.y, 40050);
    EXPECT_EQ(back.width * 1000 + back.height, 300200);
    EXPECT_FALSE(ReadDialogPlacement("DATEMEMO", 3, 1920, 1080).hasPosition);  // another screen
    EXPECT_FALSE(ReadDialogPlacement("DATEMEMO", 2, 1280, 1024).hasPosition);  // position not kept
    ASSERT_TRUE(SaveDialogPlacement("DATEMEMO", 1, 1280, 1024, at));  // the size keys go
    EXPECT_EQ(ReadConfigInt("DATEMEMO_WIDTH_1280", -1), -1);
    EXPECT_EQ(ReadConfigInt("DATEMEMO_POS_Y_1024", -1), 50);
    ASSERT_TRUE(SaveDialogPlacement("DATEMEMO", 0, 1280, 1024, at));
    EXPECT_EQ(ReadWhole(dir.File("p.ini")).find("DATEMEMO"), std::string::npos);
    UseConfig("");
}

}  // namespace
