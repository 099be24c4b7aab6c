#include "base/sjis.h"

#include <gtest/gtest.h>

TEST(Sjis, CutNeverSplitsADoubleByteCharacter) {
    char buf[8];
    CopyField(buf, 4, "a表b");  // 表 = 95 5C
    EXPECT_STREQ(buf, "a表");
    CopyField(buf, 3, "a表b");
    EXPECT_STREQ(buf, "a");
    char s[] = "表表";
    SjisCut(s, 3);
    EXPECT_STREQ(s, "表");
}
