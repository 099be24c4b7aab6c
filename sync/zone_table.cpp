#include "sync/zone_table.h"

#include <algorithm>

#include "sync/zone_rules.h"

bool LoadBuiltInZone(const std::string& name, ZoneRules* out) {
    const BuiltInZoneName* end = kBuiltInZoneNames + kBuiltInZoneNameCount;
    const BuiltInZoneName* found = std::lower_bound(
        kBuiltInZoneNames, end, name, [](const BuiltInZoneName& a, const std::string& b) { return a.name < b; });
    if (found == end || name != found->name) return false;
    const BuiltInZone& zone = kBuiltInZones[found->zone];
    *out = ZoneRules{};
    out->initialOffset = zone.initialOffset;
    out->future = zone.future;
    for (int i = zone.firstChange; i < zone.firstChange + zone.changeCount; ++i) {
        out->changes.push_back(kBuiltInChangeTimes[i]);
        out->offsets.push_back(kBuiltInOffsets[kBuiltInChangeOffsets[i]]);
    }
    return true;
}
