#include "config/settings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "base/sjis.h"
#include "config/operations.h"
#include "config/profile_access.h"
#include "config/tags.h"

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

namespace {
using TextField = char (Settings::*)[100];

// One key of section CONFIG. A number has its field, its default and the range a value read must
// lie in (outside it the value is taken as missing: the layout and the alarms rely on it); a
// text has its field, its default and how a value read is taken into the field.
struct ConfigKey {
    const char* name;
    int32_t (*get)(const Settings& s);
    void (*set)(Settings* s, int32_t value);
    int32_t def, lo, hi;
    TextField text;
    const char* textDefault;
    void (*take)(const char* value, char* field, int size);
};

template <auto Field>
int32_t GetNumber(const Settings& s) {
    return static_cast<int32_t>(s.*Field);
}

template <auto Field>
void SetNumber(Settings* s, int32_t value) {
    s->*Field = static_cast<std::remove_reference_t<decltype(s->*Field)>>(value);
}

template <auto Field>
constexpr ConfigKey Number(const char* name, int32_t def, int32_t lo = INT32_MIN, int32_t hi = INT32_MAX) {
    return {name, GetNumber<Field>, SetNumber<Field>, def, lo, hi, nullptr, nullptr, nullptr};
}

constexpr ConfigKey Text(const char* name, TextField field, const char* def,
                         void (*take)(const char*, char*, int)) {
    return {name, nullptr, nullptr, 0, 0, 0, field, def, take};
}

// A design's name loses the blanks at its end, as it is listed.
void TakeName(const char* value, char* field, int size) {
    CopyField(field, static_cast<size_t>(size), value);
    DropTrailingBlanks(field);
}

// What the calendar's own switches change (WriteViewSettings): written before the others.
constexpr ConfigKey kViewKeys[] = {
    Number<&Settings::calendarType>("CALENDAR_TYPE", 0, 0, 1),
    Number<&Settings::listTodayTop>("LIST_TODAY_TOP", 0),
    Number<&Settings::cellRowExtend>("CELL_ROW_EXTEND", 0),
    Number<&Settings::keepWinHeight>("KEEP_WIN_HEIGHT", 0),
    Number<&Settings::btnSize>("BTN_SIZE", 1, 0, 3),
    Number<&Settings::beginWeek>("BEGIN_WEEK", 0, 0, 6),
    Number<&Settings::showMonth>("SHOW_MONTH", 0, 0, 3),
    Number<&Settings::alarm>("ALARM", 0),
};

constexpr ConfigKey kOtherKeys[] = {
    Number<&Settings::useTasktray>("USE_TASKTRAY", 0),
    Number<&Settings::alarmTime>("ALARM_TIME", 5, 0, INT32_MAX),
    Number<&Settings::alarmType>("ALARM_TYPE", 0, 0, 1),
    Number<&Settings::alarmShow>("ALARM_SHOW", 0, 0, 1),
    Number<&Settings::alarmStartup>("ALARM_STARTUP", 0),
    Text("ALARM_STARTUP_TIME", &Settings::alarmStartupTime, "", NormaliseStartupTimes),
    Number<&Settings::alarmCdown>("ALARM_CDOWN", 0),
    Number<&Settings::alarmCdownDay>("ALARM_CDOWN_DAY", 7, 0, 9999),
    Number<&Settings::alarmCdownPast>("ALARM_CDOWN_PAST", 0),
    Number<&Settings::alarmPaintTime>("ALARM_PAINT_TIME", 0),
    Number<&Settings::alarmMemoSort>("ALARM_MEMO_SORT", 0),
    Text("CURRENT_DESIGN", &Settings::currentDesign, "現在の設定", TakeName),
    Number<&Settings::hotkey>("HOTKEY", 0),
    Number<&Settings::hotkeyToggle>("HOTKEY_TOGGLE", 0, 0, 2),
    Number<&Settings::keyassignEnable>("KEYASSIGN_ENABLE", 0),
    Number<&Settings::quickmemoEnable>("QUICKMEMO_ENABLE", 0),
    Number<&Settings::dayscrollUnit>("DAYSCROLL_UNIT", 1, 1, INT32_MAX),
    Number<&Settings::dayscrollKeep>("DAYSCROLL_KEEP", 0),
    Number<&Settings::dlgplacementKeep>("DLGPLACEMENT_KEEP", 0),
    Number<&Settings::caldavInterval>("CALDAV_INTERVAL", 15, 0, 1440),
};

void ReadKey(const ConfigKey& k, Settings* s) {
    if (!k.text) {
        int32_t v = ReadConfigInt(k.name, k.def);
        k.set(s, v < k.lo || v > k.hi ? k.def : v);
        return;
    }
    char value[256];
    ReadProfileText("CONFIG", k.name, k.textDefault, value, sizeof value);
    char* field = s->*k.text;
    std::memset(field, 0, sizeof(s->*k.text));
    k.take(value, field, sizeof(s->*k.text));
}

bool WriteKey(const ConfigKey& k, const Settings& s) {
    if (!k.text) return WriteConfigInt(k.name, k.get(s)).ok();
    // A copy, so that a field that lost its terminator is still written within its bounds.
    char text[sizeof(s.*k.text)];
    CopyField(text, sizeof text, s.*k.text);
    return WriteProfileText("CONFIG", k.name, text).ok();
}
}  // namespace

int ReadSettings(AppState* state) {
    for (const ConfigKey& k : kViewKeys) ReadKey(k, &state->settings);
    for (const ConfigKey& k : kOtherKeys) ReadKey(k, &state->settings);
    ReadTags();
    ReadAssignments();
    return 1;
}

bool WriteViewSettings(const AppState& state) {
    bool ok = true;
    for (const ConfigKey& k : kViewKeys) ok &= WriteKey(k, state.settings);
    return ok;
}

bool WriteSettings(const AppState& state) {
    bool ok = WriteViewSettings(state);
    for (const ConfigKey& k : kOtherKeys) ok &= WriteKey(k, state.settings);
    ok &= WriteAssignments();  // sections of their own: where they go in the file is theirs
    return ok;
}
