#include "app/startup.h"

#include <cstdio>
#include <cstring>

#include "config/profile_access.h"


int FirstMinuteTimerDelay(int alarmStartup, int seconds) {
    return alarmStartup ? 100 : 61000 - seconds * 1000;
}

int CentredPosition(int screen, int window) { return (screen - window) / 2; }

void StoreLayoutResult(const LayoutResult& result, int screenHeight) {
    char key[32];
    std::snprintf(key, sizeof key, "WIN_HEIGHT_%d", screenHeight);
    WriteConfigInt(key, result.windowHeight);
    WriteConfigInt("TOP_DATE", result.topDate);
}

ZOrderPlacement ZOrderOf(int zorderSetting) {
    if (zorderSetting == kZOrderTopmost) return kZOrderTopmost;
    if (zorderSetting == kZOrderBottom) return kZOrderBottom;
    return kZOrderUnchanged;
}

unsigned HotkeyModifierFlags(int hotkey) {
    unsigned mods = (hotkey >> 8) & 0xFF, flags = 0;
    if (mods & 0x04) flags |= 1;  // Alt
    if (mods & 0x02) flags |= 2;  // Control
    if (mods & 0x01) flags |= 4;  // Shift
    if (mods & 0x08) flags |= 8;  // Win
    return flags;
}
