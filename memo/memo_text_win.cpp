#include "memo/memo_text_win.h"

#include "base/win/wide_text.h"

namespace {
constexpr char kCaption[] = "Tessel";
}  // namespace

bool RefuseUnheldMemo(HWND dialog, int id, std::wstring_view text) {
    char32_t c = FirstUnheld(text);
    if (!c) return false;
    ShowMessage(dialog, UnheldMemoMessage(c), kCaption, MB_OK | MB_ICONWARNING);
    // The message box gave the focus back to the button pressed: the user goes on in the text,
    // at the character to mend (its first place is the first character refused).
    HWND edit = GetDlgItem(dialog, id);
    if (!edit) return true;
    std::wstring unit = Utf16Of(c);
    size_t at = text.find(unit);
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    if (at != std::wstring_view::npos)
        SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(at), static_cast<LPARAM>(at + unit.size()));
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    return true;
}

bool RefuseUnheldMemo(HWND dialog, int id) { return RefuseUnheldMemo(dialog, id, WideWindowText(GetDlgItem(dialog, id))); }
