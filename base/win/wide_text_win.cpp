#include "base/win/wide_text.h"

#include <cwchar>
#include <vector>

std::optional<std::wstring> WideOf(UINT codePage, std::string_view text) {
    if (text.empty()) return std::wstring();
    int size = static_cast<int>(text.size());
    int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), n);
    return wide;
}

std::string NarrowOf(UINT codePage, std::wstring_view text) {
    if (text.empty()) return std::string();
    // Without WC_NO_BEST_FIT_CHARS the system would put "A" for "Ａ"-like characters it lacks,
    // which reads back as something else; UTF-8 takes no such flag and has no default character.
    bool utf8 = codePage == CP_UTF8;
    DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* fallback = utf8 ? nullptr : "?";
    int size = static_cast<int>(text.size());
    int n = WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, fallback, nullptr);
    if (n <= 0) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), size, out.data(), n, fallback, nullptr);
    return out;
}

std::wstring Wide(std::string_view sjis) {
    if (sjis.empty()) return std::wstring();
    int size = static_cast<int>(sjis.size());
    int n = MultiByteToWideChar(kCalendarCodePage, 0, sjis.data(), size, nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(kCalendarCodePage, 0, sjis.data(), size, wide.data(), n);
    return wide;
}

std::string Sjis(std::wstring_view wide) { return NarrowOf(kCalendarCodePage, wide); }

namespace {
// Whether 932 holds every character of text (measured, not converted).
bool Held(std::wstring_view text) {
    if (text.empty()) return true;
    BOOL defaulted = FALSE;
    int n = WideCharToMultiByte(kCalendarCodePage, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                nullptr, 0, "?", &defaulted);
    return n > 0 && !defaulted;
}

bool HighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool LowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The length of the character at wide[i]: 2 for a surrogate pair.
size_t CharacterLength(std::wstring_view wide, size_t i) {
    return HighSurrogate(wide[i]) && i + 1 < wide.size() && LowSurrogate(wide[i + 1]) ? 2 : 1;
}

char32_t CodePoint(std::wstring_view one) {
    if (one.size() == 1) return one[0];
    return 0x10000 + ((static_cast<char32_t>(one[0]) - 0xD800) << 10) + (static_cast<char32_t>(one[1]) - 0xDC00);
}
}  // namespace

// Both look at each character alone only when the whole text is not held: a clipboard's or an
// edit's text is mostly held, and one call for it is far cheaper than one a character.
char32_t FirstUnheld(std::wstring_view wide) {
    if (Held(wide)) return 0;
    for (size_t i = 0; i < wide.size();) {
        std::wstring_view one = wide.substr(i, CharacterLength(wide, i));
        if (!Held(one)) return CodePoint(one);
        i += one.size();
    }
    return 0;
}

std::string SjisHeld(std::wstring_view wide, char32_t* leftOut) {
    *leftOut = 0;
    if (Held(wide)) return Sjis(wide);
    std::wstring kept;
    for (size_t i = 0; i < wide.size();) {
        std::wstring_view one = wide.substr(i, CharacterLength(wide, i));
        if (Held(one)) kept += one;
        else if (!*leftOut) *leftOut = CodePoint(one);
        i += one.size();
    }
    return Sjis(kept);
}

std::wstring Utf16Of(char32_t c) {
    if (c < 0x10000) return std::wstring(1, static_cast<wchar_t>(c));
    return {static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)), static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF))};
}

std::wstring CharacterNamed(char32_t c) {
    wchar_t number[16];
    std::swprintf(number, 16, L"(U+%04X)", static_cast<unsigned>(c));
    return L"「" + Utf16Of(c) + L"」" + number;
}

std::wstring UnheldMemoMessage(char32_t c) { return CharacterNamed(c) + L" はメモに使えない文字です。"; }
std::wstring WideWindowText(HWND window) {
    int length = window ? GetWindowTextLengthW(window) : 0;
    if (length <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

std::string WindowText(HWND window) { return Sjis(WideWindowText(window)); }

bool SetText(HWND window, std::string_view text) { return SetWindowTextW(window, Wide(text).c_str()) != 0; }

std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

bool SetItemText(HWND dialog, int id, std::string_view text) {
    return SetDlgItemTextW(dialog, id, Wide(text).c_str()) != 0;
}

std::string MenuItemText(HMENU menu, UINT position) {
    int length = GetMenuStringW(menu, position, nullptr, 0, MF_BYPOSITION);
    if (length <= 0) return std::string();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetMenuStringW(menu, position, text.data(), length + 1, MF_BYPOSITION)));
    return Sjis(text);
}

bool ModifyMenuItem(HMENU menu, UINT position, UINT flags, UINT_PTR id, std::string_view text) {
    return ModifyMenuW(menu, position, flags | MF_BYPOSITION, id, Wide(text).c_str()) != 0;
}

bool AppendMenuItem(HMENU menu, UINT flags, UINT_PTR id, std::string_view text) {
    return AppendMenuW(menu, flags, id, Wide(text).c_str()) != 0;
}

int ShowMessage(HWND owner, std::wstring_view text, std::string_view caption, UINT type) {
    return MessageBoxW(owner, std::wstring(text).c_str(), Wide(caption).c_str(), type);
}

int ShowMessage(HWND owner, std::string_view text, std::string_view caption, UINT type) {
    return ShowMessage(owner, std::wstring_view(Wide(text)), caption, type);
}

FILE* OpenFile(const char* path, const char* mode) {
    if (!path || !mode) return nullptr;
    std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(Wide(path).c_str(), wideMode.c_str());
}

DWORD FileAttributes(const char* path) { return GetFileAttributesW(Wide(path ? path : "").c_str()); }

std::string CommandLineAfterProgram() {
    const wchar_t* p = GetCommandLineW();
    if (!p) return std::string();
    // The program's name ends at its closing quote, or at the first blank when it is not quoted.
    if (*p == L'"') {
        for (++p; *p && *p != L'"'; ++p) {
        }
        if (*p) ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t') ++p;
    }
    while (*p == L' ' || *p == L'\t') ++p;
    return Sjis(p);
}

std::string ProgramFilePath() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return std::string();
        if (n < path.size()) {
            std::wstring_view got(path.data(), n);
            // A path 932 cannot hold could not be opened again from its 932 form.
            return FirstUnheld(got) ? std::string() : Sjis(got);
        }
        if (path.size() >= 32768) return std::string();
        path.resize(path.size() * 2);
    }
}
