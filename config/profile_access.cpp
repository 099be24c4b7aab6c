#include "config/profile_access.h"

#include <cstdio>

#include "base/sjis.h"
#include "config/profile_store.h"

namespace {
char g_configPath[260];
}  // namespace

void SetConfigPath(const char* path) { CopyField(g_configPath, sizeof g_configPath, path); }
const char* ConfigPath() { return g_configPath; }

int ReadConfigInt(const char* key, int def) { return ProfileReadInt("CONFIG", key, def, g_configPath); }

int ReadProfileText(const char* section, const char* key, const char* def, char* buf, int size) {
    return ProfileReadString(section, key, def, buf, size, g_configPath);
}

WriteResult WriteConfigInt(const char* key, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return ProfileWriteString("CONFIG", key, text, g_configPath);
}

WriteResult WriteProfileText(const char* section, const char* key, const char* text) {
    return ProfileWriteString(section, key, text, g_configPath);
}

WriteResult DeleteConfigKey(const char* key) { return ProfileWriteString("CONFIG", key, nullptr, g_configPath); }
