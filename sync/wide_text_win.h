// Texts between a code page (CP_UTF8, 932) and the wide form the system's W functions take.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

// Nothing when text is not valid in the code page.
std::optional<std::wstring> WideOf(UINT codePage, const std::string& text);
// Characters the code page lacks come out as its default character.
std::string NarrowOf(UINT codePage, const wchar_t* text, size_t length);
