// The calendar's memos and rules as an iCalendar file: one event per memo line (timed where the
// line holds an alarm time), the countdown memos, and the holiday and regular memo rules as
// recurring events.
#pragma once
#include <string>

#include "config/app_state.h"

// The VCALENDAR of the days fromDay .. toDay (day numbers, inclusive), CR LF, folded, UTF-8.
// stamp: DTSTAMP of every event (a UTC date-time such as 20261208T120000Z).
std::string ExportIcs(int fromDay, int toDay, const Settings& settings, const char* stamp);
