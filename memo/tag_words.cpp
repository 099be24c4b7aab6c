#include "memo/tag_words.h"

#include <cstring>

#include "base/sjis.h"

namespace {
// Length of word when text starts with it (ASCII letters folded, double-byte characters exact),
// else 0.
size_t MatchAt(const unsigned char* text, const unsigned char* word) {
    size_t i = 0;
    while (word[i]) {
        if (IsSjisLead(word[i]) && word[i + 1]) {
            if (text[i] != word[i] || text[i + 1] != word[i + 1]) return 0;
            i += 2;
        } else {
            if (!text[i] || FoldAscii(text[i]) != FoldAscii(word[i])) return 0;
            ++i;
        }
    }
    return i;
}
}  // namespace

int TagWordAt(const TagTable& tags, const char* text, int* length) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    int best = 0;
    size_t longest = 0;
    for (int t = 1; t < kTagCount; ++t) {
        const unsigned char* word = reinterpret_cast<const unsigned char*>(tags[t].word);
        if (!word[0]) continue;
        size_t n = MatchAt(p, word);
        if (n > longest) best = t, longest = n;
    }
    *length = static_cast<int>(longest);
    return best;
}

void RemoveTagWords(const TagTable& tags, char* text) {
    // Only bytes that begin some tag word are worth trying the words at.
    bool starts[256] = {};
    bool any = false;
    for (int t = 1; t < kTagCount; ++t) {
        unsigned char c = static_cast<unsigned char>(tags[t].word[0]);
        if (!c) continue;
        starts[c] = any = true;
        if (c >= 'A' && c <= 'Z') starts[c + 32] = true;
        if (c >= 'a' && c <= 'z') starts[c - 32] = true;
    }
    if (!any) return;
    unsigned char* in = reinterpret_cast<unsigned char*>(text);
    unsigned char* out = in;
    while (*in) {
        int longest = 0;
        if (starts[*in]) TagWordAt(tags, reinterpret_cast<const char*>(in), &longest);
        if (longest) {
            in += longest;
            continue;
        }
        size_t n = IsSjisLead(*in) && in[1] ? 2 : 1;
        for (size_t i = 0; i < n; ++i) *out++ = *in++;
    }
    *out = 0;
}

const char* FindKeyword(const char* text, const char* keyword) {
    size_t k = std::strlen(keyword);
    if (!k) return nullptr;
    for (const char* p = text; *p; p += IsSjisLead(static_cast<unsigned char>(*p)) && p[1] ? 2 : 1)
        if (std::strncmp(p, keyword, k) == 0) return p;
    return nullptr;
}
