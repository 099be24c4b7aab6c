#include <sys/stat.h>

#include <cstdio>

#include "sync/zone_names.h"

bool LoadDatabaseZone(const std::string& name, ZoneRules* out) {
    std::string path = "/usr/share/zoneinfo/" + name;
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > (1 << 20)) return false;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::string bytes(static_cast<size_t>(st.st_size), '\0');
    bool read = std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
    std::fclose(f);
    return read && ParseTzif(bytes, FirstZoneInstant(), out);
}
