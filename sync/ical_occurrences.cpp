#include "sync/ical_occurrences.h"

#include <algorithm>
#include <set>

#include "sync/ical_recur.h"

namespace {
long long FloorDay(long long clock) { return clock / 86400 - (clock % 86400 < 0); }

// One DATE or DATE-TIME value of property p on the clock of the event's zone. A value on
// floating time, or one for a floating event, is taken as written.
bool OnEventClock(const ContentLine& p, std::string value, const EventZone& eventZone, CalendarZones& zones,
                  long long* clock, bool* date) {
    if (size_t slash = value.find('/'); slash != std::string::npos) value.resize(slash);  // a PERIOD's start
    When v;
    if (!ParseWhen(value, IsDateValue(p), &v)) return false;
    *date = v.date;
    *clock = v.Clock();
    if (v.date) return true;
    bool unknown = false;
    const EventZone& own = zones.Of(p, v, &unknown);
    if (own.kind != EventZone::kFloating && eventZone.kind != EventZone::kFloating)
        *clock = UtcToZoneClock(eventZone, ZoneClockToUtc(own, v.Clock()));
    return true;
}
}  // namespace

bool EventOccurrences(const Component& event, const EventSchedule& schedule, CalendarZones& zones, int lastDay,
                      std::vector<long long>* starts) {
    const When& start = schedule.start;
    const EventZone& zone = *schedule.zone;
    std::vector<long long> all{start.Clock()};
    if (!schedule.single) {
        if (const ContentLine* rule = event.Prop("RRULE")) {
            RecurRule r;
            if (!ParseRecurRule(rule->value, &r)) return false;
            if (r.untilClock >= 0) {
                // The last day whose occurrence, at the start's time of day, is not after UNTIL.
                long long until = r.untilUtc && zone.kind != EventZone::kFloating && !start.date
                                      ? UtcToZoneClock(zone, r.untilClock)
                                      : r.untilClock;
                long long day = FloorDay(until);
                if (until - day * 86400 < start.seconds) --day;
                r.untilDay = static_cast<int>(std::max<long long>(day, start.day - 1LL));  // the start always happens
            }
            all.clear();
            for (int day : ExpandRecurrence(r, start.day, lastDay)) all.push_back(static_cast<long long>(day) * 86400 + start.seconds);
        }
        for (const ContentLine& p : event.props) {
            if (p.name != "RDATE") continue;
            for (const std::string& one : ValueList(p.value)) {
                long long clock;
                bool date;
                if (!OnEventClock(p, one, zone, zones, &clock, &date)) continue;
                if (start.date) clock = FloorDay(clock) * 86400;
                else if (date) clock += start.seconds;  // a date alone: at the start's time of day
                if (FloorDay(clock) <= lastDay) all.push_back(clock);
            }
        }
    }
    std::set<long long> excludedStarts, excludedDays;
    for (const ContentLine& p : event.props) {
        if (p.name != "EXDATE" || schedule.single) continue;
        for (const std::string& one : ValueList(p.value)) {
            long long clock;
            bool date;
            if (!OnEventClock(p, one, zone, zones, &clock, &date)) continue;
            if (date) excludedDays.insert(FloorDay(clock));
            else excludedStarts.insert(clock);
        }
    }
    // An occurrence replaced by an event of its own is known by its day.
    for (const ContentLine* id : schedule.replaced) {
        long long clock;
        bool date;
        if (OnEventClock(*id, id->value, zone, zones, &clock, &date)) excludedDays.insert(FloorDay(clock));
    }
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    starts->clear();
    for (long long clock : all)
        if (!excludedStarts.count(clock) && !excludedDays.count(FloorDay(clock))) starts->push_back(clock);
    return true;
}
