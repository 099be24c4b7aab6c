// Texts on the clipboard (memos, search results): as Unicode text for every program, and as the
// 932 bytes in the OEM text format, so the calendar's own copies come back exactly as stored.
#pragma once
#include <windows.h>

#include <string>

// The text and a terminating zero in a movable shared block, the clipboard's owner being owner.
bool PutTextOnClipboard(HWND owner, const std::string& text);
// False when the clipboard holds no such text (or an empty one). A character of the Unicode text
// that 932 cannot hold is left out of *text; the first such one goes to *unheld when it is given
// (0 when there was none).
bool TextOnClipboard(HWND owner, std::string* text, char32_t* unheld = nullptr);
