// The clocks the date-times of an iCalendar file are read on: UTC ("Z"), floating (no TZID), and
// the zone a TZID names. A name the zone database knows (sync/zone_names.h) is read with the
// database's rules, so that a file need not describe it; a name it does not know with the
// file's VTIMEZONE of that TZID; and a TZID neither knows as floating time.
#pragma once
#include <map>
#include <string>

#include "sync/ical_calendar.h"
#include "sync/zone_rules.h"

struct EventZone {
    enum Kind { kFloating, kUtc, kDatabase, kDescribed } kind = kFloating;
    ZoneRules rules;                        // kDatabase
    const Component* described = nullptr;  // kDescribed: the file's VTIMEZONE
};

// Clock time (seconds since 1970 as if on a UTC clock) on a zone's clock as UTC, and back.
// Floating time stays as it is.
long long ZoneClockToUtc(const EventZone& zone, long long clock);
long long UtcToZoneClock(const EventZone& zone, long long utc);

class CalendarZones {
  public:
    explicit CalendarZones(const Component& calendar);
    // The clock of a date-time value of property p; *unknown is set for a TZID that names no
    // zone (the value is then floating).
    const EventZone& Of(const ContentLine& p, const When& when, bool* unknown);

  private:
    std::map<std::string, const Component*> described_;
    std::map<std::string, EventZone> resolved_;
    std::map<std::string, bool> unknown_;
    EventZone floating_, utc_;
};
