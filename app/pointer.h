// Where a point of the window falls: which edge or band the system should treat it as, which
// title button, which cell, and which context menu a right click there opens.
#pragma once
#include "render/painter.h"
#include "view/view_layout.h"

enum HitArea { kHitClient, kHitCaption, kHitLeft, kHitRight, kHitTop, kHitBottom };

struct HitInputs {
    const PaintResult* painted;  // the buttons, when shown
    bool keepWinHeight;          // top and bottom edges resize only then
    int clientWidth, clientHeight;
    int frameMargin;             // the system's frame and border widths
    int titleHeight;
};

// The buttons first; then the edges (top and bottom only with a kept height); then the title
// band drags the window; the rest is the client area.
HitArea HitTestWindow(int x, int y, const HitInputs& in);

// The index of the title button at the point (0 the rightmost), or -1.
int ButtonAt(int x, int y, const PaintResult& painted);

// The day cell at the point, first hit in display order (a cell id), or kCellNone.
int DayCellAt(int x, int y);
// The countdown line at the point (a cell id), or kCellNone.
int CountdownLineAt(int x, int y);
bool InMemoBox(int x, int y);
// What a cell covers in the window, its border's right column included; false for no cell.
bool CellBounds(int cell, CellRect* out);

// The context menu of a right click and the cell it acts on.
struct MenuChoice {
    int menu;    // a menu resource id, 0 for none
    int target;  // a cell id
};
// Below the title and weekday bands: the memo box or a day cell (memo menu); in the bands: the
// window menu; a countdown line overrides the window menu.
MenuChoice ChooseMenu(int x, int y, int titleHeight, int headHeight);
