#include "sync/text_convert.h"

#include <cstdio>

std::string NameOfFirstUnencodable(const char* utf8) {
    std::string text = utf8;
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
        bool whole = n && i + n <= text.size();
        for (size_t k = 1; whole && k < n; ++k) whole = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        char name[64];
        if (!whole) {
            std::snprintf(name, sizeof name, "\xE3\x83\x90\xE3\x82\xA4\xE3\x83\x88 0x%02X", c);  // バイト
            return name;
        }
        std::string one = text.substr(i, n);
        if (!Utf8ToCp932(one.c_str())) {
            unsigned code = n == 1 ? c : c & (0xFF >> (n + 1));
            for (size_t k = 1; k < n; ++k) code = code << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
            // 「 and 」 in UTF-8 around the character itself.
            std::snprintf(name, sizeof name, "\xE3\x80\x8C%s\xE3\x80\x8D(U+%04X)", one.c_str(), code);
            return name;
        }
        i += n;
    }
    return "";
}
