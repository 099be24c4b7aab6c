#include "sync/text_convert.h"

#include <iconv.h>

#include <cstring>

namespace {
std::optional<std::string> Convert(const char* from, const char* to, const char* in) {
    if (!in) return std::nullopt;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    size_t inLeft = std::strlen(in);
    std::string out(inLeft * 3, '\0');  // a half-width kana byte becomes 3 bytes of UTF-8
    char* src = const_cast<char*>(in);
    char* dst = out.data();
    size_t outLeft = out.size();
    size_t r = iconv(cd, &src, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1) || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}
}  // namespace

std::optional<std::string> Utf8ToCp932(const char* utf8) { return Convert("UTF-8", "CP932", utf8); }
std::optional<std::string> Cp932ToUtf8(const char* cp932) { return Convert("CP932", "UTF-8", cp932); }

void PrepareUtf8Console() {}

std::optional<std::string> Utf8ToFileName(const char* utf8) {
    if (!utf8) return std::nullopt;
    return std::string(utf8);
}

std::optional<std::string> FileNameToUtf8(const char* fileName) { return Utf8ToFileName(fileName); }

bool ArgumentsAsUtf8(int argc, char** argv, std::vector<std::string>* out) {
    out->clear();
    for (int i = 0; i < argc; ++i) {
        if (!argv[i]) return false;
        out->emplace_back(argv[i]);
    }
    return true;
}
