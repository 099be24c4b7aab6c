// The title text with its era, and the button row of the title bar.
#include "render/title_text.h"

#include <gtest/gtest.h>

#include <string>

#include "render/title_buttons.h"
#include "tests/test_dates.h"

namespace {
std::string Title(const char* form, int y, int m) {
    char out[256];
    FormatTitle(form, Date(y, m, 1), out, sizeof out);
    return out;
}

TEST(TitleText, EraAndSpecialConversions) {
    EXPECT_EQ(Title("%g%h年%m月", 2004, 5), "平成16年5月");
    EXPECT_EQ(Title("%g%h年%m月", 1989, 1), "平成 1年1月");
    EXPECT_EQ(Title("%g%h年%m月", 1988, 12), "昭和63年12月");
    EXPECT_EQ(Title("%g%h年%m月", 2019, 4), "平成31年4月");
    EXPECT_EQ(Title("%g%h年%m月", 2019, 5), "令和 1年5月");  // the new era from May 2019
    EXPECT_EQ(Title("%g%h年%m月", 2026, 12), "令和 8年12月");
    EXPECT_EQ(Title("%g%h", 1970, 1), "昭和45");
    EXPECT_EQ(Title(" %Y-%m", 2004, 5), " 2004-5");
    EXPECT_EQ(Title(" %Y-%m", 2004, 10), " 2004-10");
    // Only the first of each is special: the rest is strftime's.
    EXPECT_EQ(Title("%m/%m %y", 2004, 5), "5/05 04");
    EXPECT_EQ(Title("%g%g", 2004, 5), std::string("平成") + "%g");  // shown as written
    EXPECT_EQ(Title("%Q%%%", 2004, 5), "%Q%%");  // no conversion the runtime may reject
    EXPECT_EQ(Title("", 2004, 5), "");
    char tiny[4];
    FormatTitle("%Y-%m", Date(2004, 5, 1), tiny, sizeof tiny);
    EXPECT_STREQ(tiny, "200");
    // A form is read as its first 63 bytes.
    std::string longForm(70, 'x');
    EXPECT_EQ(Title(longForm.c_str(), 2004, 5), std::string(63, 'x'));
}

TEST(TitleButtons, RectanglesBitmapsAndCommands) {
    ButtonRect r[kButtonCount];
    ASSERT_TRUE(LayButtons(200, 19, 1, 16, 16, r));
    EXPECT_EQ(r[0].left, 182);
    EXPECT_EQ(r[0].right, 198);
    EXPECT_EQ(r[0].top, 2);
    EXPECT_EQ(r[0].bottom, 18);
    EXPECT_EQ(r[0].left - r[1].left, 18);  // large buttons stand 18 apart
    EXPECT_EQ(r[6].left, 182 - 6 * 18);
    ASSERT_TRUE(LayButtons(200, 19, 0, 10, 10, r));
    EXPECT_EQ(r[0].left, 199 - 11);
    EXPECT_EQ(r[0].left - r[1].left, 11);
    EXPECT_EQ(r[0].top, 5);
    r[0].left = -5;
    EXPECT_FALSE(LayButtons(200, 19, 2, 16, 16, r));
    EXPECT_FALSE(LayButtons(200, 19, 3, 10, 10, r));
    EXPECT_EQ(r[0].left, -5);  // nothing written while hidden
    EXPECT_EQ(ButtonBitmapId(0, 1, false), 110);
    EXPECT_EQ(ButtonBitmapId(0, 0, false), 101);
    EXPECT_EQ(ButtonBitmapId(5, 1, false), 112);
    EXPECT_EQ(ButtonBitmapId(5, 1, true), 113);
    EXPECT_EQ(ButtonBitmapId(5, 0, true), 105);
    EXPECT_EQ(ButtonBitmapId(3, 0, true), 138);
    EXPECT_EQ(ButtonBitmapId(7, 0, false), 0);
    EXPECT_EQ(ButtonCommand(2), 40014);
    EXPECT_EQ(ButtonCommand(6), 40016);
}
}  // namespace
