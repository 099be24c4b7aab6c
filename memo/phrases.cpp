#include "memo/phrases.h"

#include <utility>

#include "base/sjis.h"
#include "memo/memo_store.h"

namespace {
// Copies text into out with every CR and LF replaced; doubleAmpersand for menu item texts.
void FlattenLines(const char* text, char* out, int outSize, bool doubleAmpersand) {
    int o = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p && o < outSize - 1;) {
        int n = IsSjisLead(*p) && p[1] ? 2 : 1;
        bool amp = doubleAmpersand && *p == '&';
        int need = amp ? 2 : n;
        if (o + need > outSize - 1) break;
        if (*p == '\r' || *p == '\n') out[o++] = ' ';
        else for (int i = 0; i < n; ++i) out[o++] = static_cast<char>(p[i]);
        if (amp) out[o++] = '&';
        p += n;
    }
    out[o] = 0;
}

// text cut to what a phrase holds, on a character boundary.
std::string PhraseOf(const std::string& text) { return text.substr(0, SjisFitLength(text.c_str(), kPhraseSize - 1)); }
}  // namespace

std::string ReadPhrase(int slot) {
    if (slot < 0 || slot >= kPhraseCount) return std::string();
    return PhraseOf(ReadMemo(-1, -1, slot));
}

bool WritePhrase(int slot, const char* text) {
    if (slot < 0 || slot >= kPhraseCount) return false;
    return WriteMemo(-1, -1, slot, text ? text : "", false).ok();
}

void PhraseListText(const char* phrase, char* out, int outSize) {
    if (!phrase || !phrase[0]) {
        CopyField(out, static_cast<size_t>(outSize), "(未登録)");
        return;
    }
    FlattenLines(phrase, out, outSize, false);
}

void PhraseMenuText(const char* phrase, char* out, int outSize) {
    FlattenLines(phrase ? phrase : "", out, outSize, true);
}

void LoadPhraseTable(PhraseTable* table) {
    for (int s = 0; s < kPhraseCount; ++s) table->slots[static_cast<size_t>(s)] = ReadPhrase(s);
}

bool SavePhraseTable(const PhraseTable& table) {
    bool ok = true;
    for (int s = 0; s < kPhraseCount; ++s) ok = WritePhrase(s, table.slots[static_cast<size_t>(s)].c_str()) && ok;
    return ok;
}

void SetPhrase(PhraseTable* table, int slot, const char* text) {
    if (slot < 0 || slot >= kPhraseCount) return;
    table->slots[static_cast<size_t>(slot)] = PhraseOf(text ? text : "");
}

int MovePhrase(PhraseTable* table, int slot, int direction) {
    int target = slot + (direction < 0 ? -1 : 1);
    if (slot < 0 || slot >= kPhraseCount || target < 0 || target >= kPhraseCount) return -1;
    std::swap(table->slots[static_cast<size_t>(slot)], table->slots[static_cast<size_t>(target)]);
    return target;
}
