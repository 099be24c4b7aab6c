// The keys of a design, once: one table that reading and writing both walk, in the order the
// keys are written.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>

#include "base/fields.h"
#include "base/sjis.h"
#include "config/design.h"
#include "config/edition.h"
#include "config/profile_access.h"
#include "config/profile_store.h"

namespace {
const char* const kFontPlaceLabels[kFontPlaceCount] = {
    "タイトル", "曜日", "曜日(リスト)", "日付", "日付(今日)", "日付(前/次月)", "日付メモ", "メモ", "祝日メモ",
    "あと何日メモ"};
const char* const kBackPlaceLabels[kBackPlaceCount] = {
    "タイトル", "曜日", "日付", "日付(今日)", "日付(前日)", "日付(前/次月)", "メモ", "枠線", "操作ボタン",
    "あと何日メモ"};

constexpr int kValueSize = 256;

// Where a design is read from: a file (the configuration file or a design file), or the values
// of a design built into the program.
struct Source {
    const char* path;
    DesignLookup lookup;
};

// One value of the design being read: where from, and under which section and key.
struct Value {
    const Source& from;
    const char* section;
    const char* key;

    void Text(const char* def, char* buf) const {
        if (!from.lookup) {
            ProfileReadString(section, key, def, buf, kValueSize, from.path);
            return;
        }
        const char* value = from.lookup(section, key);
        CopyField(buf, kValueSize, value ? value : def);
    }
    // A file's number as the profile reads it (sign, 0x...); a built-in design's numbers are
    // plain decimal.
    int Number(int def) const {
        if (!from.lookup) return ProfileReadInt(section, key, def, from.path);
        const char* value = from.lookup(section, key);
        return value && value[0] ? std::atoi(value) : def;
    }
    int TextNumber(const char* def) const {
        char buf[kValueSize];
        Text(def, buf);
        return std::atoi(buf);
    }
    // count colours of a comma list; items beyond the list take missing.
    void Colours(const char* def, Colour* out, int count, Colour missing) const {
        char buf[kValueSize];
        Text(def, buf);
        char* items[16];
        int n = SplitFields(buf, ',', items, 16);
        for (int i = 0; i < count; ++i) out[i] = i < n ? ParseColour(items[i]) : missing;
    }
};

// A value to write; none: the key is removed.
using Written = std::optional<std::string>;

std::string JoinedColours(const Colour* colours, int count) {
    char out[kValueSize];
    size_t len = 0;
    out[0] = 0;
    for (int i = 0; i < count && len + 8 <= sizeof out; ++i) {
        char c[7];
        FormatColour(colours[i], c);
        len += std::snprintf(out + len, sizeof out - len, "%s%s", i ? "," : "", c);
    }
    return out;
}

// The small numbers of a font place are written only when they do something.
Written SmallNumber(int value) { return value > 0 ? Written(std::to_string(value)) : std::nullopt; }

// A copy, so that a field that lost its terminator is still written within its bounds.
template <size_t N>
std::string FieldText(const char (&field)[N]) {
    char copy[N];
    CopyField(copy, N, field);
    return copy;
}

void ReadFont(FontPlace* f, const Value& v) {
    char buf[kValueSize];
    v.Text("ＭＳ Ｐゴシック,9,0,0,0,0", buf);
    char* items[6];
    int count = SplitFields(buf, ',', items, 6);
    std::memset(&f->logFont, 0, sizeof f->logFont);
    auto flag = [&](int item) { return count > item && items[item][0] == '1'; };
    f->logFont.lfHeight = count > 1 ? std::atoi(items[1]) : 0;
    f->logFont.lfWeight = flag(2) ? 700 : 400;
    f->logFont.lfItalic = flag(3);
    f->logFont.lfUnderline = flag(4);
    f->logFont.lfStrikeOut = flag(5);
    f->logFont.lfCharSet = 1;
    if (count > 0) CopyField(f->logFont.lfFaceName, sizeof f->logFont.lfFaceName, items[0]);
    KeepListItem(f->logFont.lfFaceName);  // it is written back at the head of this list
}

std::string FontText(const FontPlace& f) {
    char text[kValueSize];
    std::snprintf(text, sizeof text, "%s,%d,%d,%d,%d,%d", FieldText(f.logFont.lfFaceName).c_str(), f.logFont.lfHeight,
                  f.logFont.lfWeight >= 700 ? 1 : 0, f.logFont.lfItalic ? 1 : 0, f.logFont.lfUnderline ? 1 : 0,
                  f.logFont.lfStrikeOut ? 1 : 0);
    return text;
}

// Profile reading drops leading blanks, so the writer protects them with a "!".
void ReadTitle(Design* d, const Value& v) {
    char buf[kValueSize];
    v.Text(" %Y-%m", buf);
    std::memset(d->titleForm, 0, sizeof d->titleForm);
    CopyField(d->titleForm, sizeof d->titleForm, buf[0] == '!' ? buf + 1 : buf);
    DropTrailingBlanks(d->titleForm);
}

std::string TextOf(void (*text)(const Design&, char*, size_t), const Design& d) {
    char buf[kValueSize];
    text(d, buf, sizeof buf);
    return buf;
}

// The rows of every font place, and of every background place, take the place's key before their
// own ("DAY" and "_COLOR": "DAY_COLOR").
enum class Places { kOnce, kFonts, kBacks };

struct DesignKey {
    const char* section;
    const char* key;
    Places places;
    bool layeredOnly;  // the classic edition neither reads nor writes it
    void (*read)(Design& d, int place, const Value& v);
    Written (*write)(const Design& d, int place);
};

const DesignKey kDesignKeys[] = {
    {"CONFIG", "CELL_WIDTH", Places::kOnce, false, [](Design& d, int, const Value& v) { d.cellWidth = v.Number(64); },
     [](const Design& d, int) -> Written { return std::to_string(d.cellWidth); }},
    {"CONFIG", "CELL_LINE", Places::kOnce, false, [](Design& d, int, const Value& v) { d.cellLine = v.Number(4); },
     [](const Design& d, int) -> Written { return std::to_string(d.cellLine); }},
    {"CONFIG", "MEMO_ROW", Places::kOnce, false, [](Design& d, int, const Value& v) { d.memoRow = v.Number(4); },
     [](const Design& d, int) -> Written { return std::to_string(d.memoRow); }},
    // Read after the cell width, its default.
    {"CONFIG", "LIST_WIDTH", Places::kOnce, false,
     [](Design& d, int, const Value& v) { d.listWidth = v.Number(d.cellWidth); },
     [](const Design& d, int) -> Written { return std::to_string(d.listWidth); }},
    {"CONFIG", "CELL_WIDTH_RATIO", Places::kOnce, false,
     [](Design& d, int, const Value& v) {
         char buf[kValueSize];
         v.Text("1,1,1,1,1,1,1", buf);
         SetRatios(&d, buf);
     },
     [](const Design& d, int) -> Written {
         char buf[kValueSize];
         RatiosText(d, buf, sizeof buf);
         return buf;
     }},

    {"FONTS", "", Places::kFonts, false, [](Design& d, int i, const Value& v) { ReadFont(&d.fonts[i], v); },
     [](const Design& d, int i) -> Written { return FontText(d.fonts[i]); }},
    {"FONTS", "_COLOR", Places::kFonts, false,
     [](Design& d, int i, const Value& v) { v.Colours("000000,ff0000,0000ff", d.fonts[i].colours, 3, 0); },
     [](const Design& d, int i) -> Written { return JoinedColours(d.fonts[i].colours, 3); }},
    {"FONTS", "_SMOOTH", Places::kFonts, false,
     [](Design& d, int i, const Value& v) { d.fonts[i].smooth = v.TextNumber("0"); },
     [](const Design& d, int i) { return SmallNumber(d.fonts[i].smooth); }},
    {"FONTS", "_HEMMING", Places::kFonts, true,
     [](Design& d, int i, const Value& v) { d.fonts[i].hemming = v.TextNumber("0"); },
     [](const Design& d, int i) { return SmallNumber(d.fonts[i].hemming); }},
    {"FONTS", "_SHADOW", Places::kFonts, true,
     [](Design& d, int i, const Value& v) { d.fonts[i].shadow = v.TextNumber("0"); },
     [](const Design& d, int i) { return SmallNumber(d.fonts[i].shadow); }},

    {"BACKS", "_COLOR", Places::kBacks, false,
     [](Design& d, int i, const Value& v) {
         v.Colours(i == kBackButton ? "c0c0c0,ffffff,ffffff" : "ffffff,ffffff,ffffff", d.backs[i].colours, 3, 0xFFFFFF);
     },
     [](const Design& d, int i) -> Written { return JoinedColours(d.backs[i].colours, 3); }},
    {"BACKS", "_TOUMEI", Places::kBacks, true,
     [](Design& d, int i, const Value& v) { d.backs[i].opacity = v.TextNumber("200"); },
     [](const Design& d, int i) -> Written { return std::to_string(d.backs[i].opacity); }},

    {"CONFIG", "TITLE_FORM", Places::kOnce, false, [](Design& d, int, const Value& v) { ReadTitle(&d, v); },
     [](const Design& d, int) -> Written { return "!" + FieldText(d.titleForm); }},
    {"CONFIG", "HEAD_FORM", Places::kOnce, false,
     [](Design& d, int, const Value& v) {
         char buf[kValueSize];
         v.Text("SUN,MON,TUE,WED,THU,FRI,SAT", buf);
         SetHeadLabels(&d, buf);
     },
     [](const Design& d, int) -> Written { return TextOf(HeadLabelsText, d); }},
    {"CONFIG", "LIST_HEAD_FORM", Places::kOnce, false,
     [](Design& d, int, const Value& v) {
         char buf[kValueSize];
         v.Text("", buf);
         SetListHeadLabels(&d, buf);
     },
     [](const Design& d, int) -> Written { return TextOf(ListHeadLabelsText, d); }},
    {"CONFIG", "CUST_COLORS", Places::kOnce, false,
     [](Design& d, int, const Value& v) { v.Colours("000000", d.custColors, 16, 0); },
     [](const Design& d, int) -> Written { return JoinedColours(d.custColors, 16); }},
};

int PlaceCount(Places places) {
    return places == Places::kFonts ? kFontPlaceCount : places == Places::kBacks ? kBackPlaceCount : 1;
}

const char* PlaceKey(Places places, int place) {
    return places == Places::kFonts ? kFontPlaceKeys[place] : places == Places::kBacks ? kBackPlaceKeys[place] : "";
}

// Every key of the edition in the order they are written: a run of rows of every place goes
// place by place, each place's rows together.
template <typename Visit>
void WalkKeys(Visit visit) {
    bool layered = CurrentEdition() == kLayeredEdition;
    constexpr size_t n = std::size(kDesignKeys);
    for (size_t run = 0; run < n;) {
        size_t end = run;
        while (end < n && kDesignKeys[end].places == kDesignKeys[run].places) ++end;
        for (int place = 0; place < PlaceCount(kDesignKeys[run].places); ++place)
            for (size_t i = run; i < end; ++i) {
                const DesignKey& row = kDesignKeys[i];
                if (row.layeredOnly && !layered) continue;
                char key[64];
                std::snprintf(key, sizeof key, "%s%s", PlaceKey(row.places, place), row.key);
                visit(row, place, key);
            }
        run = end;
    }
}

void SetName(char* field, const char* text) {
    std::memset(field, 0, 32);
    CopyField(field, 32, text);
}

void ReadFrom(AppState* state, const Source& from) {
    Design& d = state->design;
    bool layered = CurrentEdition() == kLayeredEdition;
    for (int i = 0; i < kFontPlaceCount; ++i) {
        SetName(d.fonts[i].label, kFontPlaceLabels[i]);
        SetName(d.fonts[i].key, kFontPlaceKeys[i]);
        if (layered) d.fonts[i].opacity = 254;
    }
    for (int i = 0; i < kBackPlaceCount; ++i) {
        SetName(d.backs[i].label, kBackPlaceLabels[i]);
        SetName(d.backs[i].key, kBackPlaceKeys[i]);
    }
    WalkKeys([&](const DesignKey& row, int place, const char* key) {
        row.read(d, place, Value{from, row.section, key});
    });
}
}  // namespace

void ReadDesignFile(AppState* state, const char* path) { ReadFrom(state, Source{path, nullptr}); }

void ReadDesign(AppState* state) { ReadDesignFile(state, ConfigPath()); }

void ReadDesignValues(AppState* state, DesignLookup lookup) { ReadFrom(state, Source{nullptr, lookup}); }

bool WriteDesignFile(const AppState& state, const char* path) {
    bool ok = true;
    WalkKeys([&](const DesignKey& row, int place, const char* key) {
        Written value = row.write(state.design, place);
        ok &= ProfileWriteString(row.section, key, value ? value->c_str() : nullptr, path).ok();
    });
    return ok;
}

bool WriteDesign(const AppState& state) { return WriteDesignFile(state, ConfigPath()); }
