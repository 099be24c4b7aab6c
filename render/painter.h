// What goes where in the calendar window, drawn once for both editions on a DrawSurface: the
// title bar with its buttons, the countdown lines, the weekday head, the day cells (table or
// list), the memo box, the selection frame and the quick memo's caret.
#pragma once
#include "base/cell_ids.h"
#include "config/app_state.h"
#include "config/tags.h"
#include "render/surface.h"
#include "render/title_buttons.h"
#include "view/edit_overlay.h"
#include "view/view_layout.h"

// What the painters are handed besides AppState and the view.
struct PaintContext {
    int highlightedCell = kCellNone;  // the selected cell, framed
    EditOverlay editing;              // the text being typed and its cell, shown in place of the view's
    bool quickMemo = false;           // the editing cell is a quick memo (wide frame and caret)
    bool alwaysOnTop = false;         // the pin button lies down
    const TagTable* tags = nullptr;   // the tag words and their styles (null: none)
};

// What a paint learnt, for the window to keep: where the buttons are and where the caret is.
struct PaintResult {
    bool buttonsShown;
    ButtonRect buttons[kButtonCount];  // index 0 the rightmost
    bool caretShown;       // a quick memo's caret was drawn; the input method's window goes there
    int caretX, caretY;    // the highlighted cell's caret point, in window coordinates
};

// Draws every part of the window that meets the surface's clip: view laid out for state.
PaintResult PaintFrame(DrawSurface& surface, const AppState& state, const ViewModel& view, const PaintContext& context);

// The tags of a paint context: its own, or none.
const TagTable& TagsOf(const PaintContext& context);
