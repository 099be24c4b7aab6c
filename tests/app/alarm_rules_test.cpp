// The minute timer's decisions on real memo files: which lines are due in a window, the day and
// time alarm texts and captions, and how the reference time moves.
#include "app/alarm_rules.h"

#include <gtest/gtest.h>

#include "calendar/today.h"

#include <string>

#include "app/minute_timer.h"
#include "app/startup.h"
#include "app/tray_text.h"
#include "base/sjis.h"
#include "config/design.h"
#include "config/tags.h"
#include "tests/memo/memo_files.h"

namespace {
std::tm At(int y, int mo, int d, int h, int mi, int s = 0) {
    std::tm t{};
    t.tm_year = y - 1900;
    t.tm_mon = mo - 1;
    t.tm_mday = d;
    t.tm_hour = h;
    t.tm_min = mi;
    t.tm_sec = s;
    t.tm_isdst = -1;
    std::mktime(&t);
    return t;
}

std::string Match(const char* text, int h1, int m1, int h2, int m2, bool lines) {
    std::string r;
    MatchAlarmLines(text, h1, m1, h2, m2, lines, &r);
    return r;
}

TEST(AlarmWindow, WholeTextOrSingleLines) {
    const char* memo = "9:00 call\r\nlunch\r\n9:05 mail";
    EXPECT_EQ(Match(memo, 9, 0, 9, 0, true), "9:00 call");
    EXPECT_EQ(Match(memo, 9, 5, 9, 5, true), "9:05 mail");
    EXPECT_EQ(Match(memo, 9, 1, 9, 4, true), "");
    EXPECT_EQ(Match(memo, 9, 0, 9, 0, false), memo);
    EXPECT_EQ(Match(memo, 9, 5, 9, 5, false), memo);  // the second time counts too
    EXPECT_EQ(Match(memo, -1, -1, -1, -1, true), "9:00 call\r\n9:05 mail");
    EXPECT_EQ(Match(memo, 9, 3, -1, 0, true), "9:05 mail");
    // Times that are no times, and a line whose second time is in the window.
    EXPECT_EQ(Match("24:00 x\r\n12:34:56 y\r\n2012:30 z\r\n8:00 or 12:34", 12, 34, 12, 34, true),
              "12:34:56 y\r\n8:00 or 12:34");
    std::string acc = "before";
    MatchAlarmLines("１２：３０ 全角", 12, 30, 12, 30, true, &acc);
    EXPECT_EQ(acc, "before\r\n１２：３０ 全角");
}

TEST(AlarmWindow, DayAlarmTimes) {
    EXPECT_TRUE(IsDayAlarmDue(true, 1, "", 8, 0));
    EXPECT_FALSE(IsDayAlarmDue(false, 1, "", 8, 0));
    EXPECT_FALSE(IsDayAlarmDue(true, 0, "", 8, 0));
    EXPECT_TRUE(IsDayAlarmDue(false, 0, "12:00,18:30", 18, 30));
    EXPECT_TRUE(IsDayAlarmDue(false, 0, "12:00,18:30", 12, 0));
    EXPECT_FALSE(IsDayAlarmDue(false, 0, "12:00,18:30", 18, 3));
    EXPECT_FALSE(IsDayAlarmDue(false, 0, "", 0, 0));
    EXPECT_EQ(NextMinuteTimerDelay(At(2025, 1, 1, 8, 0, 0)), 61000);
    EXPECT_EQ(NextMinuteTimerDelay(At(2025, 1, 1, 8, 0, 59)), 2000);
}

class Alarms : public MemoFiles {
protected:
    void SetUp() override {
        MemoFiles::SetUp();
        for (TagStyle& t : g_tags) t = TagStyle{};
        ResetAppState(&g_app);
        UseConfig(dir.File("t.ini"));  // no file: the default design and its weekday names
        ReadDesign(&g_app);
        g_app.design.memoRow = 4;
        g_app.settings.alarmTime = 5;
        ResetCountdownForm(form_);
    }
    void TearDown() override {
        for (TagStyle& t : g_tags) t = TagStyle{};
        MemoFiles::TearDown();
    }
    char form_[kCountdownFormFields][kCountdownFormSlot];
};

TEST_F(Alarms, DayAlarmWithCountdownLinesAndTagsRemoved) {
    std::tm now = At(2025, 12, 22, 8, 0);
    AlarmNotice n;
    EXPECT_FALSE(ComposeDayAlarm(now, g_app, form_, &n));  // nothing today, no countdowns
    EXPECT_TRUE(WriteMemo(2025, 12, 22, "!!dentist", false));
    CopyField(g_tags[1].word, sizeof g_tags[1].word, "!!");
    ASSERT_TRUE(ComposeDayAlarm(now, g_app, form_, &n));
    EXPECT_EQ(n.text, "dentist");
    EXPECT_EQ(n.caption, "12/22(MON)");
    AddCountdown(2025, 12, 25, "Trip");
    AddCountdown(2025, 12, 30, "Far");
    AddCountdown(2025, 12, 20, "Past");
    g_app.settings.alarmCdown = 1;
    g_app.settings.alarmCdownDay = 7;
    ASSERT_TRUE(ComposeDayAlarm(now, g_app, form_, &n));
    EXPECT_EQ(n.text, "2025/12/25 (あと3日) Trip\r\n\r\ndentist");
    g_app.settings.alarmCdownPast = 1;
    ASSERT_TRUE(ComposeDayAlarm(now, g_app, form_, &n));
    EXPECT_EQ(n.text, "2025/12/25 (あと3日) Trip\r\n2025/12/20 (2日経過) Past\r\n\r\ndentist");
    EXPECT_TRUE(WriteMemo(2025, 12, 22, "", false));
    ASSERT_TRUE(ComposeDayAlarm(now, g_app, form_, &n));
    EXPECT_EQ(n.text, "2025/12/25 (あと3日) Trip\r\n2025/12/20 (2日経過) Past\r\n");
    // The lines count from the day the alarm is for, as its memo is that day's.
    ASSERT_TRUE(ComposeDayAlarm(At(2025, 12, 24, 0, 0), g_app, form_, &n));
    EXPECT_EQ(n.text,
              "2025/12/25 (あと1日) Trip\r\n2025/12/30 (あと6日) Far\r\n2025/12/20 (4日経過) Past\r\n");
}

TEST_F(Alarms, TimeAlarmMovesItsReferenceMinuteByMinute) {
    EXPECT_TRUE(WriteMemo(2025, 3, 3, "14:00 meeting\r\nnotes", false));
    g_app.settings.alarmShow = AlarmShow::kTimedLines;
    std::tm ref = At(2025, 3, 3, 13, 58);  // start at 13:53 with ALARM_TIME 5
    AlarmNotice n;
    EXPECT_FALSE(ComposeTimeAlarm(At(2025, 3, 3, 13, 54, 1), &ref, g_app.settings, &n));
    EXPECT_EQ(ref.tm_hour * 60 + ref.tm_min, 13 * 60 + 59);
    ASSERT_TRUE(ComposeTimeAlarm(At(2025, 3, 3, 13, 55, 1), &ref, g_app.settings, &n));
    EXPECT_EQ(n.text, "14:00 meeting");
    EXPECT_EQ(n.caption, "3/3 13:55");
    EXPECT_FALSE(ComposeTimeAlarm(At(2025, 3, 3, 13, 56, 1), &ref, g_app.settings, &n));
    // Switched off for a while: the next run reaches back to the reference time.
    ref = At(2025, 3, 3, 8, 5);
    g_app.settings.alarmShow = AlarmShow::kWholeMemo;
    ASSERT_TRUE(ComposeTimeAlarm(At(2025, 3, 3, 14, 0, 1), &ref, g_app.settings, &n));
    EXPECT_EQ(n.text, "14:00 meeting\r\nnotes");
}

TEST_F(Alarms, TheWindowCrossesMidnight) {
    EXPECT_TRUE(WriteMemo(2025, 3, 4, "0:00 early\r\n0:02 later", false));
    EXPECT_TRUE(WriteMemo(2025, 3, 3, "23:59 late", false));
    g_app.settings.alarmShow = AlarmShow::kTimedLines;
    std::tm ref = At(2025, 3, 3, 23, 58);
    AlarmNotice n;
    ASSERT_TRUE(ComposeTimeAlarm(At(2025, 3, 3, 23, 54, 1), &ref, g_app.settings, &n));
    EXPECT_EQ(n.text, "23:59 late");
    ASSERT_TRUE(ComposeTimeAlarm(At(2025, 3, 3, 23, 55, 1), &ref, g_app.settings, &n));
    EXPECT_EQ(n.text, "0:00 early");
    EXPECT_EQ(ref.tm_mday, 4);
    EXPECT_FALSE(ComposeTimeAlarm(At(2025, 3, 3, 23, 56, 1), &ref, g_app.settings, &n));
    ASSERT_TRUE(ComposeTimeAlarm(At(2025, 3, 3, 23, 57, 1), &ref, g_app.settings, &n));
    EXPECT_EQ(n.text, "0:02 later");
    // A box left open from 10:00 to 10:20: the reference restarts at 10:25.
    ref = AddMinutes(At(2025, 3, 4, 10, 20, 30), 5);
    EXPECT_TRUE(WriteMemo(2025, 3, 4, "10:24 skipped\r\n10:26 shown", false));
    ASSERT_TRUE(ComposeTimeAlarm(At(2025, 3, 4, 10, 21, 1), &ref, g_app.settings, &n));
    EXPECT_EQ(n.text, "10:26 shown");
}

// A shorter look-ahead: the lines up to the old window's end were announced already, so none of
// them comes again, and the reference waits until the window passes it.
TEST_F(Alarms, AShorterLookAheadAnnouncesNothingTwice) {
    EXPECT_TRUE(WriteMemo(2025, 3, 3, "10:10 call\r\n10:40 mail", false));
    g_app.settings.alarmShow = AlarmShow::kTimedLines;
    g_app.settings.alarmTime = 30;
    std::tm ref = At(2025, 3, 3, 9, 59);
    AlarmNotice n;
    ASSERT_TRUE(ComposeTimeAlarm(At(2025, 3, 3, 10, 0, 1), &ref, g_app.settings, &n));
    EXPECT_EQ(n.text, "10:10 call");
    g_app.settings.alarmTime = 5;
    for (int minute = 1; minute <= 30; ++minute)
        EXPECT_FALSE(ComposeTimeAlarm(At(2025, 3, 3, 10, minute, 1), &ref, g_app.settings, &n)) << minute;
    EXPECT_EQ(ref.tm_hour * 60 + ref.tm_min, 10 * 60 + 35);
    ASSERT_TRUE(ComposeTimeAlarm(At(2025, 3, 3, 10, 35, 1), &ref, g_app.settings, &n));
    EXPECT_EQ(n.text, "10:40 mail");
}

// The minute timer's runs through the clock it is given: the start-up day alarm once, the
// reference kept on a day-alarm run and while ALARM is off, midnight, a message box's close.
TEST_F(Alarms, MinuteRunsAtChosenTimes) {
    EXPECT_TRUE(WriteMemo(2025, 3, 3, "9:00 call\r\n12:00 lunch", false));
    g_app.settings.alarmStartup = 1;
    g_app.settings.alarmShow = AlarmShow::kTimedLines;
    StartMinuteClock(At(2025, 3, 3, 8, 0, 20), 5);
    MinuteRun run = RunMinute(At(2025, 3, 3, 8, 0, 20), &g_minute, g_app, form_);
    ASSERT_TRUE(run.alarm);
    EXPECT_EQ(run.notice.caption, "3/3(MON)");
    EXPECT_FALSE(g_minute.firstRun);
    EXPECT_EQ(g_minute.reference.tm_hour * 60 + g_minute.reference.tm_min, 8 * 60 + 5);  // a day alarm keeps it
    EXPECT_EQ(NextRunDelay(g_minute), 61000 - 20 * 1000);
    EXPECT_FALSE(RunMinute(At(2025, 3, 3, 8, 1, 1), &g_minute, g_app, form_).alarm);  // ALARM off: nothing
    EXPECT_EQ(g_minute.reference.tm_min, 5);
    // Switched on at noon: every line from 8:06 to 12:05 comes at once.
    g_app.settings.alarm = 1;
    run = RunMinute(At(2025, 3, 3, 12, 0, 1), &g_minute, g_app, form_);
    ASSERT_TRUE(run.alarm);
    EXPECT_EQ(run.notice.text, "9:00 call\r\n12:00 lunch");
    EXPECT_EQ(run.notice.caption, "3/3 12:00");
    // A message box open until 12:20: the window restarts after 12:25.
    MessageBoxClosed(At(2025, 3, 3, 12, 20, 40), &g_minute, 5);
    EXPECT_EQ(g_minute.reference.tm_hour * 60 + g_minute.reference.tm_min, 12 * 60 + 25);
    EXPECT_EQ(NextRunDelay(g_minute), 61000 - 40 * 1000);
    EXPECT_TRUE(RunMinute(At(2025, 3, 4, 0, 0, 1), &g_minute, g_app, form_).newDay);
    EXPECT_FALSE(RunMinute(At(2025, 3, 4, 0, 1, 1), &g_minute, g_app, form_).newDay);
}

TEST_F(Alarms, TrayTooltipTextAndShortening) {
    std::string memo(300, 'm');
    EXPECT_TRUE(WriteMemo(2025, 5, 2, ("★tag " + memo).c_str(), false));
    CopyField(g_tags[1].word, sizeof g_tags[1].word, "★");
    std::tm day = At(2025, 5, 2, 12, 0);
    std::string tip = TrayTooltipText(day, g_app.design, 6);
    EXPECT_EQ(tip.substr(0, 13), "5/2(FRI)\r\ntag");  // the tag word taken out
    EXPECT_EQ(tip.size(), 8u + 2u + 223u - 2u);  // the memo read to 223 bytes, the tag's two gone
    std::string shown = SjisShortened(tip, 128);
    EXPECT_EQ(shown.size(), 127u);
    EXPECT_EQ(shown.substr(124), "...");
    EXPECT_EQ(TrayTooltipText(day, g_app.design, 4).find('\n'), std::string::npos);  // one line
    EXPECT_EQ(SjisShortened("short", 64), "short");
    // Cut where a double-byte character would be split: it ends before that character.
    std::string kanji = "a";
    for (int i = 0; i < 40; ++i) kanji += "日";
    EXPECT_EQ(SjisShortened(kanji, 64), kanji.substr(0, 59) + "...");
}

// The last sync's line stands before the memo, so a long memo cut to the tip never takes it.
TEST_F(Alarms, TrayTooltipNamesTheLastSyncBeforeTheMemo) {
    EXPECT_TRUE(WriteMemo(2025, 5, 2, std::string(300, 'm').c_str(), false));
    std::tm day = At(2025, 5, 2, 12, 0);
    std::string shown = SjisShortened(TrayTooltipText(day, g_app.design, 6, "最終同期 11:45"), 128);
    EXPECT_EQ(shown.substr(0, 28), "5/2(FRI)\r\n最終同期 11:45\r\nmm");
    EXPECT_EQ(TrayTooltipText(day, g_app.design, 6).substr(0, 12), "5/2(FRI)\r\nmm");
}
}  // namespace
