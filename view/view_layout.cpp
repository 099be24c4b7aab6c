#include "view/view_layout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/sjis.h"
#include "calendar/calendar_years.h"
#include "memo/memo_store.h"

ViewModel g_view;
NavigationState g_nav;

void ResetNavigation(NavigationState* nav) { *nav = NavigationState{}; }

int ButtonBitmapHeight(int btnSize) { return ButtonLookOf(btnSize).large ? 16 : 10; }

namespace {
int Dpi(int dpi) { return dpi > 0 ? dpi : 96; }
}  // namespace

int ButtonScale(int dpi) { return std::max(1, (Dpi(dpi) + 48) / 96); }

// The buttons stand a pixel apart (two when large) and the rightmost one a scaled pixel from the
// edge (as the painter lays them); their pictures are square.
int ButtonRowWidth(int btnSize, int dpi) {
    ButtonLook look = ButtonLookOf(btnSize);
    if (!look.shown) return 0;
    int scale = ButtonScale(dpi);
    int picture = ButtonBitmapHeight(btnSize) * scale, gap = (look.large ? 2 : 1) * scale;
    return 7 * (picture + gap) - gap + 1 + scale;
}

// The title starts a pixel in; a few pixels keep it off the buttons, and cover what the editions'
// text drawing adds to the width the layout measures.
int TitleBandWidth(int titleWidth, int btnSize, int dpi) {
    return ScaleToDpi(1, dpi) + std::max(titleWidth, 0) + ScaleToDpi(8, dpi) + ButtonRowWidth(btnSize, dpi);
}

int ScaleToDpi(int px, int dpi) { return MulDivRound(px, Dpi(dpi), 96); }

int ScaleTo96(int px, int dpi) { return MulDivRound(px, 96, Dpi(dpi)); }

// The window is the cells' width and one pixel of border; the border is left out before the list
// width is scaled back, so that the width a layout gave comes back whatever the rounding.
int DesignWidthOfClient(int clientWidth, bool list, int dpi) {
    return list ? ScaleTo96(clientWidth - 1, dpi) : ScaleTo96(clientWidth, dpi) / 7;
}

int MulDivRound(int a, int b, int c) {
    if (c == 0) return -1;
    long long p = static_cast<long long>(a) * b;
    long long q = (std::llabs(p) + std::llabs(c) / 2) / std::llabs(c);
    return static_cast<int>(((p < 0) != (c < 0)) ? -q : q);
}

namespace {
// Cell ids carry the cell index in 12 bits (kCellDayBase + index), so no more cells than that.
constexpr int kMaxCells = 0x0FFF;

// Back to the start of its week, the week starting on beginWeek.
std::tm StartOfWeek(const std::tm& date, int beginWeek) {
    return AddDays(date, -(((date.tm_wday - beginWeek) % 7 + 7) % 7));
}

std::tm WithMonth(const std::tm& date, int monthDelta, int day) {
    std::tm t = date;
    t.tm_mon += monthDelta;
    t.tm_mday = day;
    return NormaliseDate(t);
}

int Px(const Design& d, int place, int dpi) { return MulDivRound(d.fonts[place].logFont.lfHeight, dpi, 72); }

int Measure(const LayoutInputs& in, const Design& d, int place, const char* text) {
    return in.measure ? in.measure->TextWidth(d, place, text) : 0;
}

// Steps the navigation state by its month-change and row-scroll requests. Leaves everything as
// it was (requests dropped, false returned) when the step would leave the calendar's years.
bool StepNavigation(const Settings& s, const std::tm& now, NavigationState* state) {
    NavigationState& nav = *state;
    const NavigationState before = nav;
    bool list = ShowsList(s), todayTop = s.listTodayTop != 0;
    int t = now.tm_mday;
    std::tm b = now;
    b.tm_mon = now.tm_mon + nav.monthRequest + nav.monthOffset;
    int r = nav.monthRequest, d = 0;
    if (r != 0) {
        if (!todayTop) {
            // A previous-month step while scrolled forward goes back to the displayed month's start.
            if (r == -1 && nav.dayOffset > 0) r = 0, b.tm_mon += 1;
        } else if (nav.scrolled) {
            int m = nav.monthOffset, so = nav.dayOffset;
            if (r == -1) {
                if ((m > 0 && so > 0) || (m == 0 && so > t - 1)) r = 0, b.tm_mon += 1;
                else if (m <= 0 && so == 0) nav.monthOffset = m - 1, b.tm_mon -= 1;
            } else {
                if ((m < 0 && so > 0) || (m == 0 && so < t - 1)) r = 0, b.tm_mon -= 1;
                else if (m < 0 && so == 0) nav.monthOffset = m - 1, b.tm_mon -= 1;
            }
        }
        nav.scrolled = 0;
        nav.dayOffset = 0;
        nav.rowScrollRequest = 0;
    } else {
        d = nav.rowScrollRequest;
    }
    if (todayTop && !nav.scrolled && d != 0) {
        if (nav.monthOffset == 0) nav.dayOffset = b.tm_mday - 1;  // the row of today
        else if (nav.monthOffset < 0) nav.monthOffset += 1, b.tm_mon += 1;
    }
    if (!list && d != 0) d = d > 0 ? ((d + 6) / 7) * 7 : ((d - 6) / 7) * 7;  // whole weeks
    b.tm_mday = nav.dayOffset + d + 1;
    b = NormaliseDate(b);
    if (!IsCalendarYear(b.tm_year + 1900)) {
        nav.monthOffset = before.monthOffset;
        nav.dayOffset = before.dayOffset;
        nav.scrolled = before.scrolled;
        nav.monthRequest = 0;
        nav.rowScrollRequest = 0;
        return false;
    }
    nav.monthOffset += r;
    nav.monthRequest = 0;
    if (nav.rowScrollRequest != 0) nav.scrolled = 1;
    nav.dayOffset += d;
    nav.rowScrollRequest = 0;
    int u = 12 * (b.tm_year - now.tm_year) + b.tm_mon - now.tm_mon - nav.monthOffset;
    if (u != 0) {  // the first day moved into another month
        nav.monthOffset += u;
        nav.dayOffset = b.tm_mday - 1;
    }
    if (nav.monthOffset == 0 && nav.dayOffset == (todayTop ? t - 1 : 0)) nav.scrolled = 0;
    return true;
}

// The displayed month and the first visible day from the navigation state.
void PlaceView(const Settings& s, const std::tm& now, const NavigationState& nav, ViewModel* view) {
    bool todayTop = s.listTodayTop && !nav.scrolled;
    const std::tm& today = now;
    std::tm displayed = WithMonth(now, nav.monthOffset, nav.monthOffset != 0 ? 1 : now.tm_mday);
    std::tm first = WithMonth(now, nav.monthOffset, nav.dayOffset + 1);
    if (!ShowsList(s)) {
        first = StartOfWeek(first, s.beginWeek);
        if (todayTop && nav.monthOffset == 0) {
            first = StartOfWeek(today, s.beginWeek);
        } else if (todayTop && nav.monthOffset < 0 && today.tm_mday > today.tm_wday + 1) {
            // The first step back shows the start of the current month hidden above today's week.
            displayed = WithMonth(today, nav.monthOffset + 1, 1);
            first = StartOfWeek(displayed, s.beginWeek);
        }
    } else {
        if (todayTop && nav.monthOffset == 0) first = today;
        else if (todayTop && nav.monthOffset < 0 && today.tm_mday > 1) first = WithMonth(first, 1, first.tm_mday);
        displayed = first;
    }
    view->firstDay = first;
    view->displayedMonth = displayed;
}

int RowCountFromCalendar(const Settings& s, const NavigationState& nav, const ViewModel& view) {
    const std::tm& first = view.firstDay;
    bool todayTop = s.listTodayTop && nav.monthOffset == 0;
    if (ShowsList(s)) {
        if (todayTop) return 31;
        return DaysInMonth(first.tm_year + 1900, first.tm_mon + 1) - first.tm_mday + 1;
    }
    if (todayTop) return 5;
    int rows = 0;
    for (std::tm week = first; SameMonth(week, first) || SameMonth(week, view.displayedMonth); ++rows)
        week = AddDays(week, 7);
    return rows;
}

// What the layout works on: its inputs and the result it fills.
struct Work {
    const AppState& st;
    const LayoutInputs& in;
    const HolidayRuleTable& rules;
    LayoutResult& r;

    // The day of cell index resolved into the model and gathered, with its colour column.
    const DayCellRequest& AddDay(int index, const std::tm& date) {
        ViewModel& v = r.view;
        ResolveDay(&v.model, rules, index, date);
        int colour = ShowsList(st.settings) ? WeekdayColour(date.tm_wday)
                                                   : ColumnColour(index % 7, v.sundayColumn, v.saturdayColumn);
        v.days.push_back(GatherDayRequest(DaySources{st.settings, rules, v.model, r.today, v.displayedMonth}, index,
                                          date, colour));
        return v.days.back();
    }
    // The memo lines of a day just added, the text being typed for it counted in place of the
    // stored one.
    int LinesOf(const DayCellRequest& day) const { return DayMemoLineCount(day, in.editing); }
};

// The seven cells of a table row from x 0, split by the column ratios.
void PushTableRow(const Design& d, int top, int bottom, int width, std::vector<CellRect>* cells) {
    int x = 0;
    for (int c = 0; c < 7; ++c) {
        int right = d.ratioSum > 0 ? x + d.ratios[c] * width / d.ratioSum : x + width / 7;
        if (c == 6) right = width - 1;
        cells->push_back({x, top, right, bottom});
        x = right;
    }
}

struct Bands {
    int calendarTop;
    int rowHeight;
    int fixedHeight;
    int memoBoxHeight;
};

void LayRows(Work& w, const Bands& b) {
    const LayoutMetrics& m = w.r.metrics;
    ViewModel& v = w.r.view;
    int bottomLimit = m.winHeight - b.memoBoxHeight;
    for (int r = 0; r < m.rowCount; ++r) {
        int top = b.calendarTop + r * b.rowHeight;
        int bottom = std::min(top + b.rowHeight, bottomLimit);
        if (ShowsList(w.st.settings)) v.cells.push_back({0, top, m.winWidth - 1, bottom});
        else PushTableRow(w.st.design, top, bottom, m.winWidth, &v.cells);
    }
    std::tm day = v.firstDay;
    for (size_t i = 0; i < v.cells.size(); ++i, day = AddDays(day, 1)) w.AddDay(static_cast<int>(i), day);
}

// Rows as high as the memo lines of their days ("CELL_ROW_EXTEND"): counted rows, or as many as
// fit the kept window height.
void LayExtendedRows(Work& w, const Bands& b) {
    LayoutMetrics& m = w.r.metrics;
    ViewModel& v = w.r.view;
    const Settings& s = w.st.settings;
    const Design& d = w.st.design;
    bool list = ShowsList(s);
    if (list && ListHeadLabel(d, 0)[0]) {
        m.listHeadWidth = 0;
        for (int i = 0; i < 7; ++i)
            m.listHeadWidth = std::max(m.listHeadWidth, Measure(w.in, d, kFontListHead, ListHeadLabel(d, i)));
    }
    bool heightMode = m.rowCount == 0;
    int bottomLimit = 0, remaining = 0;
    if (heightMode) {
        bottomLimit = m.winHeight - b.memoBoxHeight;
        remaining = m.winHeight - b.fixedHeight;
        if (remaining <= 0) {
            remaining = 1;
            m.winHeight = b.fixedHeight;
        }
    }
    std::tm day = v.firstDay;
    int index = 0, top = b.calendarTop, rows = 0;
    int perRow = list ? 1 : 7;
    while ((rows < m.rowCount || (heightMode && remaining > 0)) && index + perRow <= kMaxCells) {
        int height;
        if (!list) {
            int lines = d.cellLine;
            for (int c = 0; c < 7; ++c, ++index, day = AddDays(day, 1))
                lines = std::max(lines, w.LinesOf(w.AddDay(index, day)));
            height = lines * m.memoLineHeight + m.dayLineHeight;
            int bottom = heightMode ? std::min(top + height, bottomLimit) : top + height;
            PushTableRow(d, top, bottom, m.winWidth, &v.cells);
        } else {
            int lines = w.LinesOf(w.AddDay(index, day));
            height = lines > 1 ? m.listRowHeight + (lines - 1) * m.memoLineHeight : m.listRowHeight;
            int bottom = heightMode ? std::min(top + height, bottomLimit) : top + height;
            v.cells.push_back({0, top, m.winWidth - 1, bottom});
            ++index;
            day = AddDays(day, 1);
        }
        // A row takes at least a pixel, so that a kept height is used up even when hand-edited
        // fonts make the lines no height at all.
        height = std::max(height, 1);
        remaining -= height;
        top += height;
        ++rows;
    }
    // The seven columns end at the window's last pixel, so the window keeps its width.
    if (heightMode) m.rowCount = rows;
    else m.winHeight = top + b.memoBoxHeight + 1;
}

bool Meets(const CellRect& a, const CellRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The free memo as the memo box shows it: at most 4095 bytes.
std::string FreeMemoText(int memoRow) {
    std::string text = ReadFreeMemo(memoRow);
    text.resize(SjisFitLength(text.c_str(), 4095));
    return text;
}
}  // namespace

std::tm DefaultFirstDay(const Settings& settings, const std::tm& now) {
    std::tm first = now;
    if (!settings.listTodayTop) first.tm_mday = 1;
    first = NormaliseDate(first);
    return ShowsList(settings) ? first : StartOfWeek(first, settings.beginWeek);
}

void AnchorFirstDay(NavigationState* nav, int dayNumber, const Settings& settings, const std::tm& now) {
    nav->monthOffset = 0;
    nav->monthRequest = 0;
    nav->scrolled = 0;
    nav->dayOffset = 0;
    nav->rowScrollRequest = dayNumber - LocalDayNumber(DefaultFirstDay(settings, now));
}

void ReanchorAtMidnight(NavigationState* nav, const std::tm& firstDay, const Settings& settings, const std::tm& now) {
    if (nav->monthOffset != 0 || nav->scrolled) AnchorFirstDay(nav, LocalDayNumber(firstDay), settings, now);
}

bool NavigationStepFits(const Settings& settings, const std::tm& now, const NavigationState& nav, int months,
                        int days) {
    NavigationState next = nav;
    next.monthRequest = months;
    next.rowScrollRequest = days;
    return StepNavigation(settings, now, &next);
}

LayoutResult BuildLayout(const AppState& state, const NavigationState& nav, const LayoutInputs& in) {
    static const HolidayRuleTable kNoRules = {};
    const Settings& s = state.settings;
    const Design& d = state.design;
    LayoutResult result = {};
    Work w{state, in, in.rules ? *in.rules : kNoRules, result};
    LayoutMetrics& m = result.metrics;
    ViewModel& v = result.view;
    m = state.layout;
    result.nav = nav;
    bool list = ShowsList(s);
    std::tm now = in.now;
    m.rowCount = 0;
    // A kept height follows the window to another resolution.
    if (Dpi(m.dpi) != Dpi(in.dpi)) m.winHeight = MulDivRound(m.winHeight, Dpi(in.dpi), Dpi(m.dpi));
    m.dpi = in.dpi;

    StepNavigation(s, now, &result.nav);
    result.today = Today{now, LocalDayNumber(now)};
    PlaceView(s, now, result.nav, &v);
    if ((!s.keepWinHeight && !result.nav.scrolled) || m.winHeight == 0)
        m.rowCount = RowCountFromCalendar(s, result.nav, v);

    // Pixel metrics of the bands.
    // Fonts come from points; the gaps around them are 96-dpi pixels.
    int dpi = in.logPixelsY;
    int gap2 = ScaleToDpi(2, in.dpi), gap3 = ScaleToDpi(3, in.dpi);
    m.titleHeight = std::max(Px(d, kFontTitle, dpi) + gap2, in.buttonHeight + gap3);
    m.dayLineHeight = std::max({Px(d, kFontDay, dpi), Px(d, kFontToday, dpi), Px(d, kFontOmday, dpi),
                                Px(d, kFontHoli, dpi)}) + gap3;
    m.memoLineHeight = Px(d, kFontDmemo, dpi) + gap3;
    m.memoBoxLineHeight = Px(d, kFontMemo, dpi) + gap3;
    Bands b;
    b.memoBoxHeight = m.memoBoxLineHeight * d.memoRow;
    if (!list) {
        m.headHeight = Px(d, kFontHead, dpi) + gap2;
        m.winWidth = ScaleToDpi(d.cellWidth * 7, in.dpi) + 1;
        b.calendarTop = m.titleHeight + m.headHeight;
        b.rowHeight = d.cellLine * m.memoLineHeight + m.dayLineHeight;
    } else {
        m.headHeight = 0;
        m.listRowHeight = std::max(m.dayLineHeight, m.memoLineHeight);
        m.winWidth = ScaleToDpi(d.listWidth, in.dpi) + 1;
        b.calendarTop = m.titleHeight;
        b.rowHeight = m.listRowHeight;
    }
    // However narrow the cells, the title bar keeps room for the month's title and the buttons.
    int title = in.measure ? in.measure->TitleWidth(d, v.displayedMonth.tm_year + 1900) : 0;
    m.winWidth = std::max(m.winWidth, TitleBandWidth(title, s.btnSize, in.dpi));
    b.rowHeight = std::max(b.rowHeight, 1);  // hand-edited negative font sizes give none
    b.fixedHeight = b.calendarTop + b.memoBoxHeight + 1;
    if (in.countdowns && !in.countdowns->memos.empty()) {
        int lineHeight = Px(d, kFontCdown, in.logPixelsY) + gap3;
        v.countdowns = LayCountdownLines(in.countdowns->memos, in.countdowns->form, result.today.dayNumber,
                                         m.titleHeight, m.winWidth, lineHeight, Measure(in, d, kFontCdown, "0000"));
        m.cdownHeight = static_cast<int>(v.countdowns.size()) * lineHeight;
    } else {
        m.cdownHeight = 0;
    }
    b.calendarTop += m.cdownHeight;
    b.fixedHeight += m.cdownHeight;

    BeginMonthModel(&v.model, w.rules, v.displayedMonth.tm_year + 1900, v.firstDay);
    v.sundayColumn = s.beginWeek >= 1 ? 7 - s.beginWeek : 0;
    v.saturdayColumn = v.sundayColumn - 1 < 0 ? v.sundayColumn + 6 : v.sundayColumn - 1;

    if (!s.cellRowExtend) {
        if (m.rowCount > 0) {
            m.winHeight = b.rowHeight * m.rowCount + b.fixedHeight;
        } else {
            // At most as many rows as cells can be told apart, whatever height was stored.
            long long rows = (static_cast<long long>(m.winHeight) - b.fixedHeight + b.rowHeight - 1) / b.rowHeight;
            m.rowCount = static_cast<int>(std::min<long long>(rows, list ? kMaxCells : kMaxCells / 7));
            if (m.rowCount <= 0) {
                m.rowCount = 1;
                m.winHeight = b.fixedHeight;
            }
        }
        LayRows(w, b);
    } else {
        LayExtendedRows(w, b);
    }

    v.memoBox = {0, m.winHeight - d.memoRow * m.memoBoxLineHeight - 1, m.winWidth, m.winHeight};
    if (d.memoRow > 0) v.memoBoxText = FreeMemoText(d.memoRow);
    bool away = result.nav.monthOffset != 0 || result.nav.scrolled;
    result.windowHeight = ScaleTo96(m.winHeight, in.dpi);
    result.topDate = s.dayscrollKeep && away ? LocalDayNumber(v.firstDay) : 0;
    return result;
}

void ReadShownMemos(ViewModel* view, const CellRect& area, int memoRow) {
    for (size_t i = 0; i < view->cells.size() && i < view->days.size(); ++i) {
        // A cell is drawn one pixel into its right neighbour.
        CellRect drawn = view->cells[i];
        drawn.right += 1;
        DayCellRequest& day = view->days[i];
        if (Meets(drawn, area)) day.memo = StoredDayMemo(day.year, day.month, day.day);
    }
    if (memoRow > 0 && Meets(view->memoBox, area)) view->memoBoxText = FreeMemoText(memoRow);
}

void ReleaseViewModel() { g_view = ViewModel{}; }
