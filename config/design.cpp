#include "config/design.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/fields.h"
#include "base/sjis.h"
#include "config/edition.h"
#include "config/profile_access.h"
#include "config/settings.h"

const char* const kFontPlaceKeys[kFontPlaceCount] = {"TITLE", "HEAD",  "LIST_HEAD", "DAY",  "TODAY",
                                                     "OMDAY", "DMEMO", "MEMO",      "HOLI", "CDOWN"};
const char* const kBackPlaceKeys[kBackPlaceCount] = {"TITLE", "HEAD", "DAY",    "TODAY",  "PRDAY",
                                                     "OMDAY", "MEMO", "BORDER", "BUTTON", "CDOWN"};

namespace {
const char* const kFontPlaceLabels[kFontPlaceCount] = {
    "タイトル", "曜日", "曜日(リスト)", "日付", "日付(今日)", "日付(前/次月)", "日付メモ", "メモ", "祝日メモ",
    "あと何日メモ"};
const char* const kBackPlaceLabels[kBackPlaceCount] = {
    "タイトル", "曜日", "日付", "日付(今日)", "日付(前日)", "日付(前/次月)", "メモ", "枠線", "操作ボタン",
    "あと何日メモ"};

constexpr int kValueSize = 256;
constexpr uint8_t kEmptyLabel = 63;  // the last byte of a 64-byte label text, always zero

// Where the values being read come from: the profile target, or a design built into the program.
DesignLookup g_lookup = nullptr;

void ReadText(const char* section, const char* key, const char* def, char* buf) {
    if (!g_lookup) {
        ReadProfileText(section, key, def, buf, kValueSize);
        return;
    }
    const char* value = g_lookup(section, key);
    CopyField(buf, kValueSize, value ? value : def);
}

// A built-in design's numbers are plain decimal, as the profile reads them.
int ReadInt(const char* key, int def) {
    if (!g_lookup) return ReadConfigInt(key, def);
    const char* value = g_lookup("CONFIG", key);
    return value && value[0] ? std::atoi(value) : def;
}

int ReadTextInt(const char* section, const char* key, const char* def) {
    char buf[kValueSize];
    ReadText(section, key, def, buf);
    return std::atoi(buf);
}

// Reads count colours of a comma list; items beyond the list take missing.
void ReadColours(const char* section, const char* key, const char* def, Colour* out, int count, Colour missing) {
    char buf[kValueSize];
    ReadText(section, key, def, buf);
    char* items[16];
    int n = SplitFields(buf, ',', items, 16);
    for (int i = 0; i < count; ++i) out[i] = i < n ? ParseColour(items[i]) : missing;
}

void JoinColours(const Colour* colours, int count, char* out, size_t outSize) {
    size_t len = 0;
    out[0] = 0;
    for (int i = 0; i < count && len + 8 <= outSize; ++i) {
        char c[7];
        FormatColour(colours[i], c);
        len += std::snprintf(out + len, outSize - len, "%s%s", i ? "," : "", c);
    }
}

// The label text cut to its field and split into the slots; unused slots hold the empty label.
void ReadLabels(const char* value, char text[64], uint8_t slots[kLabelSlots]) {
    std::memset(text, 0, 64);
    CopyField(text, 64, value);
    KeepListItem(text);  // the labels are joined and written back as one list
    for (int i = 0; i < kLabelSlots; ++i) slots[i] = kEmptyLabel;
    if (!text[0]) return;
    char* items[kLabelSlots];
    int n = SplitFields(text, ',', items, kLabelSlots);
    if (n > kLabelSlots) n = kLabelSlots;
    for (int i = 0; i < n; ++i) slots[i] = static_cast<uint8_t>(items[i] - text);
}

const char* Label(const char* text, const uint8_t* slots, int i) {
    return slots[i] < 64 ? text + slots[i] : text + kEmptyLabel;
}

void JoinLabels(const char* text, const uint8_t* slots, char* out, size_t outSize) {
    size_t len = 0;
    out[0] = 0;
    for (int i = 0; i < 7; ++i) {
        int w = std::snprintf(out + len, outSize - len, "%s%s", i ? "," : "", Label(text, slots, i));
        if (w < 0 || len + w >= outSize) break;
        len += w;
    }
}

void SetName(char* field, const char* text) {
    std::memset(field, 0, 32);
    CopyField(field, 32, text);
}

bool WriteSmallInt(const char* key, int value) {
    if (value <= 0) return WriteProfileText("FONTS", key, nullptr).ok();
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return WriteProfileText("FONTS", key, text).ok();
}

bool SameText(const char* a, const char* b, size_t n) { return std::strncmp(a, b, n) == 0; }

bool SameFont(const FontPlace& a, const FontPlace& b) {
    const LogFontA& x = a.logFont;
    const LogFontA& y = b.logFont;
    if (x.lfHeight != y.lfHeight || x.lfWidth != y.lfWidth || x.lfEscapement != y.lfEscapement ||
        x.lfOrientation != y.lfOrientation || x.lfWeight != y.lfWeight || x.lfItalic != y.lfItalic ||
        x.lfUnderline != y.lfUnderline || x.lfStrikeOut != y.lfStrikeOut || x.lfCharSet != y.lfCharSet ||
        x.lfOutPrecision != y.lfOutPrecision || x.lfClipPrecision != y.lfClipPrecision ||
        x.lfQuality != y.lfQuality || x.lfPitchAndFamily != y.lfPitchAndFamily ||
        !SameText(x.lfFaceName, y.lfFaceName, sizeof x.lfFaceName))
        return false;
    if (std::memcmp(a.colours, b.colours, sizeof a.colours) != 0) return false;
    if (!SameText(a.label, b.label, sizeof a.label) || !SameText(a.key, b.key, sizeof a.key)) return false;
    if (a.smooth != b.smooth) return false;
    return a.opacity == b.opacity && a.shadow == b.shadow && a.hemming == b.hemming;
}

bool SameBack(const BackPlace& a, const BackPlace& b) {
    if (std::memcmp(a.colours, b.colours, sizeof a.colours) != 0) return false;
    if (!SameText(a.label, b.label, sizeof a.label) || !SameText(a.key, b.key, sizeof a.key)) return false;
    return a.opacity == b.opacity;
}

// The seven days' labels: the slots behind them are neither shown nor written.
bool SameLabels(const char* ta, const uint8_t* sa, const char* tb, const uint8_t* sb) {
    for (int i = 0; i < 7; ++i) {
        const char* a = Label(ta, sa, i);
        const char* b = Label(tb, sb, i);
        if (!SameText(a, b, 64 - (a - ta > b - tb ? a - ta : b - tb))) return false;
    }
    return true;
}
}  // namespace

void SetRatios(Design* d, const char* text) {
    char buf[kValueSize];
    CopyField(buf, sizeof buf, text);
    char* ratios[7];
    int n = SplitFields(buf, ',', ratios, 7);
    d->ratioSum = 0;
    for (int i = 0; i < 7; ++i) {
        int r = i < n ? std::atoi(ratios[i]) : 1;
        if (r < 1) r = 1;
        if (r > 5) r = 5;
        d->ratios[i] = r;
        d->ratioSum += r;
    }
}

void RatiosText(const Design& d, char* out, size_t outSize) {
    std::snprintf(out, outSize, "%d,%d,%d,%d,%d,%d,%d", d.ratios[0], d.ratios[1], d.ratios[2], d.ratios[3],
                  d.ratios[4], d.ratios[5], d.ratios[6]);
}

void SetHeadLabels(Design* d, const char* text) { ReadLabels(text, d->headForm, d->headLabelAt); }
void SetListHeadLabels(Design* d, const char* text) { ReadLabels(text, d->listHeadForm, d->listHeadLabelAt); }

void HeadLabelsText(const Design& d, char* out, size_t outSize) {
    JoinLabels(d.headForm, d.headLabelAt, out, outSize);
}

void ListHeadLabelsText(const Design& d, char* out, size_t outSize) {
    if (outSize) out[0] = 0;
    if (d.listHeadForm[0]) JoinLabels(d.listHeadForm, d.listHeadLabelAt, out, outSize);
}

void ReadDesign(AppState* state) {
    Design& d = state->design;
    char buf[kValueSize];
    char key[64];
    bool layered = CurrentEdition() == kLayeredEdition;

    d.cellWidth = ReadInt("CELL_WIDTH", 64);
    d.cellLine = ReadInt("CELL_LINE", 4);
    d.memoRow = ReadInt("MEMO_ROW", 4);
    d.listWidth = ReadInt("LIST_WIDTH", d.cellWidth);

    ReadText("CONFIG", "CELL_WIDTH_RATIO", "1,1,1,1,1,1,1", buf);
    SetRatios(&d, buf);

    for (int i = 0; i < kFontPlaceCount; ++i) {
        FontPlace& f = d.fonts[i];
        const char* k = kFontPlaceKeys[i];
        SetName(f.label, kFontPlaceLabels[i]);
        SetName(f.key, k);
        ReadText("FONTS", k, "ＭＳ Ｐゴシック,9,0,0,0,0", buf);
        char* items[6];
        int count = SplitFields(buf, ',', items, 6);
        std::memset(&f.logFont, 0, sizeof f.logFont);
        auto flag = [&](int item) { return count > item && items[item][0] == '1'; };
        f.logFont.lfHeight = count > 1 ? std::atoi(items[1]) : 0;
        f.logFont.lfWeight = flag(2) ? 700 : 400;
        f.logFont.lfItalic = flag(3);
        f.logFont.lfUnderline = flag(4);
        f.logFont.lfStrikeOut = flag(5);
        f.logFont.lfCharSet = 1;
        if (count > 0) CopyField(f.logFont.lfFaceName, sizeof f.logFont.lfFaceName, items[0]);
        KeepListItem(f.logFont.lfFaceName);  // it is written back at the head of this list
        std::snprintf(key, sizeof key, "%s_COLOR", k);
        ReadColours("FONTS", key, "000000,ff0000,0000ff", f.colours, 3, 0);
        std::snprintf(key, sizeof key, "%s_SMOOTH", k);
        f.smooth = ReadTextInt("FONTS", key, "0");
        if (layered) {
            f.opacity = 254;
            std::snprintf(key, sizeof key, "%s_HEMMING", k);
            f.hemming = ReadTextInt("FONTS", key, "0");
            std::snprintf(key, sizeof key, "%s_SHADOW", k);
            f.shadow = ReadTextInt("FONTS", key, "0");
        }
    }

    for (int i = 0; i < kBackPlaceCount; ++i) {
        BackPlace& b = d.backs[i];
        const char* k = kBackPlaceKeys[i];
        SetName(b.label, kBackPlaceLabels[i]);
        SetName(b.key, k);
        std::snprintf(key, sizeof key, "%s_COLOR", k);
        ReadColours("BACKS", key, i == kBackButton ? "c0c0c0,ffffff,ffffff" : "ffffff,ffffff,ffffff", b.colours, 3,
                    0xFFFFFF);
        if (layered) {
            std::snprintf(key, sizeof key, "%s_TOUMEI", k);
            b.opacity = ReadTextInt("BACKS", key, "200");
        }
    }

    // Profile reading drops leading blanks, so the writer protects them with a "!".
    ReadText("CONFIG", "TITLE_FORM", " %Y-%m", buf);
    std::memset(d.titleForm, 0, sizeof d.titleForm);
    CopyField(d.titleForm, sizeof d.titleForm, buf[0] == '!' ? buf + 1 : buf);
    DropTrailingBlanks(d.titleForm);

    ReadText("CONFIG", "HEAD_FORM", "SUN,MON,TUE,WED,THU,FRI,SAT", buf);
    SetHeadLabels(&d, buf);
    ReadText("CONFIG", "LIST_HEAD_FORM", "", buf);
    SetListHeadLabels(&d, buf);

    ReadColours("CONFIG", "CUST_COLORS", "000000", d.custColors, 16, 0);
}

void ReadDesignValues(AppState* state, DesignLookup lookup) {
    g_lookup = lookup;
    ReadDesign(state);
    g_lookup = nullptr;
}

bool WriteDesign(const AppState& state) {
    bool ok = true;
    const Design& d = state.design;
    char buf[kValueSize];
    char key[64];
    bool layered = CurrentEdition() == kLayeredEdition;

    ok &= WriteConfigInt("CELL_WIDTH", d.cellWidth).ok();
    ok &= WriteConfigInt("CELL_LINE", d.cellLine).ok();
    ok &= WriteConfigInt("MEMO_ROW", d.memoRow).ok();
    ok &= WriteConfigInt("LIST_WIDTH", d.listWidth).ok();
    RatiosText(d, buf, sizeof buf);
    ok &= WriteProfileText("CONFIG", "CELL_WIDTH_RATIO", buf).ok();

    for (int i = 0; i < kFontPlaceCount; ++i) {
        const FontPlace& f = d.fonts[i];
        const char* k = kFontPlaceKeys[i];
        char face[sizeof f.logFont.lfFaceName];
        CopyField(face, sizeof face, f.logFont.lfFaceName);
        std::snprintf(buf, sizeof buf, "%s,%d,%d,%d,%d,%d", face, f.logFont.lfHeight,
                      f.logFont.lfWeight >= 700 ? 1 : 0, f.logFont.lfItalic ? 1 : 0, f.logFont.lfUnderline ? 1 : 0,
                      f.logFont.lfStrikeOut ? 1 : 0);
        ok &= WriteProfileText("FONTS", k, buf).ok();
        std::snprintf(key, sizeof key, "%s_COLOR", k);
        JoinColours(f.colours, 3, buf, sizeof buf);
        ok &= WriteProfileText("FONTS", key, buf).ok();
        std::snprintf(key, sizeof key, "%s_SMOOTH", k);
        ok &= WriteSmallInt(key, f.smooth);
        if (layered) {
            std::snprintf(key, sizeof key, "%s_HEMMING", k);
            ok &= WriteSmallInt(key, f.hemming);
            std::snprintf(key, sizeof key, "%s_SHADOW", k);
            ok &= WriteSmallInt(key, f.shadow);
        }
    }

    for (int i = 0; i < kBackPlaceCount; ++i) {
        const BackPlace& b = d.backs[i];
        const char* k = kBackPlaceKeys[i];
        std::snprintf(key, sizeof key, "%s_COLOR", k);
        JoinColours(b.colours, 3, buf, sizeof buf);
        ok &= WriteProfileText("BACKS", key, buf).ok();
        if (layered) {
            std::snprintf(key, sizeof key, "%s_TOUMEI", k);
            std::snprintf(buf, sizeof buf, "%d", b.opacity);
            ok &= WriteProfileText("BACKS", key, buf).ok();
        }
    }

    char title[sizeof d.titleForm];
    CopyField(title, sizeof title, d.titleForm);
    std::snprintf(buf, sizeof buf, "!%s", title);
    ok &= WriteProfileText("CONFIG", "TITLE_FORM", buf).ok();

    JoinLabels(d.headForm, d.headLabelAt, buf, sizeof buf);
    ok &= WriteProfileText("CONFIG", "HEAD_FORM", buf).ok();
    bool anyListLabel = false;
    for (int i = 0; i < 7; ++i) anyListLabel = anyListLabel || Label(d.listHeadForm, d.listHeadLabelAt, i)[0];
    if (anyListLabel) JoinLabels(d.listHeadForm, d.listHeadLabelAt, buf, sizeof buf);
    else buf[0] = 0;
    ok &= WriteProfileText("CONFIG", "LIST_HEAD_FORM", buf).ok();

    JoinColours(d.custColors, 16, buf, sizeof buf);
    ok &= WriteProfileText("CONFIG", "CUST_COLORS", buf).ok();
    return ok;
}

bool DesignEquals(const AppState& a, const AppState& b) {
    const Design& x = a.design;
    const Design& y = b.design;
    for (int i = 0; i < kFontPlaceCount; ++i)
        if (!SameFont(x.fonts[i], y.fonts[i])) return false;
    for (int i = 0; i < kBackPlaceCount; ++i)
        if (!SameBack(x.backs[i], y.backs[i])) return false;
    if (!SameText(x.titleForm, y.titleForm, sizeof x.titleForm)) return false;
    if (!SameLabels(x.headForm, x.headLabelAt, y.headForm, y.headLabelAt)) return false;
    if (!SameLabels(x.listHeadForm, x.listHeadLabelAt, y.listHeadForm, y.listHeadLabelAt)) return false;
    return std::memcmp(x.custColors, y.custColors, sizeof x.custColors) == 0;
}
