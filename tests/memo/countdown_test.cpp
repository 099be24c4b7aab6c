// Countdown memos against real memo files: order, undo, over-long values, day numbers.
#include "memo/countdown.h"

#include <gtest/gtest.h>

#include "calendar/calendar_years.h"
#include "calendar/civil_date.h"
#include "calendar/today.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/startup.h"
#include "config/profile_store.h"
#include "tests/config/config_test_files.h"

namespace {
class CountdownTest : public ::testing::Test {
protected:
    void SetUp() override {
        ProfileStoreReset();
        path_ = dir_.File("memo.ini");
        today_ = DayOffset(2025, 12, 20, 0);
        ResetCountdownForm(form_);
    }
    void TearDown() override {
        ReleaseCountdowns();
        ProfileStoreReset();
    }
    std::string Key(const char* key) {
        char buf[512];
        ProfileStoreReset();
        ProfileReadString("COUNTDOWN", key, "<none>", buf, sizeof buf, path_.c_str());
        return buf;
    }
    // Days from today_ to memo i of the list.
    int DaysTo(size_t i) const {
        const CountdownMemo& c = g_countdowns.memos[i];
        return DayOffset(c.year, c.month, c.day, today_);
    }
    TempFolder dir_;
    std::string path_;
    char form_[kCountdownFormFields][kCountdownFormSlot];
    int today_ = 0;
};

TEST_F(CountdownTest, DayNumbersRoundTripAndClamp) {
    EXPECT_EQ(DayOffset(1970, 1, 1, 0), 0);
    EXPECT_EQ(DayOffset(2035, 12, 16, 0), 24090);
    EXPECT_EQ(DayOffset(2038, 1, 19, 0), 24855);  // where a 32-bit time runs out
    EXPECT_EQ(DayOffset(2099, 12, 31, 0), 47481);
    EXPECT_EQ(DayOffset(2025, 13, 1, 0), DayOffset(2026, 1, 1, 0));
    EXPECT_EQ(DayOffset(2025, 3, 0, 0), DayOffset(2025, 2, 28, 0));
    int y, m, d;
    DateAtOffset(-3, today_, &y, &m, &d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20251217);
    DateAtOffset(9999, today_, &y, &m, &d);  // no longer stopped in 2035
    EXPECT_EQ(y * 10000 + m * 100 + d, 20530506);
    DateAtOffset(24855 - today_, today_, &y, &m, &d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20380119);
    // The day count of the dialogs reaches 2099-12-31 from the first day, and the first day
    // from the last; anything further holds at the ends.
    DateAtOffset(MostCalendarDays(), 0, &y, &m, &d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20991231);
    DateAtOffset(-MostCalendarDays(), 47481, &y, &m, &d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 19700101);
    DateAtOffset(99999, today_, &y, &m, &d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20991231);
    DateAtOffset(-99999, 0, &y, &m, &d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 19700101);
    for (int n = 0; n <= 47481; n += 37) {
        DateAtOffset(n, 0, &y, &m, &d);
        ASSERT_EQ(DayOffset(y, m, d, 0), n);
    }
}

// Found by fuzzing: a year millions away in the file overflowed the days left.
TEST_F(CountdownTest, YearsMillionsAwaySaturateTheDaysLeft) {
    EXPECT_EQ(DayNumberOf(5881580, 1, 200), INT_MAX);
    EXPECT_EQ(DayNumberOf(-5881580, 1, 1), INT_MIN);
    WriteIni(path_, {"[COUNTDOWN]", "01=5881580,1,200,far", "02=-2147483647,1,1,long ago"});
    ASSERT_EQ(LoadCountdowns(path_.c_str()), 2);
    EXPECT_EQ(DaysTo(0), INT_MAX - today_);
    EXPECT_EQ(DaysTo(1), -INT_MAX);
    char number[64];
    FormatCountdownNumber(DaysTo(1), form_, number, sizeof number);
    EXPECT_NE(std::string(number).find("2147483647"), std::string::npos) << number;
    // The alarm's lines count them the same way.
    std::string alarm = CountdownAlarmText(today_, INT_MAX, true, form_);
    EXPECT_NE(alarm.find("2147483647"), std::string::npos) << alarm;
    EXPECT_NE(alarm.find(std::to_string(INT_MAX - today_)), std::string::npos) << alarm;
}

TEST_F(CountdownTest, LoadStopsAtEmptyKeySkipsMalformedAndKeepsCommas) {
    WriteIni(path_, {"[COUNTDOWN]", "01=2025,12,25,Trip, with, commas", "02=bad,1", "03=2025,12,1,",
                     "04=2025,12,20", "05=", "06=2030,1,1,never read"});
    ASSERT_EQ(LoadCountdowns(path_.c_str()), 3);
    EXPECT_STREQ(g_countdowns.memos[0].text, "Trip, with, commas");
    EXPECT_EQ(DaysTo(0), 5);
    EXPECT_STREQ(g_countdowns.memos[1].text, "");
    EXPECT_EQ(g_countdowns.memos[1].day, 1);
    EXPECT_EQ(DaysTo(1), -19);
    EXPECT_EQ(g_countdowns.memos[2].day, 20);
}

TEST_F(CountdownTest, OrderSaveAndUndoOfAReplacement) {
    WriteIni(path_, {"[COUNTDOWN]", "01=2025,12,30,late", "02=2025,12,10,past", "03=2025,12,22,soon",
                     "04=", "05=2029,1,1,stale"});
    ASSERT_EQ(LoadCountdowns(path_.c_str()), 3);
    SortCountdowns();
    EXPECT_STREQ(g_countdowns.memos[0].text, "past");
    EXPECT_STREQ(g_countdowns.memos[2].text, "late");
    // Replace "soon" by "later": a removal and an addition, undone together in reverse.
    ASSERT_TRUE(UndoCountdownChange(kCountdownUndoRemoved, 2025, 12, 22, "soon", false, nullptr));
    ASSERT_TRUE(UndoCountdownChange(kCountdownUndoAdded, 2026, 1, 5, "later", false, nullptr));
    EXPECT_EQ(Key("01"), "2025,12,10,past");
    EXPECT_EQ(Key("02"), "2025,12,30,late");
    EXPECT_EQ(Key("03"), "2026,1,5,later");
    EXPECT_EQ(Key("04"), "");
    ASSERT_TRUE(UndoCountdownChange(kCountdownUndoAdded, 2026, 1, 5, "later", true, nullptr));
    ASSERT_TRUE(UndoCountdownChange(kCountdownUndoRemoved, 2025, 12, 22, "soon", true, nullptr));
    EXPECT_EQ(Key("02"), "2025,12,22,soon");
    EXPECT_EQ(Key("03"), "2025,12,30,late");
    EXPECT_EQ(Key("04"), "");
    EXPECT_FALSE(UndoCountdownChange(0x4001, 2025, 12, 22, "soon", true, nullptr));
    // Removing the last line moves the current cell onto the line before it.
    int cell = kCellCountdownBase + 2;
    ASSERT_TRUE(UndoCountdownChange(kCountdownUndoAdded, 2025, 12, 30, "late", true, &cell));
    EXPECT_EQ(cell, kCellCountdownBase + 1);
    int first = kCellCountdownBase;  // line 0 stays where it is
    KeepCountdownCell(&first);
    EXPECT_EQ(first, kCellCountdownBase);
    // Removing the only line leaves no current cell.
    ASSERT_TRUE(UndoCountdownChange(kCountdownUndoAdded, 2025, 12, 10, "past", true, &cell));
    ASSERT_TRUE(UndoCountdownChange(kCountdownUndoAdded, 2025, 12, 22, "soon", true, &cell));
    EXPECT_EQ(CountdownCount(), 0);
    EXPECT_EQ(cell, 0);
    EXPECT_EQ(RemoveCountdown(2025, 12, 22, "soo"), -1);
}

TEST_F(CountdownTest, OverLongTextIsCutOnACharacterBoundary) {
    // Double-byte characters to 300 bytes of text: byte 255 of the text falls on a lead byte.
    std::string value = "01=2025,12,25,";
    while (value.size() - 14 < 300) value += "\x82\xa0";
    WriteIni(path_, {"[COUNTDOWN]", value.c_str()});
    ASSERT_EQ(LoadCountdowns(path_.c_str()), 1);
    EXPECT_EQ(std::strlen(g_countdowns.memos[0].text), 254u);
}

TEST_F(CountdownTest, ABrokenCharacterBeforeABlankReadsBackTheSameAfterASave) {
    // A lead byte whose second byte is a blank, then a lone lead byte at the end.
    WriteIni(path_, {"[COUNTDOWN]", "01=2025,3,1,\xC6\xAE\x91\x8B\x8E \x82"});
    ASSERT_EQ(LoadCountdowns(path_.c_str()), 1);
    std::string loaded = g_countdowns.memos[0].text;
    ASSERT_TRUE(SaveCountdowns());
    ASSERT_EQ(LoadCountdowns(path_.c_str()), 1);
    EXPECT_EQ(g_countdowns.memos[0].text, loaded);
    EXPECT_EQ(loaded, "\xC6\xAE\x91\x8B");
}

TEST_F(CountdownTest, ManyCommasAndAFullTextSurviveSaving) {
    // 80 commas, and a text of the full 255 bytes behind its date.
    std::string text;
    for (int i = 0; i < 80; ++i) text += "a,";
    while (text.size() < 255) text += "z";
    WriteIni(path_, {"[COUNTDOWN]", ("01=2025,12,25," + text).c_str()});
    ASSERT_EQ(LoadCountdowns(path_.c_str()), 1);
    EXPECT_EQ(g_countdowns.memos[0].text, text);
    ASSERT_TRUE(SaveCountdowns());
    ASSERT_EQ(LoadCountdowns(path_.c_str()), 1);
    EXPECT_EQ(g_countdowns.memos[0].text, text);
    EXPECT_EQ(Key("01"), "2025,12,25," + text);
}

TEST_F(CountdownTest, AlarmLinesWithTheDefaultForm) {
    WriteIni(path_, {"[COUNTDOWN]", "01=2025,12,23,Trip", "02=2025,12,28,Far", "03=2025,12,18,Trip",
                     "04=2025,12,20,Now"});
    ASSERT_EQ(LoadCountdowns(path_.c_str()), 4);
    EXPECT_EQ(CountdownAlarmText(today_, 7, false, form_),
              "2025/12/23 (\x82\xa0\x82\xc6" "3\x93\xfa) Trip\r\n2025/12/20 (\x8d\xa1\x93\xfa) Now\r\n");
    std::string text = CountdownAlarmText(today_, 7, true, form_);
    EXPECT_NE(text.find("2025/12/18 (2\x93\xfa\x8c\x6f\x89\xdf) Trip\r\n"), std::string::npos);
    EXPECT_EQ(CountdownAlarmText(today_, -1, false, form_), "");
    // Counted from the day handed: two days on, the trip is a day away and "now" two days past.
    EXPECT_EQ(CountdownAlarmText(today_ + 2, 1, false, form_), "2025/12/23 (\x82\xa0\x82\xc6" "1\x93\xfa) Trip\r\n");
}
// A line past 255 bytes is cut before the character that would not fit and marked "...".
TEST_F(CountdownTest, AnAlarmLineTooLongIsCutOnACharacterAndMarked) {
    std::string kanji;
    for (int i = 0; i < 120; ++i) kanji += "\x93\xfa";  // 日
    std::string line = "01=2025,12,23," + kanji;
    WriteIni(path_, {"[COUNTDOWN]", line.c_str()});
    ASSERT_EQ(LoadCountdowns(path_.c_str()), 1);
    std::string head = "2025/12/23 (\x82\xa0\x82\xc6" "3\x93\xfa) ";  // 21 bytes
    EXPECT_EQ(CountdownAlarmText(today_, 7, false, form_), head + kanji.substr(0, 230) + "...\r\n");
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

}  // namespace
