// The keyboard cursor: the cells in a ring, day cells → memo box → countdown lines → day cells,
// the memo box skipped when it has no rows.
#pragma once

struct CursorRing {
    bool list;          // list form: up and down move one day
    int dayCells;
    int countdowns;
    int memoRows;       // the memo box takes part only with rows
    int cursorColumn;   // index % 7 of the last highlighted day cell
};

// The cell commands 104 (up), 105 (down), 106 (one back) and 107 (one on) move to from current.
// Other commands leave it.
int MoveCursor(int current, int command, const CursorRing& ring);
