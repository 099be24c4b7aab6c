// The calendar's syncs with its online calendar: one at a time on a worker thread that touches
// the files only through the locked stores and reports with WM_SYNC_DONE; the window then shows
// what came and tells a failure once.
#pragma once
#include <windows.h>

#include <ctime>
#include <string>

#include "app/sync_schedule.h"

constexpr UINT WM_SYNC_DONE = WM_APP + 20;
constexpr UINT_PTR kSyncTimer = 30;

// Reads the account (section "CALDAV") and "CALDAV_INTERVAL" and arms the timer for hwnd.
void StartSyncSchedule(HWND hwnd);
// Starts a sync now; false when none is configured (the user asked: told so) or one is running.
bool StartSync(HWND hwnd, SyncCause cause);
// kSyncTimer: a sync of the calendar's own when one is due (later while a dialog is open).
void OnSyncTimer(HWND hwnd);
// WM_SYNC_DONE: the worker has finished.
void OnSyncDone(HWND hwnd);
// After every message the window handled: a memo the window changed (the undo journal moved)
// is synced a few seconds later.
void CheckOwnMemoChange(HWND hwnd);
// Another program changed the memo files.
void NoteMemosChangedElsewhere(HWND hwnd);
// Shutdown: a running sync is asked to stop and waited for, a few seconds at most.
void StopSync();
// The tray tip's line about the last sync.
std::string SyncTrayLine(const std::tm& now);
