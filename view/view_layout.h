// The calendar view: which days are on show, the pixel metrics of every band of the window, one
// rectangle per day cell and the countdown lines, laid out from the settings, the design, the
// navigation state and what the layout is handed.
#pragma once
#include <ctime>
#include <string>
#include <vector>

#include "calendar/civil_date.h"
#include "calendar/holiday_rules.h"
#include "calendar/month_model.h"
#include "calendar/today.h"
#include "config/app_state.h"
#include "memo/countdown.h"
#include "view/countdown_lines.h"
#include "view/day_cell.h"
#include "view/edit_overlay.h"

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

// What the layout is handed besides the settings, the design and the navigation state.
struct LayoutInputs {
    std::tm now;         // current local time
    int logPixelsY;      // vertical dots per inch the fonts are made at
    int buttonHeight;    // height of the operation-button bitmap of the current size, as drawn
    int dpi;             // of the window: design pixels are 96-dpi pixels (0: 96)
    LayoutMeasure* measure;  // null: every text measures 0
    const HolidayRuleTable* rules;     // null: no rules
    const CountdownList* countdowns;   // null: no countdown lines
    EditOverlay editing;               // the text being typed, counted in place of the stored one
};

// Where the view stands between rebuilds.
struct NavigationState {
    int monthOffset;       // displayed month minus the current month
    int monthRequest;      // months to move at the next rebuild
    int rowScrollRequest;  // days to scroll at the next rebuild
    int scrolled;          // the view has been scrolled away from its default first day
    int dayOffset;         // 0-based day of the displayed month at which a scrolled view starts
};

// The shell's navigation state, kept between rebuilds.
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
    std::vector<DayCellRequest> days;  // what each cell shows, one per cell
    MonthModel model;                  // the rules of each cell's day
    CellRect memoBox;
    std::string memoBoxText;           // the free memo (CR LF), at most 4095 bytes
    std::vector<CountdownLine> countdowns;
    int sundayColumn;        // table columns drawn in the holiday and Saturday colours
    int saturdayColumn;
};

// The view the shell shows: the last layout's.
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
void AnchorFirstDay(NavigationState* nav, int dayNumber, const Settings& settings, const std::tm& now);

// At midnight a view away from its default position keeps its first visible day (firstDay, of
// the view laid out before).
void ReanchorAtMidnight(NavigationState* nav, const std::tm& firstDay, const Settings& settings, const std::tm& now);

// Whether a month step (months: -1, 1, -12, 12) or a row scroll (days) from nav stays within the
// calendar's years, as the next layout would take it; where it would not, the command is grayed.
bool NavigationStepFits(const Settings& settings, const std::tm& now, const NavigationState& nav, int months,
                        int days);

// What a layout gives the shell: the view, its metrics, the navigation state with its requests
// consumed, today as the view was laid out for, and what to keep in the configuration.
struct LayoutResult {
    ViewModel view;
    LayoutMetrics metrics;  // at in.dpi, which metrics.dpi holds
    NavigationState nav;
    Today today;       // in.now
    int windowHeight;  // "WIN_HEIGHT_<screen height>", in 96-dpi pixels
    int topDate;       // "TOP_DATE": the first visible day when the view is kept away, else 0
};

// Lays out the view for the settings and design of state from the navigation state nav.
// state.layout.winHeight is the height to keep, at state.layout.dpi (0: 96). Reads the memo files
// for the memos of the days on show and the free memo (the view holds what is stored; the text
// being typed stands in for it where the view is drawn).
LayoutResult BuildLayout(const AppState& state, const NavigationState& nav, const LayoutInputs& in);

// Reads again the memos of the cells of view that meet area (client pixels), and the free memo
// when the memo box does (memoRow: "MEMO_ROW"): what a paint of area shows as the files hold it.
void ReadShownMemos(ViewModel* view, const CellRect& area, int memoRow);

// Empties the view the shell shows (shutdown).
void ReleaseViewModel();
