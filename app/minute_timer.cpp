#include "app/minute_timer.h"

MinuteClock g_minute;

void StartMinuteClock(const std::tm& now, int alarmTime) {
    g_minute.reference = AddMinutes(now, alarmTime);
    g_minute.firstRun = true;
}

void ResetMinuteClock() { g_minute = MinuteClock{std::tm{}, true}; }

MinuteRun RunMinute(const std::tm& now, MinuteClock* clock, const AppState& app,
                    const char countdownForm[kCountdownFormFields][kCountdownFormSlot]) {
    MinuteRun run = {};
    const Settings& s = app.settings;
    run.newDay = now.tm_hour == 0 && now.tm_min == 0;
    if (IsDayAlarmDue(clock->firstRun, s.alarmStartup, s.alarmStartupTime, now.tm_hour, now.tm_min))
        run.alarm = ComposeDayAlarm(now, app, countdownForm, &run.notice);
    else if (s.alarm)
        run.alarm = ComposeTimeAlarm(now, &clock->reference, s, &run.notice);
    clock->firstRun = false;
    return run;
}

void MessageBoxClosed(const std::tm& closed, MinuteClock* clock, int alarmTime) {
    clock->reference = AddMinutes(closed, alarmTime);
}

int NextRunDelay(const MinuteClock& clock) { return NextMinuteTimerDelay(clock.reference); }
