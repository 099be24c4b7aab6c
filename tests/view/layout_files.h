// A memo folder, a configuration file and a plain design for layout and cell tests: 64-pixel
// columns, four memo lines, 9-point fonts at 96 dots per inch (lines of 15 pixels), and text
// that measures 6 pixels a byte (titles too).
#pragma once
#include <algorithm>
#include <cstring>

#include "base/sjis.h"
#include "calendar/holiday_rules.h"
#include "memo/countdown.h"
#include "render/title_text.h"
#include "tests/memo/memo_files.h"
#include "tests/test_dates.h"
#include "view/view_layout.h"

// A countdown memo of the date and text.
inline CountdownMemo Countdown(int year, int month, int day, const char* text) {
    CountdownMemo memo{};
    memo.year = year;
    memo.month = month;
    memo.day = day;
    CopyField(memo.text, sizeof memo.text, text);
    return memo;
}

class FixedMeasure : public LayoutMeasure {
public:
    int TextWidth(const Design&, int, const char* text) override { return 6 * static_cast<int>(std::strlen(text)); }
    int TitleWidth(const Design& design, int year) override {
        int widest = 0;
        for (int month = 1; month <= 12; ++month) {
            char title[256];
            FormatTitle(design.titleForm, Date(year, month, 1), title, sizeof title);
            widest = std::max(widest, TextWidth(design, kFontTitle, title));
        }
        return widest;
    }
};

class LayoutFiles : public MemoFiles {
protected:
    void SetUp() override {
        MemoFiles::SetUp();
        UseConfig(dir.File("t.ini"));
        ResetAppState(&st);
        Design& d = st.design;
        d.cellWidth = 64;
        d.listWidth = 120;
        d.cellLine = 4;
        d.memoRow = 4;
        for (int i = 0; i < 7; ++i) d.ratios[i] = 1;
        d.ratioSum = 7;
        for (auto& f : d.fonts) f.logFont.lfHeight = 9;
        in = {};
        in.logPixelsY = 96;
        in.buttonHeight = ButtonBitmapHeight(1);  // title bar 19
        in.measure = &measure;
        in.rules = &g_holidayRules;
        in.countdowns = &g_countdowns;
        nav = NavigationState{};
    }

    // Lays out as the shell does: from the navigation state, which keeps what the layout made of
    // it, as the metrics do in st.
    const LayoutResult& Lay() {
        result = BuildLayout(st, nav, in);
        st.layout = result.metrics;
        nav = result.nav;
        return result;
    }

    AppState st;
    LayoutInputs in;
    FixedMeasure measure;
    NavigationState nav;
    LayoutResult result = {};
    const ViewModel& view = result.view;
};
