// Time zones an iCalendar file names without describing them (a TZID with no VTIMEZONE, as CalDAV
// servers and many programs write): names of the zone database ("America/New_York"), the same
// behind a prefix some programs put before them ("/mozilla.org/20070129_1/America/New_York"),
// and Windows zone names ("Tokyo Standard Time").
#pragma once
#include <string>

#include "sync/zone_rules.h"

// The rules of the zone a TZID names; false when no zone of that name is known.
bool FindNamedZone(const std::string& tzid, ZoneRules* out);

// The zone database's name for a Windows zone name (any letter case), or null.
const char* DatabaseNameOfWindowsZone(const std::string& windowsName);

// A zone of the database by its own name (already checked to be a plain relative name): read
// from the system's zone files on POSIX systems, from the table built in on Windows.
bool LoadDatabaseZone(const std::string& name, ZoneRules* out);
