// The title text through the runtime's strftime under code page 932, as the program runs it.
#include "render/title_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

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
}  // namespace
