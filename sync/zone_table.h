// Tables generated at build time (tools/make_zone_tables.cpp): the Windows zone names with the
// zone database's names for them, from the Unicode common locale data; and, for the Windows
// companion, the rules of every zone of the database compiled from its TZif files.
#pragma once
#include <string>

struct WindowsZoneName {
    const char* windows;
    const char* database;
};
extern const WindowsZoneName kWindowsZoneNames[];
extern const int kWindowsZoneNameCount;

struct BuiltInZoneName {
    const char* name;  // ascending
    int zone;          // index into kBuiltInZones
};
struct BuiltInZone {
    int initialOffset;  // seconds east of UTC
    int firstChange;    // index into kBuiltInChangeTimes and kBuiltInChangeOffsets
    int changeCount;
    const char* future;  // POSIX TZ text for the time after the last change
};
extern const BuiltInZoneName kBuiltInZoneNames[];
extern const int kBuiltInZoneNameCount;
extern const BuiltInZone kBuiltInZones[];
extern const long long kBuiltInChangeTimes[];
extern const unsigned char kBuiltInChangeOffsets[];  // index into kBuiltInOffsets
extern const int kBuiltInOffsets[];

// A zone of the table by its name, as the rules ParseTzif would give; false for a name it lacks.
// (Linked only where the table is: the Windows companion and the native tests.)
struct ZoneRules;
bool LoadBuiltInZone(const std::string& name, ZoneRules* out);
