// What an open memo dialog tells the calendar window, which owns it: sent, so the calendar has
// repainted or rebuilt before the dialog goes on.
#pragma once
#include <windows.h>

constexpr UINT WM_MEMO_DIALOG_NOTE = WM_APP + 2;  // wParam: a MemoDialogNote, lParam: a cell

enum MemoDialogNote : WPARAM {
    kNoteRepaintCell = 1,  // the cell previews another working text
    kNoteRebuild,          // line counts changed, or memos were stored: rebuild and resize
    kNoteSelect,           // the cell becomes the current one, highlighted until further notice
    kNoteSelectBriefly,    // the same, the highlight fading after 3 seconds
    kNoteStored,           // a memo was stored: the tray tip may change
};

inline void TellOwner(HWND owner, MemoDialogNote note, int cell = 0) {
    if (owner) SendMessageA(owner, WM_MEMO_DIALOG_NOTE, note, cell);
}
