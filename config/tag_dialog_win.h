// The tag dialog (116 "タグ文字の設定"): the sixteen tag words and the alarm-time entry, each with
// its colour and style.
#pragma once
#include <windows.h>

#include "base/colour.h"

struct TagDialog {
    Colour* customColours;  // the sixteen custom colours of the colour chooser (the design's)
    bool changed;           // out: OK wrote the tags; the calendar is to be repainted
};

// Modal over owner; IDOK or IDCANCEL.
INT_PTR OpenTagDialog(HWND owner, TagDialog* dialog);
