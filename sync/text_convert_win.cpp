#include "sync/text_convert.h"

#include <windows.h>
#include <shellapi.h>

namespace {
// The wide form of a zero-terminated text: as many wide characters as the text has, no end.
std::optional<std::wstring> Widened(UINT from, const char* in) {
    int wide = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, in, -1, nullptr, 0);
    if (wide <= 0) return std::nullopt;
    std::wstring w(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, in, -1, w.data(), wide);
    w.resize(static_cast<size_t>(wide - 1));
    return w;
}

// lossy, when given, is set when a character had no form in the code page.
std::optional<std::string> Narrowed(UINT to, const wchar_t* w, BOOL* lossy) {
    int n = WideCharToMultiByte(to, 0, w, -1, nullptr, 0, nullptr, lossy);
    if (n <= 0 || (lossy && *lossy)) return std::nullopt;
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(to, 0, w, -1, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

std::optional<std::string> Convert(UINT from, UINT to, const char* in) {
    if (!in) return std::nullopt;
    std::optional<std::wstring> w = Widened(from, in);
    if (!w) return std::nullopt;
    // A character code page 932 lacks would come out as "?": refuse instead, like the POSIX side.
    BOOL lossy = FALSE;
    return Narrowed(to, w->c_str(), to == CP_UTF8 ? nullptr : &lossy);
}
}  // namespace

std::optional<std::string> Utf8ToCp932(const char* utf8) { return Convert(CP_UTF8, 932, utf8); }
std::optional<std::string> Cp932ToUtf8(const char* cp932) { return Convert(932, CP_UTF8, cp932); }

void PrepareUtf8Console() { SetConsoleOutputCP(CP_UTF8); }

std::optional<std::string> Utf8ToFileName(const char* utf8) { return Utf8ToCp932(utf8); }
std::optional<std::string> FileNameToUtf8(const char* fileName) { return Cp932ToUtf8(fileName); }

bool ArgumentsAsUtf8(int argc, char** argv, std::vector<std::string>* out) {
    (void)argc;
    (void)argv;
    out->clear();
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return false;
    bool ok = true;
    for (int i = 0; ok && i < count; ++i) {
        std::optional<std::string> arg = Narrowed(CP_UTF8, wide[i], nullptr);
        ok = arg.has_value();
        if (ok) out->push_back(std::move(*arg));
    }
    LocalFree(wide);  // CommandLineToArgvW hands its array out to be given back with LocalFree
    return ok;
}
