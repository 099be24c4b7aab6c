#include "app/sync_schedule.h"

#include <cstdio>

#include "sync/text_convert.h"

namespace {
constexpr int64_t kFirstSyncMs = 10000;  // after start-up: the window is up and painted first

int64_t Earliest(int64_t a, int64_t b) {
    if (a < 0) return b;
    if (b < 0) return a;
    return a < b ? a : b;
}
bool OwnSyncs(const SyncSchedule& s) { return s.configured && s.intervalMinutes > 0; }
}  // namespace

void ScheduleStart(SyncSchedule* s, bool configured, int intervalMinutes, int64_t now) {
    s->configured = configured;
    s->intervalMinutes = intervalMinutes;
    s->changeDue = -1;
    s->intervalDue = OwnSyncs(*s) ? now + kFirstSyncMs : -1;
}

void NoteMemoChange(SyncSchedule* s, int64_t now) {
    if (OwnSyncs(*s)) s->changeDue = now + kSyncAfterChangeMs;
}

bool SyncDue(const SyncSchedule& s, int64_t now) {
    int64_t due = Earliest(s.intervalDue, s.changeDue);
    return OwnSyncs(s) && due >= 0 && now >= due;
}

void SyncStarted(SyncSchedule* s, int64_t now) {
    s->running = true;
    s->changeDue = -1;
    s->intervalDue = OwnSyncs(*s) ? now + int64_t{s->intervalMinutes} * 60000 : -1;
}

int64_t NextLook(const SyncSchedule& s, int64_t now) {
    if (!OwnSyncs(s)) return -1;
    int64_t due = Earliest(s.intervalDue, s.changeDue);
    if (due < 0) return -1;
    return due > now ? due - now : 0;
}

SyncReport FinishSync(SyncSchedule* s, const SyncOutcome& outcome, SyncCause cause, std::time_t wallNow, int64_t) {
    SyncReport report;
    s->running = false;
    report.rebuild = outcome.memosChanged;
    if (outcome.ok()) {
        s->lastSuccess = wallNow;
        s->failureShown = false;
        return report;
    }
    // A sync stopped because the calendar is closing says nothing.
    if (outcome.failure == SyncFailure::kCancelled) return report;
    report.text = SyncFailureLine(outcome);
    // The server's or system's words come as UTF-8; a file that could not be written is named
    // as the file functions name it.
    std::string detail = outcome.failure == SyncFailure::kWrite ? outcome.detail
                                                                : Utf8ToCp932(outcome.detail.c_str()).value_or("");
    if (!detail.empty()) report.text += "\r\n" + detail;
    report.tell = cause == SyncCause::kAsked || !s->failureShown;
    s->failureShown = true;
    return report;
}

std::string SyncTipLine(const SyncSchedule& s, const std::tm& now) {
    if (!s.configured) return "";
    if (s.lastSuccess == 0) return "最終同期 なし";
    std::tm at = *std::localtime(&s.lastSuccess);
    char line[64];
    if (at.tm_year == now.tm_year && at.tm_yday == now.tm_yday)
        std::snprintf(line, sizeof line, "最終同期 %d:%02d", at.tm_hour, at.tm_min);
    else
        std::snprintf(line, sizeof line, "最終同期 %d/%d %d:%02d", at.tm_mon + 1, at.tm_mday, at.tm_hour, at.tm_min);
    return line;
}
