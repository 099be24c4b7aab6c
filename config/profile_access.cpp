#include "config/profile_access.h"

#include <cstdio>

#include "base/sjis.h"
#include "config/profile_store.h"

namespace {
char g_configPath[260];
char g_target[272];
const char* g_targetPath = g_configPath;
}  // namespace

void SetConfigPath(const char* path) { CopyField(g_configPath, sizeof g_configPath, path); }
const char* ConfigPath() { return g_configPath; }

void SetProfileTarget(const char* path) {
    if (!path) {
        g_targetPath = g_configPath;
        return;
    }
    CopyField(g_target, sizeof g_target, path);
    g_targetPath = g_target;
}
const char* ProfileTarget() { return g_targetPath; }

int ReadConfigInt(const char* key, int def) { return ProfileReadInt("CONFIG", key, def, g_targetPath); }

int ReadProfileText(const char* section, const char* key, const char* def, char* buf, int size) {
    return ProfileReadString(section, key, def, buf, size, g_targetPath);
}

WriteResult WriteConfigInt(const char* key, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return ProfileWriteString("CONFIG", key, text, g_targetPath);
}

WriteResult WriteProfileText(const char* section, const char* key, const char* text) {
    return ProfileWriteString(section, key, text, g_targetPath);
}

WriteResult DeleteConfigKey(const char* key) { return ProfileWriteString("CONFIG", key, nullptr, g_targetPath); }
