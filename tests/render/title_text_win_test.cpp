// The title text through the runtime's strftime under code page 932, as the program runs it.
#include "render/title_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

namespace {
TEST(TitleTextWindows, JapaneseFormsThroughTheRuntime) {
    std::setlocale(LC_ALL, "japanese");
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = 1;
    char out[256];
    FormatTitle(" %Y年%m月 (%g%h年)", t, out, sizeof out);
    EXPECT_STREQ(out, " 2026年12月 (令和 8年)");
    t.tm_mon = 4;
    FormatTitle("%g%h年%m月", t, out, sizeof out);
    EXPECT_STREQ(out, "令和 8年5月");
    FormatTitle(" %Y-%m", t, out, sizeof out);
    EXPECT_STREQ(out, " 2026-5");
    FormatTitle("%g%g %q %y", t, out, sizeof out);  // what the runtime does not know is shown as written
    EXPECT_STREQ(out, "令和%g %q 26");
    std::setlocale(LC_ALL, "C");
}

// Past 2038, where a 32-bit time has run out, the runtime still formats the month it is handed,
// with its weekday, and the era year has two digits.
TEST(TitleTextWindows, MonthsPast2038) {
    std::setlocale(LC_ALL, "japanese");
    std::vector<std::string> titles = TitlesOfYear(" %Y年%m月 (%g%h年) %a", 2099);
    ASSERT_EQ(titles.size(), 12u);
    EXPECT_EQ(titles[0], " 2099年1月 (令和81年) 木");
    EXPECT_EQ(titles[11], " 2099年12月 (令和81年) 火");
    titles = TitlesOfYear("%Y/%m %A", 2038);
    EXPECT_EQ(titles[0], "2038/1 金曜日");
    EXPECT_EQ(titles[1], "2038/2 月曜日");
    std::setlocale(LC_ALL, "C");
}
}  // namespace
