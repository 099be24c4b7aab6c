// desk-calendar-cli memo commands against real files: UTF-8 in and out, CP932 bytes stored.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "tests/config/config_test_files.h"

namespace {
struct Out {
    int rc;
    std::string out, err;
};

Out Cli(const TempFolder& dir, const std::string& args, const std::string& input = "") {
    std::string cmd = "cd '" + dir.Path() + "' && printf '%s' '" + input + "' | '" TESSEL_CLI
                      "' --config t.ini memo " + args + " >out.txt 2>err.txt";
    int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWhole(dir.File("out.txt")),
            ReadWhole(dir.File("err.txt"))};
}

TEST(MemoCli, SetAppendGetAndFree) {
    TempFolder dir;
    WriteIni(dir.File("t.ini"), {"[CONFIG]"});
    EXPECT_EQ(Cli(dir, "set 2025-03-04 ' " "\xE3\x81\x82" "\n" "\xE3\x81\x84" "'").rc, 0);
    EXPECT_NE(ReadWhole(dir.File("t_memo2025.ini")).find("[3]\r\n4=\x80 \x82\xA0\x7F\x82\xA2\r\n"),
              std::string::npos);
    EXPECT_EQ(Cli(dir, "append 2025-03-04 x").rc, 0);
    EXPECT_EQ(Cli(dir, "get 2025-03-04").out, " " "\xE3\x81\x82" "\n" "\xE3\x81\x84" "\nx\n");
    EXPECT_EQ(Cli(dir, "get 2025-03-05").out, "");
    EXPECT_EQ(Cli(dir, "set 2025-03-04 -", "from stdin\n").rc, 0);
    EXPECT_EQ(Cli(dir, "get 2025-03-04").out, "from stdin\n");
    EXPECT_EQ(Cli(dir, "set 2025-03-04 ''").rc, 0);
    EXPECT_EQ(ReadWhole(dir.File("t_memo2025.ini")).find("4="), std::string::npos);
    EXPECT_EQ(Cli(dir, "free '" "\xE3\x83\xA1" "" "\xE3\x83\xA2" "'").rc, 0);
    EXPECT_EQ(Cli(dir, "free").out, "" "\xE3\x83\xA1" "" "\xE3\x83\xA2" "\n");
}

TEST(MemoCli, RefusesWhatCodePage932CannotHold) {
    TempFolder dir;
    WriteIni(dir.File("t.ini"), {"[CONFIG]"});
    Out r = Cli(dir, "set 2025-01-02 '" "\xF0\x9F\x98\x80" "'");
    EXPECT_EQ(r.rc, 2);
    EXPECT_NE(r.err.find("code page 932"), std::string::npos);
    EXPECT_FALSE(FileExists(dir.File("t_memo2025.ini")));
    EXPECT_EQ(Cli(dir, "get 2025-02-30").rc, 2);
}
}  // namespace
