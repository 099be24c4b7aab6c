#include "cli/text_convert.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

namespace {
char* Convert(UINT from, UINT to, const char* in) {
    if (!in) return nullptr;
    int wide = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, in, -1, nullptr, 0);
    if (wide <= 0) return nullptr;
    wchar_t* w = static_cast<wchar_t*>(std::malloc(sizeof(wchar_t) * wide));
    if (!w) return nullptr;
    MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, in, -1, w, wide);
    // A character code page 932 lacks would come out as "?": refuse instead, like the POSIX side.
    BOOL lossy = FALSE;
    BOOL* lossyFlag = to == CP_UTF8 ? nullptr : &lossy;
    int n = WideCharToMultiByte(to, 0, w, -1, nullptr, 0, nullptr, lossyFlag);
    char* out = n > 0 && !lossy ? static_cast<char*>(std::malloc(n)) : nullptr;
    if (out) WideCharToMultiByte(to, 0, w, -1, out, n, nullptr, nullptr);
    std::free(w);
    return out;
}
}  // namespace

char* Utf8ToCp932(const char* utf8) { return Convert(CP_UTF8, 932, utf8); }
char* Cp932ToUtf8(const char* cp932) { return Convert(932, CP_UTF8, cp932); }

void PrepareUtf8Console() { SetConsoleOutputCP(CP_UTF8); }

char* Utf8ToFileName(const char* utf8) { return Utf8ToCp932(utf8); }
char* FileNameToUtf8(const char* fileName) { return Cp932ToUtf8(fileName); }

bool ArgumentsAsUtf8(int argc, char** argv, char*** out) {
    (void)argc;
    (void)argv;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return false;
    char** args = static_cast<char**>(std::calloc(count + 1, sizeof(char*)));
    bool ok = args != nullptr;
    for (int i = 0; ok && i < count; ++i) {
        int n = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        args[i] = n > 0 ? static_cast<char*>(std::malloc(n)) : nullptr;
        if (!args[i]) ok = false;
        else WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, args[i], n, nullptr, nullptr);
    }
    LocalFree(wide);
    if (!ok) {
        FreeArguments(args);
        return false;
    }
    *out = args;
    return true;
}
