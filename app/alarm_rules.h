// The decisions of the minute timer apart from the window: which memo lines are due, the texts
// and captions of the day alarm and the time alarm, and how the alarm reference time moves.
#pragma once
#include <ctime>
#include <string>

#include "config/app_state.h"
#include "memo/countdown.h"

// Appends to *result (after CR LF when it is not empty) what of text has an alarm time from
// low to high (both included; a bound with a negative hour or minute is open): the whole text at
// its first such time, or with linesMode each line that has one.
void MatchAlarmLines(const char* text, int lowHour, int lowMinute, int highHour, int highMinute,
                     bool linesMode, std::string* result);

// The day alarm is due at the first run after start-up with "ALARM_STARTUP", or at one of the
// times of the normalised "ALARM_STARTUP_TIME" list ("09:05,18:30").
bool IsDayAlarmDue(bool firstRun, int alarmStartup, const char* startupTimes, int hour, int minute);

struct AlarmNotice {
    std::string text;
    std::string caption;
};

// Today's memo with the near countdown lines in front when "ALARM_CDOWN" is on, tag words
// removed; caption "month/day(weekday label)". False when there is nothing to show.
bool ComposeDayAlarm(const std::tm& now, const AppState& app,
                     const char countdownForm[kCountdownFormFields][kCountdownFormSlot], AlarmNotice* notice);

// The time alarm of the run at now: the memo lines whose times lie after the reference time and
// up to now + "ALARM_TIME" minutes (across midnight too). *reference becomes that end whether
// anything matched or not. False when nothing is due.
bool ComposeTimeAlarm(const std::tm& now, std::tm* reference, const Settings& settings, AlarmNotice* notice);

// now + minutes, normalised.
std::tm AddMinutes(const std::tm& time, int minutes);

// Delay of the next minute-timer run: one second after the reference time's next full minute.
int NextMinuteTimerDelay(const std::tm& reference);
