// When the calendar syncs on its own, and what it says afterwards: the interval, a few seconds
// after a memo change, nothing with the interval at 0 or no account, one message per run of
// failures, the tray tip's line.
#include <gtest/gtest.h>

#include <ctime>

#include "app/sync_schedule.h"

namespace {
SyncOutcome Failed(SyncFailure f, const char* detail = "") {
    SyncOutcome o;
    o.failure = f;
    o.detail = detail;
    return o;
}

std::tm LocalAt(int year, int month, int day, int hour, int minute) {
    std::tm t = {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_isdst = -1;
    std::time_t at = std::mktime(&t);
    return *std::localtime(&at);
}
}  // namespace

TEST(SyncSchedule, SyncsSoonAfterStartThenEveryInterval) {
    SyncSchedule s;
    ScheduleStart(&s, true, 15, 1000);
    EXPECT_FALSE(SyncDue(s, 1000));
    int64_t first = 1000 + NextLook(s, 1000);
    EXPECT_GT(first, 1000);
    EXPECT_LE(first, 1000 + 60000);  // within a minute of start-up
    EXPECT_TRUE(SyncDue(s, first));
    SyncStarted(&s, first);
    EXPECT_TRUE(s.running);
    EXPECT_EQ(NextLook(s, first), 15 * 60000);
    EXPECT_FALSE(SyncDue(s, first + 15 * 60000 - 1));
    EXPECT_TRUE(SyncDue(s, first + 15 * 60000));
}

TEST(SyncSchedule, AMemoChangeIsSyncedAFewSecondsLaterOnce) {
    SyncSchedule s;
    ScheduleStart(&s, true, 15, 0);
    SyncStarted(&s, 0);
    FinishSync(&s, SyncOutcome{}, SyncCause::kInterval, 100, 10);
    NoteMemoChange(&s, 60000);
    NoteMemoChange(&s, 61000);  // a second change moves it on: the burst goes in one sync
    EXPECT_EQ(NextLook(s, 61000), kSyncAfterChangeMs);
    EXPECT_FALSE(SyncDue(s, 61000 + kSyncAfterChangeMs - 1));
    EXPECT_TRUE(SyncDue(s, 61000 + kSyncAfterChangeMs));
    SyncStarted(&s, 70000);
    FinishSync(&s, SyncOutcome{}, SyncCause::kMemoChange, 200, 71000);
    EXPECT_FALSE(SyncDue(s, 80000));
    EXPECT_EQ(NextLook(s, 80000), 70000 + 15 * 60000 - 80000);  // back to the interval
}

TEST(SyncSchedule, NothingOfItsOwnWithTheIntervalOffOrNoAccount) {
    SyncSchedule off;
    ScheduleStart(&off, true, 0, 0);
    NoteMemoChange(&off, 10);
    EXPECT_EQ(NextLook(off, 10), -1);
    EXPECT_FALSE(SyncDue(off, 100000000));

    SyncSchedule none;
    ScheduleStart(&none, false, 15, 0);
    NoteMemoChange(&none, 10);
    EXPECT_EQ(NextLook(none, 10), -1);
    EXPECT_FALSE(SyncDue(none, 100000000));
}

TEST(SyncSchedule, AFailureIsToldOnceUntilASyncSucceeds) {
    SyncSchedule s;
    ScheduleStart(&s, true, 15, 0);
    SyncReport first = FinishSync(&s, Failed(SyncFailure::kUnreachable, "connection refused"), SyncCause::kInterval, 1, 1);
    EXPECT_TRUE(first.tell);
    EXPECT_EQ(first.text, SyncFailureLine(Failed(SyncFailure::kUnreachable)) + "\r\nconnection refused");
    EXPECT_FALSE(FinishSync(&s, Failed(SyncFailure::kTimeout), SyncCause::kInterval, 2, 2).tell);
    EXPECT_FALSE(FinishSync(&s, Failed(SyncFailure::kAuth), SyncCause::kMemoChange, 3, 3).tell);
    // The user asked: answered whatever came before.
    EXPECT_TRUE(FinishSync(&s, Failed(SyncFailure::kAuth), SyncCause::kAsked, 4, 4).tell);
    EXPECT_FALSE(FinishSync(&s, SyncOutcome{}, SyncCause::kInterval, 5, 5).tell);
    EXPECT_EQ(s.lastSuccess, 5);
    EXPECT_TRUE(FinishSync(&s, Failed(SyncFailure::kServer), SyncCause::kInterval, 6, 6).tell);
    EXPECT_EQ(s.lastSuccess, 5);  // a failure keeps the time of the last success
}

TEST(SyncSchedule, ACancelledSyncSaysNothingAndWrittenMemosAreShown) {
    SyncSchedule s;
    ScheduleStart(&s, true, 15, 0);
    EXPECT_FALSE(FinishSync(&s, Failed(SyncFailure::kCancelled), SyncCause::kAsked, 1, 1).tell);
    SyncOutcome brought;
    brought.memosChanged = true;
    EXPECT_TRUE(FinishSync(&s, brought, SyncCause::kInterval, 2, 2).rebuild);
    EXPECT_FALSE(FinishSync(&s, SyncOutcome{}, SyncCause::kInterval, 3, 3).rebuild);
}

// The server's words arrive as UTF-8; the message is code page 932.
TEST(SyncSchedule, TheDetailIsShownInTheProgramsCodePage) {
    SyncSchedule s;
    ScheduleStart(&s, true, 15, 0);
    SyncReport r = FinishSync(&s, Failed(SyncFailure::kServer, "\xE5\x86\x85\xE9\x83\xA8\xE3\x82\xA8\xE3\x83\xA9\xE3\x83\xBC"),
                              SyncCause::kAsked, 1, 1);  // 内部エラー in UTF-8
    EXPECT_EQ(r.text, SyncFailureLine(Failed(SyncFailure::kServer)) + "\r\n内部エラー");
}

TEST(SyncSchedule, TheTrayLineSaysWhenTheLastSyncSucceeded) {
    SyncSchedule s;
    EXPECT_EQ(SyncTipLine(s, LocalAt(2026, 12, 9, 15, 0)), "");  // no account: no line
    ScheduleStart(&s, true, 15, 0);
    EXPECT_EQ(SyncTipLine(s, LocalAt(2026, 12, 9, 15, 0)), "最終同期 なし");
    std::tm at = LocalAt(2026, 12, 9, 14, 5);
    FinishSync(&s, SyncOutcome{}, SyncCause::kInterval, std::mktime(&at), 1);
    EXPECT_EQ(SyncTipLine(s, LocalAt(2026, 12, 9, 15, 0)), "最終同期 14:05");
    EXPECT_EQ(SyncTipLine(s, LocalAt(2026, 12, 10, 9, 0)), "最終同期 12/9 14:05");
}
