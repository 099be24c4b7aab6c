// The calendar view: which days are on show, the pixel metrics of every band of the window, one
// rectangle per day cell and the countdown lines, rebuilt from AppState and the navigation state.
#pragma once
#include <ctime>
#include <vector>

#include "calendar/civil_date.h"
#include "config/app_state.h"

// Text widths the layout asks of the platform: GDI in the programs, fixed metrics in tests.
class LayoutMeasure {
public:
    // Width in pixels of text in the font of font place `place` of design, at the resolution of
    // the screen.
    virtual int TextWidth(const Design& design, int place, const char* text) = 0;
    // Width of the widest title bar text of the twelve months of year (the title format expanded
    // for each), in the title's font.
    virtual int TitleWidth(const Design& design, int year) = 0;

protected:
    ~LayoutMeasure() = default;
};

// What the screen tells the layout.
struct LayoutInputs {
    std::tm now;         // current local time
    int logPixelsY;      // vertical dots per inch the fonts are made at
    int buttonHeight;    // height of the operation-button bitmap of the current size, as drawn
    int dpi;             // of the window: design pixels are 96-dpi pixels (0: 96)
    LayoutMeasure* measure;  // null: every text measures 0
};

// Where the view stands between rebuilds.
struct NavigationState {
    int monthOffset;       // displayed month minus the current month
    int monthRequest;      // months to move at the next rebuild
    int rowScrollRequest;  // days to scroll at the next rebuild
    int scrolled;          // the view has been scrolled away from its default first day
    int dayOffset;         // 0-based day of the displayed month at which a scrolled view starts
};

extern NavigationState g_nav;

// Navigation back at the current month, unscrolled.
void ResetNavigation(NavigationState* nav);

struct CellRect {
    int left, top, right, bottom;
};

struct ViewModel {
    std::tm firstDay;        // date of cell 0
    std::tm displayedMonth;  // month of the title; other-month days are told by it
    std::vector<CellRect> cells;
    CellRect memoBox;
    int sundayColumn;        // table columns drawn in the holiday and Saturday colours
    int saturdayColumn;
};

extern ViewModel g_view;

// Button bitmap heights: small buttons are 10 pixels high, large ones 16.
int ButtonBitmapHeight(int btnSize);

// Whole multiple the 1-bit button pictures are drawn at, so that they stay sharp: the scale
// rounded, never below 1.
int ButtonScale(int dpi);

// Width the seven buttons take at the right of the title bar, from the leftmost button's left
// edge to the window's right edge (0 while they are hidden), at dpi.
int ButtonRowWidth(int btnSize, int dpi);

// The narrowest window whose title bar shows a title titleWidth wide and the buttons beside it.
int TitleBandWidth(int titleWidth, int btnSize, int dpi);

// A design length in 96-dpi pixels as pixels at dpi (0: 96).
int ScaleToDpi(int px, int dpi);
// And back, for what is kept in the files.
int ScaleTo96(int px, int dpi);

// The cell or list width (96-dpi) a window of clientWidth pixels at dpi stands for.
int DesignWidthOfClient(int clientWidth, bool list, int dpi);

// MulDiv of the platform: a * b / c rounded to nearest, halves away from zero; -1 when c is 0.
int MulDivRound(int a, int b, int c);

// The first visible day of the default, unscrolled view of the current month: today with
// "LIST_TODAY_TOP", else the 1st; in table form moved back to the start of its week.
std::tm DefaultFirstDay(const Settings& settings, const std::tm& now);

// Puts the view back at the current month and asks the next layout to scroll so that the day
// dayNumber is the first visible day again (the "TOP_DATE" restore at start-up).
void AnchorFirstDay(int dayNumber, const Settings& settings, const std::tm& now);

// At midnight a view away from its default position keeps its first visible day.
void ReanchorAtMidnight(const Settings& settings, const std::tm& now);

// What a layout leaves for the shell to keep in the configuration.
struct LayoutResult {
    int windowHeight;  // "WIN_HEIGHT_<screen height>", in 96-dpi pixels
    int topDate;       // "TOP_DATE": the first visible day when the view is kept away, else 0
};

// Lays out the view for `state`: consumes the navigation requests, records today (in.now), fills
// the layout metrics, the cells, the month model and the countdown lines.
// state->layout.winHeight is the height to keep on entry, at state->layout.dpi (0: 96); the
// metrics come out at in.dpi, which state->layout.dpi then holds.
LayoutResult BuildLayout(AppState* state, const LayoutInputs& in);

// Frees the cell rectangles (shutdown).
void ReleaseViewModel();
