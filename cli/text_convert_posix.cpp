#include "cli/text_convert.h"

#include <iconv.h>

#include <cstdlib>
#include <cstring>

namespace {
char* Convert(const char* from, const char* to, const char* in) {
    if (!in) return nullptr;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
    size_t inLeft = std::strlen(in);
    size_t cap = inLeft * 3 + 1;  // a half-width kana byte becomes 3 bytes of UTF-8
    char* out = static_cast<char*>(std::malloc(cap));
    if (!out) {
        iconv_close(cd);
        return nullptr;
    }
    char* src = const_cast<char*>(in);
    char* dst = out;
    size_t outLeft = cap - 1;
    size_t r = iconv(cd, &src, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1) || inLeft != 0) {
        std::free(out);
        return nullptr;
    }
    *dst = 0;
    return out;
}
}  // namespace

char* Utf8ToCp932(const char* utf8) { return Convert("UTF-8", "CP932", utf8); }
char* Cp932ToUtf8(const char* cp932) { return Convert("CP932", "UTF-8", cp932); }

void PrepareUtf8Console() {}

char* Utf8ToFileName(const char* utf8) {
    if (!utf8) return nullptr;
    size_t n = std::strlen(utf8) + 1;
    char* copy = static_cast<char*>(std::malloc(n));
    if (copy) std::memcpy(copy, utf8, n);
    return copy;
}

char* FileNameToUtf8(const char* fileName) { return Utf8ToFileName(fileName); }

bool ArgumentsAsUtf8(int argc, char** argv, char*** out) {
    char** args = static_cast<char**>(std::calloc(argc + 1, sizeof(char*)));
    if (!args) return false;
    for (int i = 0; i < argc; ++i) {
        args[i] = Utf8ToFileName(argv[i]);
        if (!args[i]) {
            FreeArguments(args);
            return false;
        }
    }
    *out = args;
    return true;
}
