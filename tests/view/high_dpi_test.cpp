// The layout on screens of 96, 144 and 192 dots per inch: design pixels scale by dpi / 96, fonts
// come from their points, cells meet without gaps, and what is kept stays in 96-dpi pixels.
#include <gtest/gtest.h>

#include "render/title_buttons.h"
#include "tests/test_dates.h"
#include "tests/view/layout_files.h"
#include "view/view_layout.h"

namespace {
class HighDpi : public LayoutFiles {
protected:
    LayoutResult LayOut(int dpi) {
        in.now = Date(2026, 2, 10);
        in.dpi = in.logPixelsY = dpi;
        in.buttonHeight = ButtonBitmapHeight(1) * ButtonScale(dpi);
        return BuildLayout(&st, in);
    }
    // Every row's cells follow each other without a gap and end at the window's last column.
    void ExpectNoGaps() {
        ASSERT_EQ(0u, g_view.cells.size() % 7);
        for (size_t i = 0; i < g_view.cells.size(); ++i) {
            const CellRect& c = g_view.cells[i];
            if (i % 7 == 0) {
                EXPECT_EQ(0, c.left);
            }
            int next = i % 7 == 6 ? st.layout.winWidth - 1 : g_view.cells[i + 1].left;
            EXPECT_EQ(next, c.right) << i;
        }
    }
};

TEST_F(HighDpi, CellsScaleByDpiOver96) {
    LayOut(96);
    const CellRect base = g_view.cells[8];
    const int baseWidth = st.layout.winWidth, baseTitle = st.layout.titleHeight;
    EXPECT_EQ(64, base.right - base.left);
    for (int dpi : {144, 192}) {
        LayOut(dpi);
        SCOPED_TRACE(dpi);
        EXPECT_EQ(st.design.cellWidth, 64);  // the design keeps its 96-dpi value
        EXPECT_EQ(dpi / 96.0 * (baseWidth - 1) + 1, st.layout.winWidth);
        const CellRect& c = g_view.cells[8];
        EXPECT_EQ(dpi / 96.0 * (base.right - base.left), c.right - c.left);
        EXPECT_EQ(dpi / 96.0 * base.left, c.left);
        if (dpi == 192) {
            EXPECT_EQ(2 * baseTitle, st.layout.titleHeight);  // buttons drawn twice as large
        }
        ExpectNoGaps();
    }
}

TEST_F(HighDpi, FontsComeFromPointsAndGapsScale) {
    LayOut(144);
    EXPECT_EQ(18 + 5, st.layout.memoLineHeight);  // 9 pt at 144 dpi and a gap of 3 × 1.5
    EXPECT_EQ(18 + 3, st.layout.headHeight);
    LayOut(192);
    EXPECT_EQ(24 + 6, st.layout.memoLineHeight);
}

TEST_F(HighDpi, UnevenColumnsLeaveNoGapAtAnyScale) {
    const int ratios[7] = {3, 2, 2, 2, 2, 2, 3};
    for (int i = 0; i < 7; ++i) st.design.ratios[i] = ratios[i];
    st.design.ratioSum = 16;
    for (int dpi : {96, 120, 144, 168, 192}) {
        SCOPED_TRACE(dpi);
        LayOut(dpi);
        ExpectNoGaps();
    }
}

TEST_F(HighDpi, KeptHeightIsIn96DpiPixels) {
    st.settings.keepWinHeight = 1;
    st.layout.winHeight = 400;
    EXPECT_EQ(400, LayOut(144).windowHeight);
    EXPECT_EQ(600, st.layout.winHeight);
    EXPECT_EQ(400, LayOut(192).windowHeight);  // moved to another monitor
    EXPECT_EQ(800, st.layout.winHeight);
}

TEST_F(HighDpi, ListWidthScales) {
    st.settings.calendarType = CalendarType::kList;
    LayOut(144);
    EXPECT_EQ(180 + 1, st.layout.winWidth);
    EXPECT_EQ(180, g_view.cells[0].right);
}

TEST(HighDpiWidths, DraggedWidthComesBackAsTheDesignWidth) {
    for (int dpi = 96; dpi <= 240; dpi += 24)
        for (int w = 10; w <= 300; ++w) {
            ASSERT_EQ(w, DesignWidthOfClient(ScaleToDpi(w * 7, dpi) + 1, false, dpi)) << dpi;
            ASSERT_EQ(w, DesignWidthOfClient(ScaleToDpi(w, dpi) + 1, true, dpi)) << dpi;
        }
    EXPECT_EQ(65, DesignWidthOfClient(455, false, 96));
}

TEST(HighDpiButtons, WholeMultiplesWidenTheGaps) {
    EXPECT_EQ(1, ButtonScale(96));
    EXPECT_EQ(1, ButtonScale(120));
    EXPECT_EQ(2, ButtonScale(144));
    EXPECT_EQ(2, ButtonScale(192));
    EXPECT_EQ(3, ButtonScale(288));
    ButtonRect r[kButtonCount];
    ASSERT_TRUE(LayButtons(300, 38, 1, 32, 32, r, 2));
    EXPECT_EQ(300 - 1 - 2, r[0].right);
    EXPECT_EQ(32 + 4, r[0].left - r[1].left);
}
}  // namespace
