// What a day cell shows: classification of the date, holiday texts and colours, the month
// printed with the day, the memo lines; and the cutting of a line into styled runs.
#include "view/day_cell.h"

#include <gtest/gtest.h>

#include <string>

#include "app/startup.h"
#include "base/sjis.h"
#include "calendar/holiday_rules.h"
#include "calendar/month_model.h"
#include "config/tags.h"
#include "render/text_runs.h"
#include "render/weekday_head.h"
#include "tests/test_dates.h"
#include "tests/view/layout_files.h"
#include "view/countdown_lines.h"
#include "view/view_layout.h"

namespace {
class DayCell : public LayoutFiles {
protected:
    void SetUp() override {
        LayoutFiles::SetUp();
        // 13 July 2026 is a Monday; 海の日 (the third Monday), a personal holiday on 11 July (a
        // Saturday), a holiday memo on 18 July (a Saturday), a date-memo rule on the 20th.
        WriteIni(dir.File("h.ini"), {"[SETTING]", "1=0,7,0,-1,0,0,2,0,0,0,Marine", "2=1,7,11,-1,0,0,0,0,0,0,Mine",
                                      "3=2,7,18,-1,0,0,0,0,0,0,Note", "4=3,7,20,-1,0,0,0,0,0,0,Rule"});
        LoadHolidayRules(dir.File("h.ini").c_str());
        in.now = Date(2026, 7, 15);
        Lay();  // first visible day 28 June
    }
    void TearDown() override {
        ReleaseHolidayRules();
        LayoutFiles::TearDown();
    }
    // Cell index of the last layout gathered again, with the settings as they are now.
    DayCellRequest Cell(int index, int column = -1) {
        std::tm date = AddDays(view.firstDay, index);
        DaySources sources{st.settings, g_holidayRules, view.model, result.today, view.displayedMonth};
        return GatherDayRequest(sources, index, date, column < 0 ? WeekdayColour(date.tm_wday) : column);
    }
};

TEST_F(DayCell, ClassesOfDays) {
    DayCellRequest r = Cell(17);  // 15 July: today
    EXPECT_EQ(r.fontPlace, kFontToday);
    EXPECT_EQ(r.backPlace, kBackToday);
    r = Cell(16);  // 14 July: past in the current month
    EXPECT_EQ(r.fontPlace, kFontDay);
    EXPECT_EQ(r.backPlace, kBackPrday);
    r = Cell(18);
    EXPECT_EQ(r.backPlace, kBackDay);
    r = Cell(0);  // 28 June: another month, never past
    EXPECT_EQ(r.fontPlace, kFontOmday);
    EXPECT_EQ(r.backPlace, kBackOmday);
    nav.monthRequest = 1;
    Lay();
    r = Cell(6);  // 1 August, in a month other than the current one
    EXPECT_EQ(r.day, 1);
    EXPECT_EQ(r.backPlace, kBackDay);
    r = Cell(0);  // 26 July: today's month, but not the displayed one
    EXPECT_EQ(r.backPlace, kBackOmday);
}

TEST_F(DayCell, HolidayTextsAndColours) {
    DayCellRequest r = Cell(22);  // 20 July: 海の日, and the date-memo rule
    ASSERT_EQ(r.holidayTexts.size(), 1u);
    EXPECT_EQ(r.holidayTexts[0], "Marine");
    EXPECT_EQ(r.dayColour, kHolidayColour);
    EXPECT_EQ(r.ruleMemo, "Rule");
    r = Cell(13);  // 11 July, a Saturday with a personal holiday: the holiday colour
    ASSERT_EQ(r.holidayTexts.size(), 1u);
    EXPECT_EQ(r.holidayTexts[0], "Mine");
    EXPECT_EQ(r.dayColour, kHolidayColour);
    r = Cell(20);  // 18 July, a Saturday with only a holiday memo: the Saturday colour
    ASSERT_EQ(r.holidayTexts.size(), 1u);
    EXPECT_EQ(r.holidayTexts[0], "Note");
    EXPECT_EQ(r.dayColour, kSaturdayColour);
    EXPECT_EQ(r.ruleMemo, "");
    EXPECT_EQ(Cell(15, kWeekdayColour).dayColour, kWeekdayColour);
}

TEST_F(DayCell, SubstituteHolidayIsNamedFirst) {
    // 3 May 2026 (憲法記念日) is a Sunday: the 6th is the substitute holiday.
    WriteIni(dir.File("h.ini"), {"[SETTING]", "1=0,5,3,-1,0,0,0,0,0,0,Const", "2=0,5,4,-1,0,0,0,0,0,0,Green",
                                  "3=0,5,5,-1,0,0,0,0,0,0,Kids", "4=2,5,6,-1,0,0,0,0,0,0,Memo"});
    LoadHolidayRules(dir.File("h.ini").c_str());
    in.now = Date(2026, 5, 10);
    Lay();  // from 26 April
    DayCellRequest r = Cell(10);
    EXPECT_EQ(r.day, 6);
    ASSERT_EQ(r.holidayTexts.size(), 2u);
    EXPECT_EQ(r.holidayTexts[0], "振替休日");
    EXPECT_EQ(r.holidayTexts[1], "Memo");
    EXPECT_EQ(r.dayColour, kHolidayColour);
}

TEST_F(DayCell, MonthPrintedWithTheDay) {
    char text[16];
    st.settings.showMonth = 1;
    DayCellRequest r = Cell(0);
    DayNumberText(r, text, sizeof text);
    EXPECT_STREQ(text, "6/28");  // the first cell on show
    DayNumberText(Cell(3), text, sizeof text);
    EXPECT_STREQ(text, "7/1");
    DayNumberText(Cell(17), text, sizeof text);
    EXPECT_STREQ(text, "15");
    st.settings.showMonth = 2;
    DayNumberText(Cell(17), text, sizeof text);
    EXPECT_STREQ(text, "7/15");  // today too
    DayNumberText(Cell(18), text, sizeof text);
    EXPECT_STREQ(text, "16");
    st.settings.showMonth = 3;
    DayNumberText(Cell(18), text, sizeof text);
    EXPECT_STREQ(text, "7/16");
    st.settings.showMonth = 7;
    DayNumberText(Cell(0), text, sizeof text);
    EXPECT_STREQ(text, "28");
}

TEST_F(DayCell, MemoLines) {
    EXPECT_TRUE(WriteMemo(2026, 7, 20, " one\r\ntwo\r\n", false));
    DayCellRequest r = Cell(22);
    EXPECT_EQ(r.memo, " one\x7Ftwo");  // the leading-space marker is gone
    std::vector<std::string> lines = DayCellLines(r, EditOverlay{});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Rule");
    EXPECT_EQ(lines[1], " one");
    EXPECT_EQ(lines[2], "two");
    EXPECT_TRUE(DayCellLines(Cell(23), EditOverlay{}).empty());
    // While a text is typed for the day it shows that text, encoded as it would be stored (a
    // leading space kept without a marker, no empty line after the last break).
    EditOverlay typing{kCellDayBase + 23, 2026, 7, 21, " live\r\nmore\r\n"};
    lines = DayCellLines(Cell(23), typing);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], " live");
    EXPECT_EQ(lines[1], "more");
    EXPECT_EQ(DayMemoLineCount(Cell(23), typing), 2);
    EXPECT_EQ(DayMemoLineCount(Cell(23), EditOverlay{}), 1);  // an empty memo keeps room for a line
    // The rule memo stays above what is typed; another day keeps its own memo.
    typing = EditOverlay{kCellDayBase + 3, 2026, 7, 20, "typed"};
    EXPECT_EQ(DayCellLines(Cell(22), typing), (std::vector<std::string>{"Rule", "typed"}));
    EXPECT_EQ(DayMemoLineCount(Cell(22), typing), 2);
    EXPECT_EQ(DayCellLines(Cell(23), typing).size(), 0u);
    // The memo box being typed into changes no day.
    typing = EditOverlay{kCellMemoBox, 2026, 7, 20, "box"};
    EXPECT_EQ(DayCellLines(Cell(22), typing).size(), 3u);
}

// The layout gathers what every cell shows: its style, its rules' texts and its stored memo.
TEST_F(DayCell, TheLayoutGathersEveryCell) {
    ASSERT_EQ(view.days.size(), view.cells.size());
    EXPECT_EQ(view.days[22].holidayTexts, std::vector<std::string>{"Marine"});
    EXPECT_EQ(view.days[22].ruleMemo, "Rule");
    EXPECT_EQ(view.days[17].fontPlace, kFontToday);
    EXPECT_EQ(view.days[13].dayColour, kHolidayColour);
    EXPECT_EQ(view.days[20].dayColour, kSaturdayColour);  // the Saturday column
    EXPECT_EQ(view.days[20].memo, "");
    EXPECT_TRUE(WriteMemo(2026, 7, 18, " stored", false));
    Lay();
    EXPECT_EQ(view.days[20].memo, " stored");
    EXPECT_EQ(view.days[20].day, 18);
}

class TextRuns : public ::testing::Test {
protected:
    std::string Show(const char* text, bool alarm) const {
        std::string out;
        for (const TextRun& r : SplitTextRuns(tags, text, alarm))
            out += "[" + std::to_string(r.style) + ":" + std::string(text + r.start, static_cast<size_t>(r.length)) + "]";
        return out;
    }
    TagTable tags = {};
};

TEST_F(TextRuns, TagsSwitchTheStyleToTheEndOfTheLine) {
    CopyField(tags[1].word, sizeof tags[1].word, "★");
    EXPECT_EQ(Show("買い物★牛乳", false), "[-1:買い物][1:牛乳]");
    CopyField(tags[2].word, sizeof tags[2].word, "AB");
    CopyField(tags[3].word, sizeof tags[3].word, "ABC");
    EXPECT_EQ(Show("xABCD", false), "[-1:x][3:D]");
    EXPECT_EQ(Show("abd", false), "[2:d]");  // ASCII case does not matter
    CopyField(tags[4].word, sizeof tags[4].word, "abc");
    EXPECT_EQ(Show("ABCD", false), "[3:D]");  // equal length: the lower-numbered tag
    EXPECT_EQ(Show("", false), "");
    EXPECT_EQ(Show("★", false), "");
}

TEST_F(TextRuns, DoubleByteTagWordsMatchOnlyThemselves) {
    // 学 is 8A 77 and 蓋 8A 57, ア 83 41 and ヂ 83 61: the trail bytes differ only as w/W and A/a.
    CopyField(tags[1].word, sizeof tags[1].word, "学");
    EXPECT_EQ(Show("蓋の中", false), "[-1:蓋の中]");
    EXPECT_EQ(Show("蓋学x", false), "[-1:蓋][1:x]");
    CopyField(tags[2].word, sizeof tags[2].word, "ア");
    EXPECT_EQ(Show("ヂ y", false), "[-1:ヂ y]");
    CopyField(tags[3].word, sizeof tags[3].word, "todo");
    EXPECT_EQ(Show("a ToDo b", false), "[-1:a ][3: b]");  // ASCII letters still fold
}

TEST_F(TextRuns, AlarmTimesAreRunsOfTheirOwn) {
    EXPECT_EQ(Show("at 12:30 lunch", true), "[-1:at ][0:12:30][-1: lunch]");
    EXPECT_EQ(Show("at 12:30 lunch", false), "[-1:at 12:30 lunch]");
    EXPECT_EQ(Show("１２：３０です", true), "[0:１２：３０][-1:です]");
    EXPECT_EQ(Show("2012:30", true), "[-1:2012:30]");
    CopyField(tags[1].word, sizeof tags[1].word, "!");
    EXPECT_EQ(Show("!9:05 x", true), "[0:9:05][1: x]");
    // A lead byte at the very end stops the line; long stretches come in pieces.
    EXPECT_EQ(Show("ab\x82", false), "[-1:ab]");
    std::string longLine(600, 'x');
    std::vector<TextRun> runs = SplitTextRuns(tags, longLine.c_str(), false);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].length, kRunMaxBytes);
    EXPECT_EQ(runs[2].start + runs[2].length, 600);
}

TEST(CountdownPiecesAndHead, PiecesForEveryOffset) {
    char form[kCountdownFormFields][kCountdownFormSlot];
    ResetCountdownForm(form);
    std::vector<CountdownMemo> memos = {Countdown(2026, 7, 15, "Trip"), Countdown(2026, 7, 20, "Trip"),
                                        Countdown(2026, 7, 12, "Trip")};
    std::vector<CountdownLine> lines = LayCountdownLines(memos, form, DayNumberOf(2026, 7, 15), 19, 449, 15, 24);
    auto pieces = [](const CountdownLine& p) { return p.lead + "|" + p.number + "|" + p.tail; };
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(pieces(lines[0]), "||今日) Trip");
    EXPECT_EQ(pieces(lines[1]), "あと|5|日) Trip");
    EXPECT_EQ(pieces(lines[2]), "|3|日経過) Trip");
    EXPECT_EQ(lines[2].dateText, "2026/07/12 (");
    EXPECT_EQ(lines[2].top, 19 + 2 * 15);
    // A form of other words goes into the pieces as it stands.
    ApplyCountdownForm("[%d-%d-%d],<%s>,now,in ,d,,d ago", form);
    lines = LayCountdownLines(memos, form, DayNumberOf(2026, 7, 15), 19, 449, 15, 24);
    EXPECT_EQ(lines[1].dateText, "[2026-7-20]");
    EXPECT_EQ(pieces(lines[1]), "in |5|d<Trip>");
    EXPECT_EQ(pieces(lines[0]), "||now<Trip>");
    int ratios[7] = {1, 1, 1, 1, 1, 2, 2};
    HeadColumn c[7];
    HeadColumns(449, ratios, 9, c);
    EXPECT_EQ(c[0].left, 0);
    EXPECT_EQ(c[0].right, 49 + 1);
    EXPECT_EQ(c[5].left, 5 * 49);
    EXPECT_EQ(c[5].right, 5 * 49 + 99 + 1);
    EXPECT_EQ(c[6].right, 449);
}
}  // namespace
