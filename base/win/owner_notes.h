// What an open dialog tells the calendar window, which owns it: sent, so the calendar has
// repainted or rebuilt before the dialog goes on. Dialogs of every layer use it; only the window
// knows how to repaint or rebuild.
#pragma once
#include <windows.h>

constexpr UINT WM_DIALOG_NOTE = WM_APP + 2;  // wParam: a DialogNote, lParam: a cell or a record

enum DialogNote : WPARAM {
    kNoteRepaintCell = 1,  // the cell previews another working text
    kNoteRebuild,          // line counts, memos or rules changed: rebuild and resize
    kNoteSelect,           // the cell becomes the current one, highlighted until further notice
    kNoteSelectBriefly,    // the same, the highlight fading after 3 seconds
    kNoteStored,           // a memo was stored: the tray tip may change
    kNotePreview,          // lParam: an AppState to lay out and show in place of the settings in force,
                           // keeping nothing
    kNoteSettingsKept,     // lParam: a SettingsToKeep (settings/settings_to_keep.h) to make the ones in
                           // force and write, answered in it
    kNoteShowDay,          // the day's month is shown with the day current; lParam: DayNoteValue
};

// A date as the lParam of kNoteShowDay.
inline int DayNoteValue(int year, int month, int day) { return year * 10000 + month * 100 + day; }

inline void TellOwner(HWND owner, DialogNote note, int cell = 0) {
    if (owner) SendMessageW(owner, WM_DIALOG_NOTE, note, cell);
}

// A note about a record of the dialog's: sent, so the record is still there while the owner reads
// it (and answers in it).
inline void TellOwner(HWND owner, DialogNote note, const void* record) {
    if (owner) SendMessageW(owner, WM_DIALOG_NOTE, note, reinterpret_cast<LPARAM>(record));
}
