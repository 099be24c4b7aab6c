#include "sync/text_convert.h"

#include <windows.h>
#include <shellapi.h>

#include "base/win/wide_text.h"

namespace {
std::optional<std::string> Convert(UINT from, UINT to, const char* in) {
    if (!in) return std::nullopt;
    std::optional<std::wstring> wide = WideOf(from, in);
    if (!wide) return std::nullopt;
    // A character code page 932 lacks would come out as "?": refuse instead, like the POSIX side.
    if (to == kCalendarCodePage && FirstUnheld(*wide)) return std::nullopt;
    return NarrowOf(to, *wide);
}
}  // namespace

std::optional<std::string> Utf8ToCp932(const char* utf8) { return Convert(CP_UTF8, kCalendarCodePage, utf8); }
std::optional<std::string> Cp932ToUtf8(const char* cp932) { return Convert(kCalendarCodePage, CP_UTF8, cp932); }

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
    for (int i = 0; i < count; ++i) out->push_back(NarrowOf(CP_UTF8, wide[i]));
    LocalFree(wide);  // CommandLineToArgvW hands its array out to be given back with LocalFree
    return true;
}
