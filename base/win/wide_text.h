// The one place texts cross between the calendar's code page 932 and the UTF-16 the system's W
// functions take. Every text inside (memos, files, settings) stays 932 bytes; at the window's
// edge it is converted here with 932 named, never through the system's code page, which may be
// 1252 on an English Windows or 65001 with the UTF-8 option on.
#pragma once
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

inline constexpr UINT kCalendarCodePage = 932;

// text in codePage (932, CP_UTF8) as UTF-16; nothing when it is not valid in that code page.
std::optional<std::wstring> WideOf(UINT codePage, std::string_view text);
// UTF-16 in codePage; a character the code page lacks becomes "?" (never a look-alike).
std::string NarrowOf(UINT codePage, std::wstring_view text);

// 932 bytes as UTF-16; a byte that starts no character becomes U+30FB, as the system reads it.
std::wstring Wide(std::string_view sjis);
// UTF-16 as 932 bytes; a character 932 lacks becomes "?".
std::string Sjis(std::wstring_view wide);
// The first character of wide that 932 cannot hold, as a code point (a surrogate pair joined);
// 0 when every character can be held.
char32_t FirstUnheld(std::wstring_view wide);
// wide as 932 bytes with every character 932 cannot hold left out; the first of those, as a code
// point, in *leftOut (0 when none was).
std::string SjisHeld(std::wstring_view wide, char32_t* leftOut);
// A code point as UTF-16 (a surrogate pair beyond the first 65536).
std::wstring Utf16Of(char32_t c);
// A character named for a message, as drawn and by its code point: 「😀」(U+1F600).
std::wstring CharacterNamed(char32_t c);
// The refusal of such a character in a text that shows as a memo: 「😀」(U+1F600) はメモに使えない文字です。
std::wstring UnheldMemoMessage(char32_t c);

// Window and dialog item texts.
std::string WindowText(HWND window);
bool SetText(HWND window, std::string_view text);
std::wstring WideWindowText(HWND window);
std::string ItemText(HWND dialog, int id);
bool SetItemText(HWND dialog, int id, std::string_view text);

// Menu item texts, read and set as wide text (an A menu call turns what the system's code page
// lacks into "?"). Positions count from 0.
std::string MenuItemText(HMENU menu, UINT position);
bool ModifyMenuItem(HMENU menu, UINT position, UINT flags, UINT_PTR id, std::string_view text);
bool AppendMenuItem(HMENU menu, UINT flags, UINT_PTR id, std::string_view text);

int ShowMessage(HWND owner, std::string_view text, std::string_view caption, UINT type);
int ShowMessage(HWND owner, std::wstring_view text, std::string_view caption, UINT type);

// File names are 932 inside too; these open them through the wide functions, so a folder named in
// Japanese is found on any system.
FILE* OpenFile(const char* path, const char* mode);
DWORD FileAttributes(const char* path);
// What follows the program's name on its command line, as WinMain is handed it, read from the
// wide command line.
std::string CommandLineAfterProgram();
// This program's full path, empty when it does not fit the system's longest path.
std::string ProgramFilePath();
