#include "config/settings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/sjis.h"
#include "config/operations.h"
#include "config/profile_access.h"
#include "config/tags.h"

namespace {
// A ranged value outside its range is taken as missing: the layout and the alarms rely on it.
int ReadRanged(const char* key, int def, int lo, int hi) {
    int v = ReadConfigInt(key, def);
    return (v < lo || v > hi) ? def : v;
}
}  // namespace

void NormaliseStartupTimes(const char* in, char* out, int outSize) {
    if (outSize <= 0) return;
    out[0] = 0;
    if (!in || !*in) return;
    char copy[256];
    CopyField(copy, sizeof copy, in);
    constexpr int kMaxItems = 50;
    char* items[kMaxItems];
    int n = SplitFields(copy, ',', items, kMaxItems);
    if (n > kMaxItems) return;
    char result[kMaxItems * 6 + 1];
    size_t len = 0;
    for (int i = 0; i < n; ++i) {
        const char* colon = std::strchr(items[i], ':');
        if (!colon) return;
        int hour = LeadingNumber(items[i]), minute = LeadingNumber(colon + 1);
        if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return;
        len += std::snprintf(result + len, sizeof result - len, "%s%02d:%02d", i ? "," : "", hour, minute);
    }
    if (len > static_cast<size_t>(outSize - 1)) return;  // would not fit: dropped as a whole
    std::memcpy(out, result, len + 1);
}

int ReadSettings(AppState* state) {
    Settings& s = state->settings;
    s.calendarType = static_cast<CalendarType>(ReadRanged("CALENDAR_TYPE", 0, 0, 1));
    s.listTodayTop = ReadConfigInt("LIST_TODAY_TOP", 0);
    s.cellRowExtend = ReadConfigInt("CELL_ROW_EXTEND", 0);
    s.keepWinHeight = ReadConfigInt("KEEP_WIN_HEIGHT", 0);
    s.btnSize = ReadRanged("BTN_SIZE", 1, 0, 3);
    s.beginWeek = ReadRanged("BEGIN_WEEK", 0, 0, 6);
    s.showMonth = ReadRanged("SHOW_MONTH", 0, 0, 3);

    ReadTags();

    s.useTasktray = ReadConfigInt("USE_TASKTRAY", 0);
    s.alarm = ReadConfigInt("ALARM", 0);
    s.alarmTime = ReadRanged("ALARM_TIME", 5, 0, 0x7FFFFFFF);
    s.alarmType = static_cast<AlarmType>(ReadRanged("ALARM_TYPE", 0, 0, 1));
    s.alarmShow = static_cast<AlarmShow>(ReadRanged("ALARM_SHOW", 0, 0, 1));
    s.alarmStartup = ReadConfigInt("ALARM_STARTUP", 0);

    char times[256];
    ReadProfileText("CONFIG", "ALARM_STARTUP_TIME", "", times, sizeof times);
    std::memset(s.alarmStartupTime, 0, sizeof s.alarmStartupTime);
    NormaliseStartupTimes(times, s.alarmStartupTime, sizeof s.alarmStartupTime);

    s.alarmCdown = ReadConfigInt("ALARM_CDOWN", 0);
    s.alarmCdownDay = ReadRanged("ALARM_CDOWN_DAY", 7, 0, 9999);
    s.alarmCdownPast = ReadConfigInt("ALARM_CDOWN_PAST", 0);
    s.alarmPaintTime = ReadConfigInt("ALARM_PAINT_TIME", 0);
    s.alarmMemoSort = ReadConfigInt("ALARM_MEMO_SORT", 0);

    char design[256];
    ReadProfileText("CONFIG", "CURRENT_DESIGN", "現在の設定", design, sizeof design);
    std::memset(s.currentDesign, 0, sizeof s.currentDesign);
    CopyField(s.currentDesign, sizeof s.currentDesign, design);
    DropTrailingBlanks(s.currentDesign);

    s.hotkey = ReadConfigInt("HOTKEY", 0);
    s.hotkeyToggle = static_cast<HotkeyToggle>(ReadRanged("HOTKEY_TOGGLE", 0, 0, 2));
    s.keyassignEnable = ReadConfigInt("KEYASSIGN_ENABLE", 0);

    ReadAssignments();

    s.quickmemoEnable = ReadConfigInt("QUICKMEMO_ENABLE", 0);
    s.dayscrollUnit = ReadRanged("DAYSCROLL_UNIT", 1, 1, 0x7FFFFFFF);
    s.dayscrollKeep = ReadConfigInt("DAYSCROLL_KEEP", 0);
    s.dlgplacementKeep = ReadConfigInt("DLGPLACEMENT_KEEP", 0);
    return 1;
}

bool WriteViewSettings(const AppState& state) {
    bool ok = true;
    const Settings& s = state.settings;
    ok &= WriteConfigInt("CALENDAR_TYPE", static_cast<int>(s.calendarType)).ok();
    ok &= WriteConfigInt("LIST_TODAY_TOP", s.listTodayTop).ok();
    ok &= WriteConfigInt("CELL_ROW_EXTEND", s.cellRowExtend).ok();
    ok &= WriteConfigInt("KEEP_WIN_HEIGHT", s.keepWinHeight).ok();
    ok &= WriteConfigInt("BTN_SIZE", s.btnSize).ok();
    ok &= WriteConfigInt("BEGIN_WEEK", s.beginWeek).ok();
    ok &= WriteConfigInt("SHOW_MONTH", s.showMonth).ok();
    ok &= WriteConfigInt("ALARM", s.alarm).ok();
    return ok;
}

bool WriteSettings(const AppState& state) {
    bool ok = true;
    const Settings& s = state.settings;
    ok &= WriteViewSettings(state);
    ok &= WriteConfigInt("USE_TASKTRAY", s.useTasktray).ok();
    ok &= WriteConfigInt("ALARM_TIME", s.alarmTime).ok();
    ok &= WriteConfigInt("ALARM_TYPE", static_cast<int>(s.alarmType)).ok();
    ok &= WriteConfigInt("ALARM_SHOW", static_cast<int>(s.alarmShow)).ok();
    ok &= WriteConfigInt("ALARM_STARTUP", s.alarmStartup).ok();
    // Copies, so that a field that lost its terminator is still written within its bounds.
    char text[sizeof s.alarmStartupTime];
    CopyField(text, sizeof text, s.alarmStartupTime);
    ok &= WriteProfileText("CONFIG", "ALARM_STARTUP_TIME", text).ok();
    ok &= WriteConfigInt("ALARM_CDOWN", s.alarmCdown).ok();
    ok &= WriteConfigInt("ALARM_CDOWN_DAY", s.alarmCdownDay).ok();
    ok &= WriteConfigInt("ALARM_CDOWN_PAST", s.alarmCdownPast).ok();
    ok &= WriteConfigInt("ALARM_PAINT_TIME", s.alarmPaintTime).ok();
    ok &= WriteConfigInt("ALARM_MEMO_SORT", s.alarmMemoSort).ok();
    char name[sizeof s.currentDesign];
    CopyField(name, sizeof name, s.currentDesign);
    ok &= WriteProfileText("CONFIG", "CURRENT_DESIGN", name).ok();
    ok &= WriteConfigInt("HOTKEY", s.hotkey).ok();
    ok &= WriteConfigInt("HOTKEY_TOGGLE", static_cast<int>(s.hotkeyToggle)).ok();
    ok &= WriteConfigInt("KEYASSIGN_ENABLE", s.keyassignEnable).ok();
    ok &= WriteAssignments();
    ok &= WriteConfigInt("QUICKMEMO_ENABLE", s.quickmemoEnable).ok();
    ok &= WriteConfigInt("DAYSCROLL_UNIT", s.dayscrollUnit).ok();
    ok &= WriteConfigInt("DAYSCROLL_KEEP", s.dayscrollKeep).ok();
    ok &= WriteConfigInt("DLGPLACEMENT_KEEP", s.dlgplacementKeep).ok();
    return ok;
}
