// Memo texts taken from a dialog's edit. Memos are kept in code page 932; a character it cannot
// hold (an emoji, a letter of another script) is refused by name before anything is stored,
// never kept as "?".
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// When text holds a character 932 cannot hold: says so over dialog, then puts the focus into edit
// id of dialog with that character selected, and returns true. False, saying nothing, otherwise.
bool RefuseUnheldMemo(HWND dialog, int id, std::wstring_view text);
// The same for what edit id holds now.
bool RefuseUnheldMemo(HWND dialog, int id);
