// The rules of a time zone as the zone database compiles them (TZif files): the UTC instants at
// which its offset changes, the offset after each, and the rule that goes on after the last
// (a POSIX TZ text such as "EST5EDT,M3.2.0,M11.1.0"). Times are seconds since 1970-01-01 UTC;
// offsets are seconds east of UTC.
#pragma once
#include <string>
#include <vector>

struct ZoneRules {
    int initialOffset = 0;            // before the first change
    std::vector<long long> changes;   // ascending
    std::vector<int> offsets;         // in force from changes[i] on
    std::string future;               // POSIX TZ text for the time after the last change; may be empty
};

// The first instant whose offset the companion needs: two days before its first year begins.
long long FirstZoneInstant();

// A TZif file (version 1 to 4) as rules; false for anything else. The changes before
// firstInstant are folded into initialOffset (they matter to no date the calendar shows).
bool ParseTzif(const std::string& bytes, long long firstInstant, ZoneRules* out);

// A POSIX TZ text that ParseTzif or a table holds; false when it is malformed.
bool ValidFutureRule(const std::string& text);

// The offset in force at a UTC instant.
int OffsetAt(const ZoneRules& zone, long long utc);

// The UTC instant of a wall-clock time in the zone (seconds since 1970 as if it were UTC). A
// time that occurs twice is the earlier; one skipped by a change forward is read with the offset
// before the change.
long long WallToUtc(const ZoneRules& zone, long long wall);
