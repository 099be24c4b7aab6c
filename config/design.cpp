#include "config/design.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/fields.h"
#include "base/sjis.h"

const char* const kFontPlaceKeys[kFontPlaceCount] = {"TITLE", "HEAD",  "LIST_HEAD", "DAY",  "TODAY",
                                                     "OMDAY", "DMEMO", "MEMO",      "HOLI", "CDOWN"};
const char* const kBackPlaceKeys[kBackPlaceCount] = {"TITLE", "HEAD", "DAY",    "TODAY",  "PRDAY",
                                                     "OMDAY", "MEMO", "BORDER", "BUTTON", "CDOWN"};

namespace {
constexpr int kValueSize = 256;
constexpr uint8_t kEmptyLabel = 63;  // the last byte of a 64-byte label text, always zero

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
    bool any = false;
    for (int i = 0; i < 7; ++i) any = any || Label(d.listHeadForm, d.listHeadLabelAt, i)[0];
    if (any) JoinLabels(d.listHeadForm, d.listHeadLabelAt, out, outSize);
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
