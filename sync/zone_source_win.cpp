#include "sync/zone_names.h"
#include "sync/zone_table.h"

// The Windows companion carries the zone database in itself: the system's own zone data names
// Windows zones only, and holds coarser rules for the years before its own.
bool LoadDatabaseZone(const std::string& name, ZoneRules* out) { return LoadBuiltInZone(name, out); }
