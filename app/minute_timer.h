// The minute timer's run, apart from the window and the clock: whether a new day begins, and
// which alarm is due. The window gives it the time, so a test can run it at any time it likes.
#pragma once
#include <ctime>

#include "app/alarm_rules.h"
#include "config/app_state.h"

struct MinuteClock {
    std::tm reference;  // the end of the last time-alarm window
    bool firstRun;      // until the first run after start-up
};

extern MinuteClock g_minute;

// At start-up: the reference is the start time plus "ALARM_TIME" minutes; the first run comes.
void StartMinuteClock(const std::tm& now, int alarmTime);
void ResetMinuteClock();

struct MinuteRun {
    bool newDay;  // 00:00: a moved view is re-anchored and the calendar rebuilt
    bool alarm;   // notice holds what to announce
    AlarmNotice notice;
};

// One run at now: the day alarm at the first run with "ALARM_STARTUP" or at a time of
// "ALARM_STARTUP_TIME"; otherwise, with "ALARM", the time alarm, which moves the reference on.
// Clears the first-run flag.
MinuteRun RunMinute(const std::tm& now, MinuteClock* clock, const AppState& app,
                    const char countdownForm[kCountdownFormFields][kCountdownFormSlot]);

// A message box was closed at this time: what came due while it was open is not announced.
void MessageBoxClosed(const std::tm& closed, MinuteClock* clock, int alarmTime);

// Milliseconds to the next run: one second after the reference time's next full minute.
int NextRunDelay(const MinuteClock& clock);
