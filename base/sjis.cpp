#include "base/sjis.h"

#include <cstring>

size_t SjisFitLength(const char* s, size_t maxBytes) {
    size_t i = 0;
    while (s[i] && i < maxBytes) {
        size_t step = (IsSjisLead(static_cast<unsigned char>(s[i])) && s[i + 1]) ? 2 : 1;
        if (i + step > maxBytes) break;
        i += step;
    }
    return i;
}

size_t SjisCompleteLength(const char* s) {
    size_t i = 0;
    while (s[i]) {
        if (IsSjisLead(static_cast<unsigned char>(s[i]))) {
            if (!s[i + 1]) break;
            i += 2;
        } else {
            ++i;
        }
    }
    return i;
}

void CopyField(char* dst, size_t dstSize, const char* src) {
    if (dstSize == 0) return;
    size_t n = src ? SjisFitLength(src, dstSize - 1) : 0;
    if (n) std::memcpy(dst, src, n);
    dst[n] = 0;
}

void SjisCut(char* s, size_t maxBytes) { s[SjisFitLength(s, maxBytes)] = 0; }

std::string SjisShortened(const std::string& text, size_t size) {
    if (text.size() < size) return text;
    return text.substr(0, SjisFitLength(text.c_str(), size > 4 ? size - 4 : 0)) + "...";
}
