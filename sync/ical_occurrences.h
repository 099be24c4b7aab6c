// When an event happens: its start, then what its recurrence rule (RRULE) and its listed dates
// (RDATE) add, less what its excluded dates (EXDATE) and the occurrences given as events of their
// own (RECURRENCE-ID, same UID) take away. Starts are clock times of the event's zone (seconds
// since 1970 on that clock), dates at midnight.
#pragma once
#include <vector>

#include "sync/ical_calendar.h"
#include "sync/ical_zones.h"

struct EventSchedule {
    When start;            // DTSTART as written
    const EventZone* zone = nullptr;  // the clock of DTSTART
    // RECURRENCE-ID of the events that replace one occurrence each: that occurrence goes.
    std::vector<const ContentLine*> replaced;
    bool single = false;   // an event that replaces an occurrence: its start only
};

// The starts, ascending, none on a day after lastDay of the event's clock; false when the event
// has a rule this reader does not follow.
bool EventOccurrences(const Component& event, const EventSchedule& schedule, CalendarZones& zones, int lastDay,
                      std::vector<long long>* starts);
