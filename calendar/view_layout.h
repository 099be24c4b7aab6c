// The calendar view: which days are on show, the pixel metrics of every band of the window and
// one rectangle per day cell, rebuilt from AppState and the navigation state.
#pragma once
#include <ctime>
#include <vector>

#include "config/app_state.h"

// What the screen tells the layout; the Windows side measures it, tests make it up.
struct LayoutInputs {
    std::tm now;         // current local time
    int logPixelsY;      // vertical dots per inch of the screen
    int screenWidth;     // client rectangle of the desktop window
    int screenHeight;
    int buttonHeight;    // height of the operation-button bitmap of the current size
};

struct CellRect {
    int left, top, right, bottom;
};

struct ViewModel {
    std::tm firstDay;        // date of cell 0
    std::tm displayedMonth;  // month of the title; other-month days are told by it
    std::vector<CellRect> cells;
    CellRect memoBox;
};

extern ViewModel g_view;

// Button bitmap heights: small buttons are 10 pixels high, large ones 16.
int ButtonBitmapHeight(int btnSize);

// Days since 1 January 1970 of the local date in `date` (its time of day is ignored).
int LocalDayNumber(const std::tm& date);

// MulDiv of the platform: a * b / c rounded to nearest, halves away from zero; -1 when c is 0.
int MulDivRound(int a, int b, int c);

// The first visible day of the default, unscrolled view of the current month: today with
// "LIST_TODAY_TOP", else the 1st; in table form moved back to the start of its week.
std::tm DefaultFirstDay(const Settings& settings, const std::tm& now);

// Lays out the view for `state` and writes the window height ("WIN_HEIGHT_<screen height>") and
// "TOP_DATE" to the configuration. state->layout.winHeight is the height to keep on entry.
void BuildLayout(AppState* state, const LayoutInputs& in);

// Frees the cell rectangles (shutdown).
void ReleaseViewModel();
