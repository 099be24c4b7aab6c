// A memo line as an iCalendar event and an event as memo lines: what export-ics and import-ics
// write and read, and what the sync sends and receives. A line with an alarm time is a timed
// event at that time of the machine's clock (with a VALARM when alarms are on), any other an
// all-day event; a timed event from elsewhere comes back as "H:MM summary" in local time.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "config/tags.h"
#include "sync/ical_calendar.h"
#include "sync/ical_occurrences.h"
#include "sync/ical_zones.h"

struct LineEventOptions {
    const TagTable* tags = nullptr;  // tag words left out of the summary
    bool alarm = false;
    int alarmMinutes = 0;
};

// Appends the VEVENT of memo line `line` (code page 932) on day `day`, folded and CR LF ended.
// extra: content lines of our own put before END:VEVENT, unfolded.
void AppendLineEvent(std::string* out, const std::string& uid, int day, const char* line,
                     const LineEventOptions& options, const char* stamp,
                     const std::vector<std::string>& extra = {});

// A stable identifier for what an event holds: the same text gives the same UID.
std::string EventUid(const std::string& what);

// "YYYYMMDD" of a day number.
std::string IcsDateText(int dayNumber);

// An event that could not be placed, named for the user: its summary and the date it starts
// (UTF-8 as the file has them; the date "?" when the start cannot be read).
struct SkippedEvent {
    enum Reason { kNoStart, kRule } reason;
    std::string summary;
    std::string date;  // YYYY-MM-DD
};

struct PlacedLine {
    int day;
    std::string line;  // code page 932
};

// The first and last day an event may be placed on: the years the calendar shows.
int FirstPlaceableDay();
int LastPlaceableDay();

// The memo lines of an event on the days it happens (recurrences expanded); false, with *why,
// when it cannot be placed. *replaced counts characters code page 932 cannot hold, *floating
// events whose TZID names no zone.
bool PlaceEvent(const Component& event, CalendarZones& zones, EventSchedule schedule, std::vector<PlacedLine>* out,
                int* replaced, int* floating, SkippedEvent::Reason* why);

// Each VEVENT of a calendar with its schedule: the occurrences that other events of the same UID
// replace (RECURRENCE-ID) taken out of it, an event that replaces one its start only.
void ForEachEvent(const Component& calendar, const std::function<void(const Component&, const EventSchedule&)>& visit);

// UTF-8 as code page 932, each character it cannot hold as "?" (counted in *replaced).
std::string Utf8ToCp932Lossy(const std::string& utf8, int* replaced);
