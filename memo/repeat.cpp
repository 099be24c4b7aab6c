#include "memo/repeat.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/sjis.h"
#include "calendar/calendar_years.h"
#include "calendar/civil_date.h"
#include "config/profile_store.h"
#include "config/settings.h"
#include "memo/memo_store.h"
#include "memo/undo_journal.h"

namespace {
constexpr char kSection[] = "REPEAT";
constexpr int kValueSize = 20;

const char* const kEndKinds[] = {"まで", "の月末まで", "の年末まで"};
const char* const kRepeatKinds[] = {"毎日", "毎週", "毎月", "毎年"};
}  // namespace

int LoadRepeatList(const char* memoPath, RepeatList* list) {
    list->count = 0;
    for (int k = 1; k <= kRepeatListMax; ++k) {
        char key[16], value[256];
        std::snprintf(key, sizeof key, "%02d", k);
        ProfileReadString(kSection, key, "", value, sizeof value, memoPath);
        SjisCut(value, kValueSize - 1);
        if (!value[0]) break;
        char* fields[3];
        if (SplitFields(value, ',', fields, 3) != 3) continue;
        list->rules[list->count++] = RepeatRule{std::atoi(fields[0]), std::atoi(fields[1]), std::atoi(fields[2])};
    }
    return list->count;
}

bool SaveRepeatList(const char* memoPath, const RepeatList& list) {
    bool ok = true;
    char key[16];
    for (int i = 0; i < list.count; ++i) {
        char value[64];
        const RepeatRule& r = list.rules[i];
        std::snprintf(value, sizeof value, "%d,%d,%d", r.dayCount, r.endKind, r.repeatKind);
        std::snprintf(key, sizeof key, "%02d", i + 1);
        ok = ProfileWriteString(kSection, key, value, memoPath).ok() && ok;
    }
    std::snprintf(key, sizeof key, "%02d", list.count + 1);
    return ProfileWriteString(kSection, key, "", memoPath).ok() && ok;
}

bool UseRule(const char* memoPath, RepeatList* list, int index) {
    if (index < 0 || index >= list->count) return false;
    RepeatRule used = list->rules[index];
    for (int i = index; i > 0; --i) list->rules[i] = list->rules[i - 1];
    list->rules[0] = used;
    return SaveRepeatList(memoPath, *list);
}

int FindRule(const RepeatList& list, const RepeatRule& rule) {
    for (int i = 0; i < list.count; ++i) {
        const RepeatRule& r = list.rules[i];
        if (r.dayCount == rule.dayCount && r.endKind == rule.endKind && r.repeatKind == rule.repeatKind) return i;
    }
    return -1;
}

bool AddRule(const char* memoPath, RepeatList* list, const RepeatRule& rule) {
    if (list->count < kRepeatListMax) ++list->count;
    for (int i = list->count - 1; i > 0; --i) list->rules[i] = list->rules[i - 1];
    list->rules[0] = rule;
    return SaveRepeatList(memoPath, *list);
}

RepeatOutcome RunRepeatSeries(int year, int month, int day, const char* text, const RepeatRule& rule,
                              RepeatStopCheck stopCheck, void* context) {
    // A negative count from a damaged file would put the end behind the start and run the
    // series to the last year: it counts as 0, which writes nothing. An end past the calendar's
    // last day lets the series run to that day and stop.
    long long end = static_cast<long long>(DayNumberOf(year, month, day)) + std::max(rule.dayCount, 0);
    int ey, em, ed;
    DateOfDayNumber(static_cast<int>(std::min<long long>(end, LastCalendarDay() + 1)), &ey, &em, &ed);
    if (rule.endKind == 1) ed = DaysInMonth(ey, em);
    else if (rule.endKind == 2) em = 12, ed = 31;

    g_undo.groupCounter += 1;
    g_undo.groupStep = 0;
    RepeatOutcome outcome = kRepeatFinished;
    int y = year, m = month, d = day;
    for (int i = 0; y <= kLastCalendarYear && !(y == ey && m == em && d == ed); ++i) {
        bool write = false;
        switch (rule.repeatKind) {
        case 0: write = true; break;
        case 1: write = i % 7 == 0; break;
        case 2: write = d == day; break;
        case 3: write = m == month && d == day; break;
        default: break;
        }
        if (write && !WriteMemo(y, m, d, text, true)) {
            outcome = kRepeatWriteFailed;  // the rest would fail the same way
            break;
        }
        if (++d > DaysInMonth(y, m)) {
            d = 1;
            if (++m > 12) m = 1, ++y;
        }
        if (stopCheck && stopCheck(context)) {
            outcome = kRepeatStopped;
            break;
        }
    }
    g_undo.groupStep = 1;
    return outcome;
}

void FormatRepeatRule(const RepeatRule& rule, char* out, int outSize) {
    const char* end = rule.endKind >= 0 && rule.endKind < 3 ? kEndKinds[rule.endKind] : "";
    const char* kind = rule.repeatKind >= 0 && rule.repeatKind < 4 ? kRepeatKinds[rule.repeatKind] : "";
    std::snprintf(out, static_cast<size_t>(outSize), "%4d日先%s %s", rule.dayCount, end, kind);
}
