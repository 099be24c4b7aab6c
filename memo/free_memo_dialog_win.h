// The free memo dialog (105 "メモ"): the text of the memo box, previewed there while typed.
#pragma once
#include <windows.h>

#include "base/colour.h"

struct FreeMemoDialog {
    int placementKeep;  // "DLGPLACEMENT_KEEP"
    int memoRow;        // "MEMO_ROW": the lines of the free memo's old form, read and removed
    Colour* customColours;  // the design's custom colours, for the tag dialog
    bool stored;        // out: OK stored the text
};

// Modal over the calendar window owner, which receives the notes of base/win/owner_notes.h.
// IDOK or IDCANCEL.
INT_PTR OpenFreeMemoDialog(HWND owner, FreeMemoDialog* dialog);
