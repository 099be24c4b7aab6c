// What goes where in the calendar window, drawn once for both editions on a DrawSurface: the
// title bar with its buttons, the countdown lines, the weekday head, the day cells (table or
// list), the memo box, the selection frame and the quick memo's caret.
#pragma once
#include "config/app_state.h"
#include "render/surface.h"
#include "render/title_buttons.h"

// What the painters read besides AppState, the view model and the memo files.
struct PaintContext {
    int highlightedCell;  // the selected cell, framed (kCellNone for none)
    int editingCell;      // the cell whose text is being typed
    bool quickMemo;       // the editing cell is a quick memo (wide frame and caret)
    bool alwaysOnTop;     // the pin button lies down
};

// What a paint learnt, for the window to keep: where the buttons are and where the caret is.
struct PaintResult {
    bool buttonsShown;
    ButtonRect buttons[kButtonCount];  // index 0 the rightmost
    bool caretShown;       // a quick memo's caret was drawn; the input method's window goes there
    int caretX, caretY;    // the highlighted cell's caret point, in window coordinates
};

// Draws every part of the window that meets the surface's clip.
PaintResult PaintFrame(DrawSurface& surface, const AppState& state, const PaintContext& context);
