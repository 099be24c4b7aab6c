#include "memo/repeat.h"

#include <cstdio>
#include <cstdlib>

#include "config/profile_store.h"
#include "config/settings.h"
#include "config/sjis.h"

namespace {
constexpr char kSection[] = "REPEAT";
constexpr int kValueSize = 20;
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
        ok = ProfileWriteString(kSection, key, value, memoPath) && ok;
    }
    std::snprintf(key, sizeof key, "%02d", list.count + 1);
    return ProfileWriteString(kSection, key, "", memoPath) && ok;
}

bool UseRule(const char* memoPath, RepeatList* list, int index) {
    if (index < 0 || index >= list->count) return false;
    RepeatRule used = list->rules[index];
    for (int i = index; i > 0; --i) list->rules[i] = list->rules[i - 1];
    list->rules[0] = used;
    return SaveRepeatList(memoPath, *list);
}

bool AddRule(const char* memoPath, RepeatList* list, const RepeatRule& rule) {
    if (list->count < kRepeatListMax) ++list->count;
    for (int i = list->count - 1; i > 0; --i) list->rules[i] = list->rules[i - 1];
    list->rules[0] = rule;
    return SaveRepeatList(memoPath, *list);
}
