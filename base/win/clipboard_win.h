// Texts on the clipboard (memos, search results), as the system's OEM text only (Shift-JIS on a
// Japanese system): the bytes go out and come back exactly as stored.
#pragma once
#include <windows.h>

#include <string>

// The text and a terminating zero in a movable shared block, the clipboard's owner being owner.
bool PutTextOnClipboard(HWND owner, const std::string& text);
// False when the clipboard holds no such text (or an empty one).
bool TextOnClipboard(HWND owner, std::string* text);
