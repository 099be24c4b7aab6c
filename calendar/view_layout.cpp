#include "calendar/view_layout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/app_globals.h"
#include "config/profile_access.h"

ViewModel g_view;

int ButtonBitmapHeight(int btnSize) { return (btnSize & 1) ? 16 : 10; }

int LocalDayNumber(const std::tm& date) {
    // Days from the civil date, so a time-zone or summer-time shift cannot move the day.
    long long y = date.tm_year + 1900LL, m = date.tm_mon + 1;
    y -= m <= 2;
    long long era = (y >= 0 ? y : y - 399) / 400;
    long long yoe = y - era * 400;
    long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + date.tm_mday - 1;
    long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return static_cast<int>(era * 146097 + doe - 719468);
}

int MulDivRound(int a, int b, int c) {
    if (c == 0) return -1;
    long long p = static_cast<long long>(a) * b;
    long long q = (std::llabs(p) + std::llabs(c) / 2) / std::llabs(c);
    return static_cast<int>(((p < 0) != (c < 0)) ? -q : q);
}

namespace {

std::tm Normalised(std::tm date) {
    date.tm_isdst = -1;
    std::mktime(&date);
    return date;
}

// Back to the start of its week, the week starting on beginWeek.
std::tm StartOfWeek(std::tm date, int beginWeek) {
    int k = ((date.tm_wday - beginWeek) % 7 + 7) % 7;
    date.tm_mday -= k;
    return Normalised(date);
}

bool SameMonth(const std::tm& a, const std::tm& b) {
    return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon;
}

int DaysInMonthFrom(const std::tm& date) {
    std::tm last = date;
    last.tm_mon += 1;
    last.tm_mday = 0;
    last = Normalised(last);
    return last.tm_mday - date.tm_mday + 1;
}

int CalendarRowCount(const Settings& s, const std::tm& first, const std::tm& displayed) {
    bool todayTop = s.listTodayTop && g_nav.monthOffset == 0;
    if (s.calendarType == 1) return todayTop ? 31 : DaysInMonthFrom(first);
    if (todayTop) return 5;
    int rows = 0;
    for (std::tm week = first; SameMonth(week, first) || SameMonth(week, displayed); ++rows) {
        week.tm_mday += 7;
        week = Normalised(week);
    }
    return rows;
}

int Px(const Design& d, int place, int dpi) { return MulDivRound(d.fonts[place].logFont.lfHeight, dpi, 72); }

void LayCells(const AppState& st, int calendarTop, int rowHeight, int calendarBottom) {
    const LayoutMetrics& m = st.layout;
    const Design& d = st.design;
    g_view.cells.clear();
    for (int r = 0; r < m.rowCount; ++r) {
        int top = calendarTop + r * rowHeight;
        int bottom = std::min(top + rowHeight, calendarBottom);
        if (st.settings.calendarType == 1) {
            g_view.cells.push_back({0, top, d.listWidth, bottom});
            continue;
        }
        int x = 0;
        for (int c = 0; c < 7; ++c) {
            int right = d.ratioSum > 0 ? x + d.ratios[c] * m.winWidth / d.ratioSum
                                       : x + m.winWidth / 7;
            if (c == 6) right = m.winWidth - 1;
            g_view.cells.push_back({x, top, right, bottom});
            x = right;
        }
    }
}

}  // namespace

std::tm DefaultFirstDay(const Settings& settings, const std::tm& now) {
    std::tm first = now;
    if (!settings.listTodayTop) first.tm_mday = 1;
    first = Normalised(first);
    return settings.calendarType == 1 ? first : StartOfWeek(first, settings.beginWeek);
}

void BuildLayout(AppState* state, const LayoutInputs& in) {
    const Settings& s = state->settings;
    const Design& d = state->design;
    LayoutMetrics& m = state->layout;
    bool list = s.calendarType == 1;
    m.rowCount = 0;

    // Today, the displayed month and the first visible day.
    g_shell.today = Normalised(in.now);
    g_shell.todayNumber = LocalDayNumber(g_shell.today);
    std::tm displayed = in.now;
    displayed.tm_mon += g_nav.monthOffset;
    if (g_nav.monthOffset != 0) displayed.tm_mday = 1;
    displayed = Normalised(displayed);
    std::tm first = in.now;
    first.tm_mon += g_nav.monthOffset;
    first.tm_mday = g_nav.dayOffset + 1;
    first = Normalised(first);
    if (!list) {
        first = StartOfWeek(first, s.beginWeek);
        if (s.listTodayTop && !g_nav.scrolled && g_nav.monthOffset == 0)
            first = StartOfWeek(g_shell.today, s.beginWeek);
    } else {
        if (s.listTodayTop && !g_nav.scrolled && g_nav.monthOffset == 0) first = g_shell.today;
        displayed = first;
    }
    g_view.firstDay = first;
    g_view.displayedMonth = displayed;

    if ((!s.keepWinHeight && !g_nav.scrolled) || m.winHeight == 0)
        m.rowCount = CalendarRowCount(s, first, displayed);

    // Pixel metrics of the bands.
    int dpi = in.logPixelsY;
    m.titleHeight = std::max(Px(d, kFontTitle, dpi) + 2, in.buttonHeight + 3);
    m.dayLineHeight = std::max({Px(d, kFontDay, dpi), Px(d, kFontToday, dpi), Px(d, kFontOmday, dpi),
                                Px(d, kFontHoli, dpi)}) + 3;
    m.memoLineHeight = Px(d, kFontDmemo, dpi) + 3;
    m.memoBoxLineHeight = Px(d, kFontMemo, dpi) + 3;
    int memoBoxHeight = m.memoBoxLineHeight * d.memoRow;
    int calendarTop, rowHeight;
    if (!list) {
        m.headHeight = Px(d, kFontHead, dpi) + 2;
        m.winWidth = d.cellWidth * 7 + 1;
        calendarTop = m.titleHeight + m.headHeight;
        rowHeight = d.cellLine * m.memoLineHeight + m.dayLineHeight;
    } else {
        m.headHeight = 0;
        m.listRowHeight = std::max(m.dayLineHeight, m.memoLineHeight);
        m.winWidth = d.listWidth + 1;
        calendarTop = m.titleHeight;
        rowHeight = m.listRowHeight;
    }
    m.cdownHeight = 0;  // the countdown band grows here once countdown memos are laid out
    int fixedHeight = calendarTop + memoBoxHeight + 1;

    // Rows: from the calendar, or as many as the kept window height holds.
    if (m.rowCount > 0) {
        m.winHeight = rowHeight * m.rowCount + fixedHeight;
    } else {
        m.rowCount = rowHeight > 0 ? (m.winHeight - fixedHeight + rowHeight - 1) / rowHeight : 0;
        if (m.rowCount <= 0) {
            m.rowCount = 1;
            m.winHeight = fixedHeight;
        }
    }
    LayCells(*state, calendarTop, rowHeight, m.winHeight - memoBoxHeight);

    char key[32];
    std::snprintf(key, sizeof key, "WIN_HEIGHT_%d", in.screenHeight);
    WriteConfigInt(key, m.winHeight);
    bool away = g_nav.monthOffset != 0 || g_nav.scrolled;
    WriteConfigInt("TOP_DATE", s.dayscrollKeep && away ? LocalDayNumber(first) : 0);

    g_view.memoBox = {0, m.winHeight - d.memoRow * m.memoBoxLineHeight - 1, m.winWidth, m.winHeight};
}

void ReleaseViewModel() { std::vector<CellRect>().swap(g_view.cells); }
