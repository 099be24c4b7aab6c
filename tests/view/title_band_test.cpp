// The title bar holds the month's title and the seven buttons at every width the settings allow:
// a window narrower than they need is widened to them, in both forms, and keeps its width over
// the months of a year.
#include <gtest/gtest.h>

#include <cstring>

#include "render/title_buttons.h"
#include "render/title_text.h"
#include "tests/test_dates.h"
#include "tests/view/layout_files.h"
#include "view/view_layout.h"

namespace {
class TitleBand : public LayoutFiles {
protected:
    void SetUp() override {
        LayoutFiles::SetUp();
        std::strcpy(st.design.titleForm, " %Y-%m");  // the default: " 2026-12" is 48 pixels here
        st.settings.btnSize = 1;
        in.now = Date(2026, 2, 10);
    }
    // Lays out and returns where the leftmost button begins (the window's width when hidden).
    int ButtonsStart() {
        BuildLayout(&st, in);
        ButtonRect r[kButtonCount];
        int scale = ButtonScale(in.dpi);
        int picture = ButtonBitmapHeight(st.settings.btnSize) * scale;
        if (!LayButtons(st.layout.winWidth, st.layout.titleHeight, st.settings.btnSize, picture, picture, r, scale))
            return st.layout.winWidth;
        return r[kButtonCount - 1].left;
    }
    // Where the title's text ends: it starts a pixel in.
    int TitleEnd() { return 1 + measure.TitleWidth(st.design, 2026); }
};
}  // namespace

TEST_F(TitleBand, TheDefaultListShowsTitleAndButtons) {
    st.settings.calendarType = CalendarType::kList;
    st.design.listWidth = 64;  // as LIST_WIDTH reads without a value of its own
    int start = ButtonsStart();
    EXPECT_EQ(TitleEnd(), 49);
    EXPECT_GE(start, TitleEnd() + 4);
    EXPECT_EQ(st.layout.winWidth, TitleBandWidth(48, 1, 96));
    EXPECT_GT(st.layout.winWidth, 65);
    // The day rows and the memo box span the whole window.
    ASSERT_FALSE(g_view.cells.empty());
    EXPECT_EQ(g_view.cells[0].right, st.layout.winWidth - 1);
    EXPECT_EQ(g_view.memoBox.right, st.layout.winWidth);
}

TEST_F(TitleBand, EveryAllowedWidthOfBothFormsFits) {
    for (int form : {0, 1})
        for (int buttons : {0, 1, 2, 3})
            for (int width = 10; width <= 400; width += 3) {
                st.settings.calendarType = static_cast<CalendarType>(form);
                st.settings.btnSize = buttons;
                st.design.listWidth = width;
                st.design.cellWidth = width / 7 < 10 ? 10 : width / 7;
                int start = ButtonsStart();
                ASSERT_GE(start, TitleEnd() + 4) << form << " " << buttons << " " << width;
                ASSERT_GE(st.layout.winWidth, TitleEnd());
                // Nothing narrower than what the form itself asks for.
                int own = form == 1 ? width + 1 : st.design.cellWidth * 7 + 1;
                ASSERT_GE(st.layout.winWidth, own);
            }
}

TEST_F(TitleBand, AWideEnoughWindowKeepsItsWidth) {
    st.settings.calendarType = CalendarType::kList;
    st.design.listWidth = 300;
    BuildLayout(&st, in);
    EXPECT_EQ(st.layout.winWidth, 301);
    st.settings.calendarType = CalendarType::kTable;
    BuildLayout(&st, in);
    EXPECT_EQ(st.layout.winWidth, 449);
}

// The widest month of the year counts, so that stepping from September to October does not
// change the window.
TEST_F(TitleBand, TheWidthStaysOverTheYear) {
    st.settings.calendarType = CalendarType::kList;
    st.design.listWidth = 64;
    in.now = Date(2026, 9, 10);
    BuildLayout(&st, in);
    int september = st.layout.winWidth;
    in.now = Date(2026, 10, 10);
    BuildLayout(&st, in);
    EXPECT_EQ(st.layout.winWidth, september);
}

TEST_F(TitleBand, ButtonsTakeTheirRowAtEveryScale) {
    EXPECT_EQ(ButtonRowWidth(1, 96), 126);
    EXPECT_EQ(ButtonRowWidth(0, 96), 78);
    EXPECT_EQ(ButtonRowWidth(2, 96), 0);
    EXPECT_EQ(ButtonRowWidth(3, 96), 0);
    for (int dpi : {96, 144, 192, 288})
        for (int size : {0, 1}) {
            ButtonRect r[kButtonCount];
            int scale = ButtonScale(dpi), picture = ButtonBitmapHeight(size) * scale;
            ASSERT_TRUE(LayButtons(500, 40, size, picture, picture, r, scale));
            EXPECT_EQ(500 - r[kButtonCount - 1].left, ButtonRowWidth(size, dpi)) << dpi << " " << size;
        }
}
