#include "sync/ical_zones.h"

#include <vector>

#include "sync/ical_recur.h"
#include "sync/zone_names.h"

namespace {
// The offset a VTIMEZONE puts in force at a clock time: that of the observance with the latest
// onset not after it; before every onset, the first observance's offset from.
bool DescribedOffset(const Component& zone, long long clock, int* offset) {
    long long best = 0;
    bool found = false;
    int earliestFrom = 0;
    long long earliest = 0;
    bool anyEarliest = false;
    for (const Component& o : zone.children) {
        if (o.name != "STANDARD" && o.name != "DAYLIGHT") continue;
        const ContentLine *start = o.Prop("DTSTART"), *to = o.Prop("TZOFFSETTO"), *from = o.Prop("TZOFFSETFROM");
        When w;
        int toOffset;
        if (!start || !to || !ParseWhen(start->value, false, &w) || !ParseUtcOffset(to->value, &toOffset)) continue;
        std::vector<long long> onsets{w.Clock()};
        if (const ContentLine* rule = o.Prop("RRULE")) {
            RecurRule r;
            if (ParseRecurRule(rule->value, &r)) {
                onsets.clear();
                for (int day : ExpandRecurrence(r, w.day, static_cast<int>(clock / 86400) + 1))
                    onsets.push_back(static_cast<long long>(day) * 86400 + w.seconds);
            }
        }
        // Onsets may also be listed one by one; the observance's parts may share their onset
        // (some programs write summer time that starts with standard time and changes nothing).
        for (const ContentLine& p : o.props) {
            if (p.name != "RDATE") continue;
            for (const std::string& one : ValueList(p.value)) {
                When listed;
                if (ParseWhen(one, false, &listed)) onsets.push_back(listed.Clock());
            }
        }
        for (long long onset : onsets)
            if (onset <= clock && (!found || onset > best)) best = onset, *offset = toOffset, found = true;
        int fromOffset;
        if ((!anyEarliest || w.Clock() < earliest) && from && ParseUtcOffset(from->value, &fromOffset))
            earliest = w.Clock(), earliestFrom = fromOffset, anyEarliest = true;
    }
    if (!found && anyEarliest) *offset = earliestFrom, found = true;
    return found;
}
}  // namespace

long long ZoneClockToUtc(const EventZone& zone, long long clock) {
    int offset = 0;
    switch (zone.kind) {
    case EventZone::kDatabase:
        return WallToUtc(zone.rules, clock);
    case EventZone::kDescribed:
        DescribedOffset(*zone.described, clock, &offset);
        return clock - offset;
    default:
        return clock;
    }
}

long long UtcToZoneClock(const EventZone& zone, long long utc) {
    int offset = 0;
    switch (zone.kind) {
    case EventZone::kDatabase:
        return utc + OffsetAt(zone.rules, utc);
    case EventZone::kDescribed:
        // The offset at the clock time the instant shows, found from a first guess.
        DescribedOffset(*zone.described, utc, &offset);
        DescribedOffset(*zone.described, utc + offset, &offset);
        return utc + offset;
    default:
        return utc;
    }
}

CalendarZones::CalendarZones(const Component& calendar) {
    utc_.kind = EventZone::kUtc;
    for (const Component& c : calendar.children)
        if (const ContentLine* id = c.Prop("TZID"); c.name == "VTIMEZONE" && id) described_.emplace(id->value, &c);
}

const EventZone& CalendarZones::Of(const ContentLine& p, const When& when, bool* unknown) {
    if (when.utc) return utc_;
    const std::string* tzid = p.Param("TZID");
    if (!tzid || when.date) return floating_;
    auto known = resolved_.find(*tzid);
    if (known != resolved_.end()) return known->second;
    if (unknown_.count(*tzid)) {
        *unknown = true;
        return floating_;
    }
    EventZone zone;
    if (FindNamedZone(*tzid, &zone.rules)) {
        zone.kind = EventZone::kDatabase;
    } else if (auto d = described_.find(*tzid); d != described_.end()) {
        zone.kind = EventZone::kDescribed;
        zone.described = d->second;
    } else {
        unknown_[*tzid] = true;
        *unknown = true;
        return floating_;
    }
    return resolved_.emplace(*tzid, std::move(zone)).first->second;
}
