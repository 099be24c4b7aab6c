#include "app/startup.h"

#include <cstring>

#include "config/settings.h"
#include "config/sjis.h"

int FirstMinuteTimerDelay(int alarmStartup, int seconds) {
    return alarmStartup ? 100 : 61000 - seconds * 1000;
}

int CentredPosition(int screen, int window) { return (screen - window) / 2; }

void ResetCountdownForm(char slots[kCountdownFormFields][kCountdownFormSlot]) {
    static const char* const kDefaults[kCountdownFormFields] = {
        "%04d/%02d/%02d (", ") %s", "今日", "あと", "日", "", "日経過"};
    for (int i = 0; i < kCountdownFormFields; ++i) CopyField(slots[i], kCountdownFormSlot, kDefaults[i]);
}

int ApplyCountdownForm(const char* value, char slots[kCountdownFormFields][kCountdownFormSlot]) {
    if (!value || !*value) return 0;
    char text[256];
    CopyField(text, sizeof text, value);
    char* fields[kCountdownFormFields];
    if (SplitFields(text, ',', fields, kCountdownFormFields) != kCountdownFormFields) return 0;
    for (int i = 0; i < kCountdownFormFields; ++i) CopyField(slots[i], kCountdownFormSlot, fields[i]);
    return 1;
}

ZOrderPlacement ZOrderOf(int zorderSetting) {
    if (zorderSetting == 1) return kZOrderTopmost;
    if (zorderSetting == 2) return kZOrderBottom;
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
