#include "sync/zone_names.h"

#include <cctype>
#include <cstring>

#include "sync/zone_table.h"

namespace {
// A relative name of plain segments: never a way out of the zone folder, never an absolute path.
bool PlainName(const std::string& name) {
    if (name.empty() || name.size() > 128 || name[0] == '/' || name.back() == '/') return false;
    size_t segment = 0;
    for (size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || name[i] == '/') {
            std::string part = name.substr(segment, i - segment);
            if (part.empty() || part == "." || part == "..") return false;
            segment = i + 1;
            continue;
        }
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (!std::isalnum(c) && c != '_' && c != '-' && c != '+' && c != '.') return false;
    }
    // Not names of zones: the machine's own setting, and the clocks that count leap seconds.
    return name != "localtime" && name != "posixrules" && name.compare(0, 6, "right/") != 0;
}

std::string Trimmed(const std::string& s) {
    size_t from = 0, to = s.size();
    while (from < to && (s[from] == ' ' || s[from] == '"' || s[from] == '\t')) ++from;
    while (to > from && (s[to - 1] == ' ' || s[to - 1] == '"' || s[to - 1] == '\t')) --to;
    return s.substr(from, to - from);
}
}  // namespace

const char* DatabaseNameOfWindowsZone(const std::string& windowsName) {
    for (int i = 0; i < kWindowsZoneNameCount; ++i) {
        const char* w = kWindowsZoneNames[i].windows;
        if (std::strlen(w) != windowsName.size()) continue;
        bool same = true;
        for (size_t k = 0; same && k < windowsName.size(); ++k)
            same = std::tolower(static_cast<unsigned char>(w[k])) == std::tolower(static_cast<unsigned char>(windowsName[k]));
        if (same) return kWindowsZoneNames[i].database;
    }
    return nullptr;
}

bool FindNamedZone(const std::string& tzid, ZoneRules* out) {
    std::string name = Trimmed(tzid);
    if (const char* database = DatabaseNameOfWindowsZone(name)) return LoadDatabaseZone(database, out);
    // The name as written, then what follows each "/" of a prefix.
    for (size_t at = 0; at < name.size();) {
        std::string candidate = name.substr(at);
        if (PlainName(candidate) && LoadDatabaseZone(candidate, out)) return true;
        size_t slash = name.find('/', at);
        if (slash == std::string::npos) break;
        at = slash + 1;
    }
    return false;
}
