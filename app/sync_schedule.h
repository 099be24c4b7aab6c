// When the calendar syncs with its online calendar, and what it tells the user afterwards. The
// window's thread keeps one schedule; the times are the system's millisecond tick.
#pragma once
#include <cstdint>
#include <ctime>
#include <string>

#include "sync/sync_engine.h"

// How long after a memo change the sync follows: a burst of typing and storing is sent once.
constexpr int64_t kSyncAfterChangeMs = 5000;
// How long to look again when a sync is due while a dialog is open or one is running.
constexpr int64_t kSyncRetryMs = 2000;

enum class SyncCause { kAsked, kInterval, kMemoChange };

struct SyncSchedule {
    bool configured = false;   // section "CALDAV" names a calendar
    int intervalMinutes = 15;  // "CALDAV_INTERVAL"; 0: no syncs of its own
    bool running = false;
    int64_t intervalDue = -1;  // tick of the next interval sync; -1 none
    int64_t changeDue = -1;    // tick of the sync after a memo change; -1 none
    bool failureShown = false; // a failure was told: quiet until a sync succeeds
    std::time_t lastSuccess = 0;  // 0: none yet in this run
};

// A new configuration: the first interval sync one interval from now (a first one soon after
// start-up, when the interval is on).
void ScheduleStart(SyncSchedule* s, bool configured, int intervalMinutes, int64_t now);
// A memo changed (by the window or another program): a sync a few seconds later, unless the
// calendar does not sync on its own.
void NoteMemoChange(SyncSchedule* s, int64_t now);
// Whether a sync of its own is due now.
bool SyncDue(const SyncSchedule& s, int64_t now);
// A sync begins: the dues it answers go.
void SyncStarted(SyncSchedule* s, int64_t now);
// Milliseconds until the schedule wants looking at again; -1 never.
int64_t NextLook(const SyncSchedule& s, int64_t now);

struct SyncReport {
    bool tell = false;      // show the failure line
    std::string text;       // the failure, one line and what the server or system said (cp932)
    bool rebuild = false;   // memo files were written: the month is laid out and painted again
};
// What the window does with a finished sync: a failure is told once (a sync the user asked for
// is always answered), then nothing until a sync succeeds; a success remembers its time.
SyncReport FinishSync(SyncSchedule* s, const SyncOutcome& outcome, SyncCause cause, std::time_t wallNow, int64_t now);

// The tray tip's line about syncing (code page 932): when the last sync succeeded ("最終同期
// 14:05" today, "最終同期 12/8 14:05" before), "最終同期 なし" before the first; empty when no
// calendar is configured.
std::string SyncTipLine(const SyncSchedule& s, const std::tm& now);
