// The calendar view model: navigation requests turned into the first visible day and the
// displayed month, row counts, extended rows, countdown lines and what is written back; pure
// functions of settings, design, navigation state, today and fixed text metrics.
#include "view/view_layout.h"

#include <gtest/gtest.h>

#include "calendar/today.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <new>
#include <string>

#include "app/startup.h"
#include "base/sjis.h"
#include "calendar/holiday_rules.h"
#include "calendar/month_model.h"
#include "config/design.h"
#include "config/profile_access.h"
#include "config/settings.h"
#include "tests/test_dates.h"
#include "tests/view/layout_files.h"

namespace {
class ViewLayout : public LayoutFiles {
protected:
    void TearDown() override {
        ReleaseHolidayRules();
        LayoutFiles::TearDown();
    }
    // Lays out at `now` (noon) and returns the first visible day as YYYYMMDD.
    int Layout(int y, int m, int d) {
        in.now = Date(y, m, d);
        Lay();
        return Ymd(view.firstDay);
    }
    int Step(int months, int rows = 0) {
        nav.monthRequest = months;
        nav.rowScrollRequest = rows;
        Lay();
        return Ymd(view.firstDay);
    }
    static int Ymd(const std::tm& t) { return (t.tm_year + 1900) * 10000 + (t.tm_mon + 1) * 100 + t.tm_mday; }
    int Shown() const { return Ymd(view.displayedMonth) / 100; }
    int Stored(const char* key) { return ProfileReadInt("CONFIG", key, -999, dir.File("t.ini").c_str()); }
    // Settings, design and kept height from the configuration file, as at start-up.
    void ReadConfig(std::initializer_list<const char*> lines) {
        WriteIni(dir.File("t.ini"), lines);
        UseConfig(dir.File("t.ini"));
        ReadSettings(&st);
        ReadDesign(&st);
        st.layout.winHeight = ReadConfigInt("WIN_HEIGHT_1024", 0);
    }
    // Lays out in a child first, stopped after ten seconds or half a gigabyte: a layout that
    // never ends fails the test instead of hanging the run or filling the memory.
    bool LaysOutInChild() {
        pid_t child = fork();
        if (child == 0) {
            alarm(10);
#ifndef __SANITIZE_ADDRESS__  // the sanitizer's shadow needs the address space; its RSS limit stands in
            rlimit limit = {512u << 20, 512u << 20};
            setrlimit(RLIMIT_AS, &limit);
#endif
            std::set_new_handler([] { _exit(3); });  // out of memory ends the child, not the test
            BuildLayout(st, nav, in);
            _exit(0);
        }
        int status = 0;
        return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
};

TEST_F(ViewLayout, TableWeeksAndColumnsByBeginWeek) {
    EXPECT_EQ(Layout(2026, 2, 10), 20260201);  // 28 days from a Sunday: four rows
    EXPECT_EQ(st.layout.rowCount, 4);
    EXPECT_EQ(view.sundayColumn, 0);
    EXPECT_EQ(view.saturdayColumn, 6);
    EXPECT_EQ(Layout(2026, 8, 20), 20260726);  // 31 days from a Saturday: six rows
    EXPECT_EQ(st.layout.rowCount, 6);
    ASSERT_EQ(view.model.entries.size(), 42u);  // one entry per cell
    st.settings.beginWeek = 1;
    EXPECT_EQ(Layout(2026, 2, 10), 20260126);  // the Monday on or before the 1st
    EXPECT_EQ(view.sundayColumn, 6);
    EXPECT_EQ(view.saturdayColumn, 5);
    st.settings.beginWeek = 6;
    EXPECT_EQ(Layout(2026, 2, 10), 20260131);
    EXPECT_EQ(view.sundayColumn, 1);
    EXPECT_EQ(view.saturdayColumn, 0);
}

TEST_F(ViewLayout, MonthStepsAcrossYearEndsAndBack) {
    Layout(2025, 12, 15);
    EXPECT_EQ(Step(+1), 20251228);
    EXPECT_EQ(Shown(), 202601);
    EXPECT_EQ(nav.monthOffset, 1);
    EXPECT_EQ(nav.monthRequest, 0);
    EXPECT_EQ(Step(+12), 20261227);
    EXPECT_EQ(Shown(), 202701);
    EXPECT_EQ(Step(-12), 20251228);
    EXPECT_EQ(Step(-1), 20251130);
    EXPECT_EQ(Shown(), 202512);
    EXPECT_EQ(nav.monthOffset, 0);
    EXPECT_EQ(Ymd(view.displayedMonth), 20251215);  // the current month keeps today's day
    EXPECT_EQ(Step(-1), 20251026);
    EXPECT_EQ(Ymd(view.displayedMonth), 20251101);
}

TEST_F(ViewLayout, RowStepsAreWholeWeeksInTheTable) {
    Layout(2026, 3, 10);  // March 2026 begins on a Sunday
    EXPECT_EQ(Step(0, 3), 20260308);
    EXPECT_TRUE(nav.scrolled);
    EXPECT_EQ(nav.dayOffset, 7);
    EXPECT_EQ(Step(0, -8), 20260222);  // fourteen days back: into February
    EXPECT_EQ(nav.monthOffset, -1);
    EXPECT_EQ(nav.dayOffset, 21);
    EXPECT_EQ(Shown(), 202602);
    EXPECT_EQ(Step(0, 7), 20260301);  // back at the default position
    EXPECT_FALSE(nav.scrolled);
    EXPECT_EQ(nav.monthOffset, 0);
    // Scrolling forward past the month's end makes the next month the displayed one.
    for (int i = 0; i < 5; ++i) Step(0, 1);
    EXPECT_EQ(Ymd(view.firstDay), 20260405);
    EXPECT_EQ(nav.monthOffset, 1);
    EXPECT_EQ(nav.dayOffset, 4);
    EXPECT_EQ(Shown(), 202604);
    // A previous-month step while scrolled forward goes to the displayed month's start.
    EXPECT_EQ(Step(-1), 20260329);
    EXPECT_EQ(Shown(), 202604);
    EXPECT_FALSE(nav.scrolled);
    EXPECT_EQ(Step(-1), 20260301);
    EXPECT_EQ(Shown(), 202603);
}

TEST_F(ViewLayout, ListRowsAndDays) {
    st.settings.calendarType = CalendarType::kList;
    EXPECT_EQ(Layout(2026, 2, 10), 20260201);
    EXPECT_EQ(st.layout.rowCount, 28);
    EXPECT_EQ(Step(0, 3), 20260204);
    EXPECT_EQ(st.layout.rowCount, 28);  // the window keeps its rows while scrolled
    EXPECT_EQ(Step(0, 26), 20260302);
    EXPECT_EQ(Shown(), 202603);
    EXPECT_EQ(Ymd(view.displayedMonth), 20260302);  // in the list the displayed month is the first day
    EXPECT_EQ(Step(+1), 20260401);
    EXPECT_FALSE(nav.scrolled);
    EXPECT_EQ(st.layout.rowCount, 30);
}

TEST_F(ViewLayout, TheLimitsOf1970And2100DropTheRequest) {
    Layout(2026, 5, 10);
    nav.monthOffset = -(2026 - 1970) * 12 - 4;  // January 1970
    Lay();
    EXPECT_EQ(Shown(), 197001);
    EXPECT_EQ(Ymd(view.firstDay), 19691228);  // the week before 1970 still shows
    EXPECT_EQ(view.model.entries.size(), 35u);
    // A memo an older version let that week hold is still shown.
    ASSERT_TRUE(WriteMemo(1969, 12, 31, "kept", false).ok());
    Lay();
    EXPECT_EQ(view.days[3].memo, "kept");
    EXPECT_FALSE(NavigationStepFits(st.settings, in.now, nav, -1, 0));
    EXPECT_FALSE(NavigationStepFits(st.settings, in.now, nav, 0, -1));
    EXPECT_TRUE(NavigationStepFits(st.settings, in.now, nav, 1, 0));
    EXPECT_TRUE(NavigationStepFits(st.settings, in.now, nav, 12, 0));
    EXPECT_EQ(Step(-1), 19691228);
    EXPECT_EQ(Shown(), 197001);
    EXPECT_EQ(nav.monthOffset, -(2026 - 1970) * 12 - 4);
    EXPECT_EQ(Step(0, -1), 19691228);  // a row back would start in 1969
    EXPECT_FALSE(nav.scrolled);
    EXPECT_EQ(nav.rowScrollRequest, 0);
    nav.monthOffset = (2035 - 2026) * 12 + 7;  // December 2035: on into 2036 and 2038
    Lay();
    EXPECT_EQ(Shown(), 203512);
    Step(+1);
    EXPECT_EQ(Shown(), 203601);
    Step(+12);
    Step(+12);
    EXPECT_EQ(Shown(), 203801);
    EXPECT_EQ(Ymd(view.firstDay), 20371227);
    nav.monthOffset = (2099 - 2026) * 12 + 7;  // December 2099
    Lay();
    EXPECT_EQ(Shown(), 209912);
    EXPECT_EQ(Ymd(view.firstDay), 20991129);
    EXPECT_FALSE(NavigationStepFits(st.settings, in.now, nav, 1, 0));
    EXPECT_FALSE(NavigationStepFits(st.settings, in.now, nav, 12, 0));
    EXPECT_TRUE(NavigationStepFits(st.settings, in.now, nav, -1, 0));
    EXPECT_TRUE(NavigationStepFits(st.settings, in.now, nav, 0, 7));
    Step(+1);
    EXPECT_EQ(Shown(), 209912);
    Step(+12);
    EXPECT_EQ(Shown(), 209912);
    EXPECT_EQ(Ymd(view.firstDay), 20991129);
    for (int i = 0; i < 4; ++i) Step(0, 7);  // down to the last week of 2099 ...
    EXPECT_TRUE(nav.scrolled);
    EXPECT_EQ(nav.dayOffset, 28);
    EXPECT_EQ(Ymd(view.firstDay), 20991227);
    EXPECT_FALSE(NavigationStepFits(st.settings, in.now, nav, 0, 7));
    Step(0, 7);  // ... but not into 2100
    EXPECT_EQ(nav.dayOffset, 28);
    EXPECT_EQ(Ymd(view.firstDay), 20991227);
    // A year back from June 2099 and a year on from it: the one stays, the other is dropped.
    nav = NavigationState{};
    nav.monthOffset = (2099 - 2026) * 12 + 1;
    Lay();
    EXPECT_EQ(Shown(), 209906);
    EXPECT_FALSE(NavigationStepFits(st.settings, in.now, nav, 12, 0));
    EXPECT_TRUE(NavigationStepFits(st.settings, in.now, nav, -12, 0));
}

// A month of 2099 is laid out as any other month that starts on the same weekday and has as
// many days: December 2099 and December 2026 both begin on a Tuesday.
TEST_F(ViewLayout, AMonthOf2099HasTheGeometryOfAnyOther) {
    ASSERT_TRUE(WriteMemo(2099, 12, 31, "last day", false).ok());
    ASSERT_TRUE(WriteMemo(2026, 12, 31, "last day", false).ok());
    Layout(2026, 12, 10);
    std::vector<CellRect> cells2026 = view.cells;
    LayoutMetrics metrics2026 = st.layout;
    nav.monthOffset = (2099 - 2026) * 12;
    Lay();
    ASSERT_EQ(Shown(), 209912);
    ASSERT_EQ(view.cells.size(), cells2026.size());
    for (size_t i = 0; i < cells2026.size(); ++i) {
        EXPECT_EQ(view.cells[i].left, cells2026[i].left) << i;
        EXPECT_EQ(view.cells[i].top, cells2026[i].top) << i;
        EXPECT_EQ(view.cells[i].right, cells2026[i].right) << i;
        EXPECT_EQ(view.cells[i].bottom, cells2026[i].bottom) << i;
    }
    EXPECT_EQ(st.layout.rowCount, metrics2026.rowCount);
    EXPECT_EQ(st.layout.winWidth, metrics2026.winWidth);
    EXPECT_EQ(st.layout.winHeight, metrics2026.winHeight);
    EXPECT_EQ(view.days[32].year * 10000 + view.days[32].month * 100 + view.days[32].day, 20991231);
    EXPECT_EQ(view.days[32].memo, "last day");
    EXPECT_EQ(view.days[34].year * 10000 + view.days[34].month * 100 + view.days[34].day, 21000102);
}

TEST_F(ViewLayout, TodayOnTopInTheList) {
    st.settings.calendarType = CalendarType::kList;
    st.settings.listTodayTop = 1;
    EXPECT_EQ(Layout(2026, 2, 10), 20260210);
    EXPECT_EQ(st.layout.rowCount, 31);
    EXPECT_EQ(Step(0, 1), 20260211);
    EXPECT_TRUE(nav.scrolled);
    EXPECT_EQ(nav.dayOffset, 10);
    EXPECT_EQ(Step(0, -1), 20260210);
    EXPECT_FALSE(nav.scrolled);
    // The first step back shows the start of the current month hidden above today.
    EXPECT_EQ(Step(-1), 20260201);
    EXPECT_EQ(nav.monthOffset, -1);
    EXPECT_EQ(Step(-1), 20260101);
    EXPECT_EQ(Step(+1), 20260201);
    EXPECT_EQ(Step(+1), 20260210);
    EXPECT_EQ(nav.monthOffset, 0);
}

TEST_F(ViewLayout, TodayOnTopInTheTable) {
    st.settings.listTodayTop = 1;
    EXPECT_EQ(Layout(2026, 2, 18), 20260215);  // a Wednesday: its week
    EXPECT_EQ(st.layout.rowCount, 5);
    EXPECT_EQ(Step(-1), 20260201);  // the hidden start of February first
    EXPECT_EQ(Shown(), 202602);
    EXPECT_EQ(Step(-1), 20251228);  // then January
    EXPECT_EQ(Shown(), 202601);
    EXPECT_EQ(Step(+1), 20260201);
    EXPECT_EQ(Step(+1), 20260215);
    EXPECT_EQ(Step(0, 1), 20260222);
    EXPECT_TRUE(nav.scrolled);
    EXPECT_EQ(Step(0, -1), 20260215);
    EXPECT_FALSE(nav.scrolled);
    // Early in the month nothing is hidden: the first step back is the month before.
    EXPECT_EQ(Layout(2026, 3, 2), 20260301);
    EXPECT_EQ(Step(-1), 20260201);
    EXPECT_EQ(Shown(), 202602);
}

TEST_F(ViewLayout, KeptHeightCutsTheLastRow) {
    st.settings.keepWinHeight = 1;
    st.layout.winHeight = 300;  // 206 pixels for rows of 75
    Layout(2026, 2, 10);
    EXPECT_EQ(st.layout.rowCount, 3);
    EXPECT_EQ(st.layout.winHeight, 300);
    ASSERT_EQ(view.cells.size(), 21u);
    EXPECT_EQ(view.cells[14].bottom, 300 - 60);  // the memo box begins one pixel above
    EXPECT_EQ(view.memoBox.top, 300 - 61);
}

TEST_F(ViewLayout, ExtendedRowsFollowTheirMemoLines) {
    st.settings.cellRowExtend = 1;
    Layout(2026, 2, 10);
    EXPECT_EQ(st.layout.winHeight, 4 * 75 + 94);  // no memo is longer than CELL_LINE
    EXPECT_TRUE(WriteMemo(2026, 2, 11, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7", false));
    EXPECT_TRUE(WriteMemo(2026, 2, 2, "1\r\n2\r\n3\r\n4", false));
    Layout(2026, 2, 10);
    ASSERT_EQ(view.cells.size(), 28u);
    EXPECT_EQ(view.cells[0].bottom - view.cells[0].top, 75);  // four lines: CELL_LINE
    EXPECT_EQ(view.cells[7].bottom - view.cells[7].top, 7 * 15 + 15);
    EXPECT_EQ(view.cells[13].bottom - view.cells[13].top, 7 * 15 + 15);
    EXPECT_EQ(view.cells[14].top, 33 + 75 + 120);
    EXPECT_EQ(st.layout.winHeight, 3 * 75 + 120 + 94);
    EXPECT_EQ(st.layout.winWidth, 449);
    // A date-memo rule adds its line; the cell being edited counts what is typed.
    WriteIni(dir.File("t_holiday.ini"), {"[SETTING]", "1=3,2,4,-1,0,0,0,0,0,0,rule"});
    LoadHolidayRules(dir.File("t_holiday.ini").c_str());
    EXPECT_TRUE(WriteMemo(2026, 2, 4, "1\r\n2\r\n3\r\n4", false));
    in.editing = EditOverlay{kCellDayBase + 24, 2026, 2, 25, "a\r\nb\r\nc\r\nd\r\ne"};
    Layout(2026, 2, 10);
    EXPECT_EQ(view.cells[0].bottom - view.cells[0].top, 5 * 15 + 15);
    EXPECT_EQ(view.cells[21].bottom - view.cells[21].top, 5 * 15 + 15);
    EXPECT_EQ(view.days[24].memo, "");  // the view keeps what is stored
    in.editing = EditOverlay{};
    // The list: a day of three lines is two memo lines higher.
    st.settings.calendarType = CalendarType::kList;
    EXPECT_TRUE(WriteMemo(2026, 2, 3, "a\r\nb\r\nc", false));
    Layout(2026, 2, 10);
    EXPECT_EQ(view.cells[2].bottom - view.cells[2].top, 15 + 2 * 15);
    EXPECT_EQ(view.cells[0].bottom - view.cells[0].top, 15);
    EXPECT_EQ(st.layout.winWidth, 121);
}

TEST_F(ViewLayout, ExtendedRowsFillAKeptHeight) {
    st.settings.cellRowExtend = 1;
    st.settings.keepWinHeight = 1;
    st.layout.winHeight = 300;
    EXPECT_TRUE(WriteMemo(2026, 2, 2, "1\r\n2\r\n3\r\n4\r\n5\r\n6", false));
    Layout(2026, 2, 10);
    // 206 pixels: a row of 105 and one of 75 and a third one cut at the memo box.
    EXPECT_EQ(st.layout.rowCount, 3);
    EXPECT_EQ(st.layout.winHeight, 300);
    EXPECT_EQ(view.cells[0].bottom, 33 + 105);
    EXPECT_EQ(view.cells[14].bottom, 300 - 60);
    st.layout.winHeight = 20;  // below the fixed bands
    Layout(2026, 2, 10);
    EXPECT_EQ(st.layout.rowCount, 1);
    EXPECT_EQ(st.layout.winHeight, 94);
}

TEST_F(ViewLayout, HandEditedSizesStillEndWithFewerCellsThanIds) {
    in.now = Date(2026, 2, 10);
    // A negative memo font makes every extended row -185 pixels high: rows of a pixel each fill
    // the 506 pixels the kept height leaves them.
    ReadConfig({"[CONFIG]", "CELL_ROW_EXTEND=1", "KEEP_WIN_HEIGHT=1", "WIN_HEIGHT_1024=600", "[FONTS]",
                "DMEMO=ＭＳ Ｐゴシック,-40,0,0,0,0"});
    ASSERT_TRUE(LaysOutInChild());
    Lay();
    EXPECT_EQ(st.layout.rowCount, 506);
    EXPECT_EQ(view.cells.size(), 506u * 7);
    EXPECT_EQ(st.layout.winHeight, 600);
    // A taller kept height stops at the 4095 cells an id can tell apart (585 weeks).
    ReadConfig({"[CONFIG]", "CELL_ROW_EXTEND=1", "KEEP_WIN_HEIGHT=1", "WIN_HEIGHT_1024=100000", "[FONTS]",
                "DMEMO=ＭＳ Ｐゴシック,-40,0,0,0,0"});
    ASSERT_TRUE(LaysOutInChild());
    Lay();
    EXPECT_EQ(view.cells.size(), 4095u);
    // So does the plain table and the list under a hand-edited window height.
    ReadConfig({"[CONFIG]", "KEEP_WIN_HEIGHT=1", "WIN_HEIGHT_1024=2000000000"});
    ASSERT_TRUE(LaysOutInChild());
    Lay();
    EXPECT_EQ(view.cells.size(), 4095u);
    ReadConfig({"[CONFIG]", "CALENDAR_TYPE=1", "KEEP_WIN_HEIGHT=1", "WIN_HEIGHT_1024=2000000000"});
    ASSERT_TRUE(LaysOutInChild());
    Lay();
    EXPECT_EQ(view.cells.size(), 4095u);
}

TEST_F(ViewLayout, CountdownLinesAndTheirNumberColumns) {
    CountdownList list = {};
    ResetCountdownForm(list.form);
    list.memos = {Countdown(2026, 2, 15, "soon"), Countdown(2025, 10, 13, "long ago"),  // -120
                  Countdown(2026, 5, 21, "far")};                                              // 100
    in.countdowns = &list;
    Layout(2026, 2, 10);
    EXPECT_EQ(st.layout.cdownHeight, 3 * 15);
    ASSERT_EQ(view.cells.size(), 28u);
    EXPECT_EQ(view.cells[0].top, 19 + 45 + 14);
    EXPECT_EQ(st.layout.winHeight, 4 * 75 + 94 + 45);
    const auto& c = view.countdowns;
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[0].dayOffset, 5);
    EXPECT_EQ(c[1].dayOffset, -120);
    EXPECT_EQ(c[2].dayOffset, 100);
    EXPECT_EQ(c[0].numberWidth, 24 * 3 / 4);  // "0000" is 24: three digits of the largest count
    EXPECT_EQ(c[1].numberWidth, 24 * 3 / 4);
    EXPECT_EQ(c[1].top, 19 + 15);
    EXPECT_EQ(c[1].bottom, 19 + 30);
    EXPECT_EQ(c[1].right, 449);
    EXPECT_EQ(c[1].dateText, "2025/10/13 (");
    // The pieces after the date: the word before the count, the count, its unit with the text.
    EXPECT_EQ(c[1].lead, "");
    EXPECT_EQ(c[1].number, "120");
    EXPECT_EQ(c[1].tail, "日経過) long ago");
    EXPECT_EQ(c[0].lead, "あと");
    EXPECT_EQ(c[0].number, "5");
    EXPECT_EQ(c[0].tail, "日) soon");
    // The list itself is left as it was handed.
    EXPECT_EQ(list.memos.size(), 3u);
    EXPECT_STREQ(list.memos[1].text, "long ago");
    list.memos = {Countdown(2026, 2, 10, "today"), Countdown(2026, 2, 9, "yesterday")};
    Layout(2026, 2, 10);
    ASSERT_EQ(view.countdowns.size(), 2u);
    EXPECT_EQ(view.countdowns[0].numberWidth, 6);  // at least one digit each side
    EXPECT_EQ(view.countdowns[1].numberWidth, 6);
    EXPECT_EQ(view.countdowns[0].number, "");
    EXPECT_EQ(view.countdowns[0].tail, "今日) today");
    // Counted against the day laid out for: a day later, one day more has passed.
    Layout(2026, 2, 11);
    EXPECT_EQ(view.countdowns[1].dayOffset, -2);
    EXPECT_EQ(view.countdowns[1].number, "2");
    // None handed, no band.
    in.countdowns = nullptr;
    Layout(2026, 2, 10);
    EXPECT_TRUE(view.countdowns.empty());
    EXPECT_EQ(st.layout.cdownHeight, 0);
}

TEST_F(ViewLayout, TopDateOnlyAwayFromTheDefaultAndAnchoringBack) {
    st.settings.dayscrollKeep = 1;
    Layout(2026, 2, 10);
    EXPECT_EQ(result.topDate, 0);
    EXPECT_EQ(result.windowHeight, st.layout.winHeight);
    Step(0, 9);
    EXPECT_EQ(result.topDate, DayNumberOf(2026, 2, 15));
    Step(0, -9);
    EXPECT_EQ(result.topDate, 0);
    Step(+2);
    int top = result.topDate;
    EXPECT_EQ(top, DayNumberOf(2026, 3, 29));
    st.settings.dayscrollKeep = 0;
    Step(0, 1);
    EXPECT_EQ(result.topDate, 0);
    // The next start brings the first day back, in each form and mode.
    for (int form = 0; form < 2; ++form) {
        for (int todayTop = 0; todayTop < 2; ++todayTop) {
            st.settings.calendarType = static_cast<CalendarType>(form);
            st.settings.listTodayTop = todayTop;
            int first = DayNumberOf(2026, 4, 12);
            ResetNavigation(&nav);
            AnchorFirstDay(&nav, first, st.settings, Date(2026, 2, 10));
            EXPECT_EQ(Layout(2026, 2, 10), 20260412) << form << todayTop;
            ResetNavigation(&nav);
            AnchorFirstDay(&nav, DayNumberOf(2026, 1, 18), st.settings, Date(2026, 2, 10));
            EXPECT_EQ(Layout(2026, 2, 10), 20260118) << form << todayTop;
        }
    }
}

TEST_F(ViewLayout, MidnightKeepsAScrolledFirstDay) {
    st.settings.calendarType = CalendarType::kList;
    Layout(2025, 12, 31);
    Step(+1);
    EXPECT_EQ(Ymd(view.firstDay), 20260101);
    // At midnight the month of "now" moves on: the view keeps its first day.
    ReanchorAtMidnight(&nav, view.firstDay, st.settings, Date(2026, 1, 1));
    EXPECT_EQ(Layout(2026, 1, 1), 20260101);
    EXPECT_EQ(nav.monthOffset, 0);
    EXPECT_FALSE(nav.scrolled);
    Step(0, 3);
    ReanchorAtMidnight(&nav, view.firstDay, st.settings, Date(2026, 1, 2));
    EXPECT_EQ(Layout(2026, 1, 2), 20260104);
    // Unmoved, the view simply follows the new day.
    ResetNavigation(&nav);
    st.settings.calendarType = CalendarType::kTable;
    Layout(2026, 1, 31);
    ReanchorAtMidnight(&nav, view.firstDay, st.settings, Date(2026, 2, 1));
    EXPECT_EQ(Layout(2026, 2, 1), 20260201);
}

TEST(CivilDates, DayNumbersAndNormalising) {
    EXPECT_EQ(DayNumberOf(1970, 1, 1), 0);
    EXPECT_EQ(DayNumberOf(1969, 12, 31), -1);
    EXPECT_EQ(DayNumberOf(2024, 1, 1), 19723);
    EXPECT_EQ(DayNumberOf(2024, 13, 1), DayNumberOf(2025, 1, 1));
    EXPECT_EQ(DayNumberOf(2024, 3, 0), DayNumberOf(2024, 2, 29));
    EXPECT_EQ(DayNumberOf(2024, 0, 1), DayNumberOf(2023, 12, 1));
    EXPECT_EQ(DayNumberOf(2024, -13, 1), DayNumberOf(2022, 11, 1));
    std::tm t{};
    t.tm_year = 69;
    t.tm_mon = 11;
    t.tm_mday = 28 + 7;
    t.tm_hour = 12;
    std::tm n = NormaliseDate(t);
    EXPECT_EQ(n.tm_year, 70);
    EXPECT_EQ(n.tm_mon, 0);
    EXPECT_EQ(n.tm_mday, 4);
    EXPECT_EQ(n.tm_wday, 0);  // 4 January 1970 was a Sunday
    EXPECT_EQ(n.tm_yday, 3);
    EXPECT_EQ(n.tm_hour, 12);
    EXPECT_EQ(AddDays(n, -7).tm_wday, 0);
    EXPECT_EQ(AddDays(n, -7).tm_mday, 28);
    for (int d = -800; d < 25000; d += 37) {
        int y, m, dd;
        DateOfDayNumber(d, &y, &m, &dd);
        ASSERT_EQ(DayNumberOf(y, m, dd), d);
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

TEST(CivilDates, LocalDayNumbers) {
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
    s.calendarType = CalendarType::kList;
    EXPECT_EQ(LocalDayNumber(Date(2026, 2, 10)), LocalDayNumber(DefaultFirstDay(s, now)));
}

// A fresh configuration file per test, and a design of 9-point fonts on a 96 dpi screen:
// every text line is 15 pixels, the title 19 (large buttons), the weekday head 14.
TEST_F(ViewLayout, TableRowsFollowTheWeeksOfTheMonth) {
    in.now = Date(2026, 2, 10);  // February 2026: 28 days from a Sunday
    Lay();
    EXPECT_EQ(4, st.layout.rowCount);
    EXPECT_EQ(449, st.layout.winWidth);
    EXPECT_EQ(19, st.layout.titleHeight);
    EXPECT_EQ(14, st.layout.headHeight);
    EXPECT_EQ(4 * 75 + 19 + 14 + 60 + 1, st.layout.winHeight);
    EXPECT_EQ(LocalDayNumber(Date(2026, 2, 1)), LocalDayNumber(view.firstDay));
    EXPECT_EQ(LocalDayNumber(Date(2026, 2, 10)), result.today.dayNumber);

    in.now = Date(2026, 8, 20);  // August 2026: 31 days from a Saturday
    Lay();
    EXPECT_EQ(6, st.layout.rowCount);
    EXPECT_EQ(LocalDayNumber(Date(2026, 7, 26)), LocalDayNumber(view.firstDay));

    st.settings.beginWeek = 1;  // weeks from Monday: February starts in January's last week
    in.now = Date(2026, 2, 10);
    Lay();
    EXPECT_EQ(5, st.layout.rowCount);
    EXPECT_EQ(LocalDayNumber(Date(2026, 1, 26)), LocalDayNumber(view.firstDay));
}

TEST_F(ViewLayout, MetricsFollowFontSizesAndResolution) {
    in.now = Date(2026, 2, 10);
    st.design.fonts[kFontTitle].logFont.lfHeight = 20;  // 27 px: above the buttons
    st.design.fonts[kFontHoli].logFont.lfHeight = 12;   // the largest day-number font counts
    in.logPixelsY = 96;
    Lay();
    EXPECT_EQ(29, st.layout.titleHeight);
    EXPECT_EQ(19, st.layout.dayLineHeight);
    EXPECT_EQ(15, st.layout.memoLineHeight);

    st.design.fonts[kFontTitle].logFont.lfHeight = 9;
    st.settings.btnSize = 0;  // small buttons are 10 high: the 12 px title font wins
    in.buttonHeight = ButtonBitmapHeight(0);
    Lay();
    EXPECT_EQ(14, st.layout.titleHeight);

    in.logPixelsY = 120;  // 9 pt = 15 px
    Lay();
    EXPECT_EQ(18, st.layout.memoLineHeight);
    EXPECT_EQ(18, st.layout.memoBoxLineHeight);
}

TEST_F(ViewLayout, ListHasOneRowPerDayOfTheMonth) {
    st.settings.calendarType = CalendarType::kList;
    in.now = Date(2026, 2, 10);
    Lay();
    EXPECT_EQ(28, st.layout.rowCount);
    EXPECT_EQ(121, st.layout.winWidth);
    EXPECT_EQ(0, st.layout.headHeight);
    EXPECT_EQ(28 * 15 + 19 + 60 + 1, st.layout.winHeight);
    ASSERT_EQ(28u, view.cells.size());
    EXPECT_EQ(120, view.cells[0].right);
    EXPECT_EQ(19, view.cells[0].top);

    in.now = Date(2026, 3, 31);
    Lay();
    EXPECT_EQ(31, st.layout.rowCount);
}

TEST_F(ViewLayout, CellsSplitTheWidthAndStopAtTheMemoBox) {
    in.now = Date(2026, 2, 10);
    Lay();
    ASSERT_EQ(28u, view.cells.size());
    EXPECT_EQ(0, view.cells[0].left);
    EXPECT_EQ(64, view.cells[0].right);
    EXPECT_EQ(33, view.cells[0].top);
    EXPECT_EQ(108, view.cells[0].bottom);
    EXPECT_EQ(448, view.cells[6].right);
    EXPECT_EQ(33 + 75, view.cells[7].top);
    EXPECT_EQ(st.layout.winHeight - 61, view.memoBox.top);
    EXPECT_EQ(st.layout.winHeight, view.memoBox.bottom);
}

TEST_F(ViewLayout, KeptHeightDecidesTheRowCount) {
    in.now = Date(2026, 2, 10);
    st.settings.keepWinHeight = 1;
    st.layout.winHeight = 300;  // 206 pixels for rows of 75: three rows, the last one cut
    Lay();
    EXPECT_EQ(3, st.layout.rowCount);
    EXPECT_EQ(300, st.layout.winHeight);
    EXPECT_EQ(240, view.cells[14].bottom);

    st.layout.winHeight = 50;  // below the fixed bands: one row, the fixed height
    Lay();
    EXPECT_EQ(1, st.layout.rowCount);
    EXPECT_EQ(94, st.layout.winHeight);

    st.layout.winHeight = 0;  // nothing stored: the calendar decides
    Lay();
    EXPECT_EQ(4, st.layout.rowCount);
}

TEST_F(ViewLayout, TheShellKeepsHeightPerScreenAndTopDate) {
    in.now = Date(2026, 2, 10);
    StoreLayoutResult(Lay(), 1024);
    EXPECT_EQ(st.layout.winHeight, Stored("WIN_HEIGHT_1024"));
    EXPECT_EQ(-999, Stored("WIN_HEIGHT_1080"));
    EXPECT_EQ(0, Stored("TOP_DATE"));

    st.settings.calendarType = CalendarType::kList;
    StoreLayoutResult(Lay(), 1080);
    EXPECT_EQ(st.layout.winHeight, Stored("WIN_HEIGHT_1080"));
    EXPECT_NE(Stored("WIN_HEIGHT_1024"), Stored("WIN_HEIGHT_1080"));
}

}  // namespace
