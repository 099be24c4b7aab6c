// Memo texts on the clipboard, as the system's OEM text only (Shift-JIS on a Japanese system):
// the bytes go out and come back exactly as stored.
#pragma once
#include <windows.h>

#include <string>

bool PutTextOnClipboard(HWND owner, const std::string& text);
// False when the clipboard holds no such text (or an empty one).
bool TextOnClipboard(HWND owner, std::string* text);
