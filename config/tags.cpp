#include "config/tags.h"

#include <cstdio>
#include <cstring>

#include "base/fields.h"
#include "base/sjis.h"
#include "config/profile_access.h"
#include "config/settings.h"

TagTable g_tags;

namespace {
void TagKey(int index, char* key, int size) {
    if (index == 0) std::snprintf(key, size, "TAG_ALARM");
    else std::snprintf(key, size, "TAG%d", index);
}
}  // namespace

void TagWordFromTyped(const char* typed, char out[32]) {
    CopyField(out, 32, typed);
    for (char* p = out; *p; ++p)
        if (*p == ',') *p = '_';  // never a trail byte: those start at 0x40
    while (char* open = UnclosedBracket(out)) *open = '_';
    KeepListItem(out);
}

const char* TagListText(const TagStyle& tag) { return tag.word[0] ? tag.word : "(未登録)"; }

void ResetTags() {
    for (TagStyle& tag : g_tags) tag = TagStyle{};
    CopyField(g_tags[0].word, sizeof g_tags[0].word, "アラーム時刻");
}

void ReadTags() {
    ResetTags();
    for (int i = 0; i < kTagCount; ++i) {
        TagStyle& tag = g_tags[i];
        char key[16];
        TagKey(i, key, sizeof key);
        char value[256];
        ReadProfileText("COLORTAG", key, "", value, sizeof value);
        char* items[5];
        int n = SplitFields(value, ',', items, 5);
        if (n < 2) continue;
        std::memset(tag.word, 0, sizeof tag.word);
        CopyField(tag.word, sizeof tag.word, items[0]);
        KeepListItem(tag.word);  // it is written back at the head of this list
        tag.colour = ParseColour(items[1]);
        tag.bold = n > 2 && items[2][0] == '1';
        tag.italic = n > 3 && items[3][0] == '1';
        tag.strikeOut = n > 4 && items[4][0] == '1';
    }
}

bool WriteTags() {
    bool ok = true;
    for (int i = 0; i < kTagCount; ++i) {
        const TagStyle& tag = g_tags[i];
        char key[16];
        TagKey(i, key, sizeof key);
        char word[sizeof tag.word];
        CopyField(word, sizeof word, tag.word);
        char colour[7];
        FormatColour(tag.colour, colour);
        char value[64];
        std::snprintf(value, sizeof value, "%s,%s,%d,%d,%d", word, colour, tag.bold, tag.italic, tag.strikeOut);
        ok &= WriteProfileText("COLORTAG", key, value).ok();
    }
    return ok;
}
