#include "memo/countdown.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/fields.h"
#include "base/file_format.h"
#include "base/sjis.h"
#include "calendar/calendar_years.h"
#include "calendar/civil_date.h"
#include "config/profile_store.h"
#include "config/settings.h"
#include "memo/undo_journal.h"

CountdownList g_countdowns;

namespace {
constexpr char kSection[] = "COUNTDOWN";

void KeyOf(int k, char key[16]) { std::snprintf(key, 16, "%02d", k); }
}  // namespace

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

int DayOffset(int year, int month, int day, int base) {
    long long n = static_cast<long long>(DayNumberOf(year, month, day)) - base;
    return static_cast<int>(n > INT_MAX ? INT_MAX : n < -INT_MAX ? -INT_MAX : n);
}

void DateAtOffset(int n, int base, int* year, int* month, int* day) {
    long long d = static_cast<long long>(base) + n;
    if (d < FirstCalendarDay()) d = FirstCalendarDay();
    if (d > LastCalendarDay()) d = LastCalendarDay();
    DateOfDayNumber(static_cast<int>(d), year, month, day);
}

int LoadCountdowns(const char* memoPath) {
    g_countdowns.memos.clear();
    CopyField(g_countdowns.memoPath, sizeof g_countdowns.memoPath, memoPath ? memoPath : "");
    if (!g_countdowns.memoPath[0]) return 0;
    for (int k = 1;; ++k) {
        char key[16];
        KeyOf(k, key);
        // Read wide: a text of 255 bytes comes behind its date, and it is the text that is cut
        // to what a memo holds, never the date or the text's tail by the date's length.
        char value[1024];
        ProfileReadString(kSection, key, "", value, sizeof value, g_countdowns.memoPath);
        if (!value[0]) break;
        char copy[sizeof value];
        std::memcpy(copy, value, sizeof copy);
        char* fields[4];
        int n = SplitFields(copy, ',', fields, 4);
        if (n < 3) continue;
        CountdownMemo memo{};
        memo.year = std::atoi(fields[0]);
        memo.month = std::atoi(fields[1]);
        memo.day = std::atoi(fields[2]);
        // The text is everything behind the third comma as it stands, its own commas included.
        const char* text = n > 3 ? value + (fields[3] - copy) : "";
        CopyField(memo.text, sizeof memo.text, text);
        KeepStoredTail(memo.text);  // so that a save writes what a load gives back
        g_countdowns.memos.push_back(memo);
    }
    return CountdownCount();
}

bool SaveCountdowns() {
    bool ok = true;
    int count = CountdownCount();
    char key[16];
    for (int i = 0; i < count; ++i) {
        const CountdownMemo& m = g_countdowns.memos[i];
        char value[320];
        std::snprintf(value, sizeof value, "%d,%d,%d,%s", m.year, m.month, m.day, m.text);
        KeyOf(i + 1, key);
        ok = ProfileWriteString(kSection, key, value, g_countdowns.memoPath).ok() && ok;
    }
    KeyOf(count + 1, key);
    return ProfileWriteString(kSection, key, "", g_countdowns.memoPath).ok() && ok;
}

void SortCountdowns() {
    std::vector<CountdownMemo>& v = g_countdowns.memos;
    for (size_t i = 0; i + 1 < v.size(); ++i)
        for (size_t j = i + 1; j < v.size(); ++j)
            if (DayNumberOf(v[j].year, v[j].month, v[j].day) < DayNumberOf(v[i].year, v[i].month, v[i].day)) {
                CountdownMemo t = v[i];
                v[i] = v[j];
                v[j] = t;
            }
}

int AddCountdown(int year, int month, int day, const char* text) {
    CountdownMemo memo{};
    memo.year = year;
    memo.month = month;
    memo.day = day;
    CopyField(memo.text, sizeof memo.text, text ? text : "");
    g_countdowns.memos.push_back(memo);
    return CountdownCount() - 1;
}

int RemoveCountdown(int year, int month, int day, const char* text) {
    std::vector<CountdownMemo>& v = g_countdowns.memos;
    for (size_t i = 0; i < v.size(); ++i)
        if (v[i].year == year && v[i].month == month && v[i].day == day && std::strcmp(v[i].text, text) == 0) {
            v.erase(v.begin() + static_cast<long>(i));
            return static_cast<int>(i);
        }
    return -1;
}

void KeepCountdownCell(int* currentCell) {
    if (!currentCell || !IsCountdownCell(*currentCell)) return;
    int count = CountdownCount();
    if (CellIndex(*currentCell) >= count) *currentCell = count > 0 ? kCellCountdownBase + count - 1 : kCellNone;
}

bool UndoCountdownChange(int kind, int year, int month, int day, const char* text, bool undo,
                         int* currentCell) {
    bool add;
    if (kind == kCountdownUndoAdded) add = !undo;
    else if (kind == kCountdownUndoRemoved) add = undo;
    else return false;
    if (add) {
        AddCountdown(year, month, day, text);
        SortCountdowns();
    } else {
        RemoveCountdown(year, month, day, text);
        KeepCountdownCell(currentCell);
    }
    return SaveCountdowns();
}

bool ReplaceCountdown(int index, int year, int month, int day, const char* text) {
    if (index < 0 || index >= CountdownCount()) return false;
    CountdownMemo& memo = g_countdowns.memos[static_cast<size_t>(index)];
    g_undo.groupCounter += 1;
    g_undo.groupStep = 0;
    RecordUndo(memo.year, memo.month, memo.day, kCountdownUndoRemoved, "", memo.text);
    memo.year = year;
    memo.month = month;
    memo.day = day;
    CopyField(memo.text, sizeof memo.text, text ? text : "");
    RecordUndo(year, month, day, kCountdownUndoAdded, "", memo.text);
    g_undo.groupStep = 1;
    SortCountdowns();
    return SaveCountdowns();
}

bool AddCountdownRecorded(int year, int month, int day, const char* text) {
    int i = AddCountdown(year, month, day, text);
    RecordUndo(year, month, day, kCountdownUndoAdded, "", g_countdowns.memos[static_cast<size_t>(i)].text);
    SortCountdowns();
    return SaveCountdowns();
}

bool DeleteCountdown(int index, int* currentCell) {
    if (index < 0 || index >= CountdownCount()) return false;
    CountdownMemo memo = g_countdowns.memos[static_cast<size_t>(index)];
    RecordUndo(memo.year, memo.month, memo.day, kCountdownUndoRemoved, "", memo.text);
    RemoveCountdown(memo.year, memo.month, memo.day, memo.text);
    KeepCountdownCell(currentCell);
    return SaveCountdowns();
}

bool UndoCountdown(const UndoRecord& record, bool undo, int* currentCell) {
    return UndoCountdownChange(record.kind, record.year, record.month, record.day,
                               record.newText.c_str(), undo, currentCell);
}

void ReleaseCountdowns() {
    g_countdowns.memos.clear();
    g_countdowns.memos.shrink_to_fit();
    g_countdowns.memoPath[0] = 0;
}

void ResetCountdowns() {
    ReleaseCountdowns();
    ResetCountdownForm(g_countdowns.form);
}

int CountdownCount() { return static_cast<int>(g_countdowns.memos.size()); }

void FormatCountdownDate(const CountdownMemo& memo, const char form[kCountdownFormFields][kCountdownFormSlot],
                         char out[kCountdownDateTextSize]) {
    std::string date = FormatFromFile(form[0], {NumberArg(memo.year), NumberArg(memo.month), NumberArg(memo.day)});
    CopyField(out, kCountdownDateTextSize, date.c_str());
}

void FormatCountdownText(const CountdownMemo& memo, const char form[kCountdownFormFields][kCountdownFormSlot],
                         char out[kCountdownTextSize]) {
    CopyField(out, kCountdownTextSize, FormatFromFile(form[1], {TextArg(memo.text)}).c_str());
}

void FormatCountdownNumber(int dayOffset, const char form[kCountdownFormFields][kCountdownFormSlot],
                           char* out, int outSize) {
    char wide[128];
    if (dayOffset == 0) std::snprintf(wide, sizeof wide, "%s", form[2]);
    else if (dayOffset > 0) std::snprintf(wide, sizeof wide, "%s%d%s", form[3], dayOffset, form[4]);
    else std::snprintf(wide, sizeof wide, "%s%d%s", form[5], -dayOffset, form[6]);
    CopyField(out, outSize, wide);
}

std::string CountdownAlarmText(int today, int maxDays, bool includePast,
                               const char form[kCountdownFormFields][kCountdownFormSlot]) {
    std::string text;
    for (const CountdownMemo& m : g_countdowns.memos) {
        int offset = DayOffset(m.year, m.month, m.day, today);
        if (offset > maxDays || (!includePast && offset < 0)) continue;
        char date[kCountdownDateTextSize], number[128], part[kCountdownTextSize], wide[1024];
        FormatCountdownDate(m, form, date);
        FormatCountdownNumber(offset, form, number, sizeof number);
        FormatCountdownText(m, form, part);
        std::snprintf(wide, sizeof wide, "%s%s%s", date, number, part);
        std::string line = SjisShortened(wide, 256);  // at most 255 bytes, a cut one marked
        text += line;
        text += "\r\n";
    }
    return text;
}
