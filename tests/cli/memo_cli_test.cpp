// desk-calendar-cli memo commands against real files: UTF-8 in and out, CP932 bytes stored.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>

#include <cstdlib>
#include <string>

#include "tests/config/config_test_files.h"

namespace {
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

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
    Out r = Cli(dir, "set 2025-01-02 '" "ab\xF0\x9F\x98\x80" "'");
    EXPECT_EQ(r.rc, 2);
    // The character is named, in the calendar's language.
    EXPECT_NE(r.err.find(Utf8(u8"メモに Shift-JIS で表せない文字があります。何も書き込んでいません: 「") + "\xF0\x9F\x98\x80" + Utf8(u8"」(U+1F600)")),
              std::string::npos) << r.err;
    EXPECT_FALSE(FileExists(dir.File("t_memo2025.ini")));
    EXPECT_EQ(Cli(dir, "get 2025-02-30").rc, 2);
}
// The calendar's years end with 2099: its last day holds a memo that search finds; a date
// outside them is refused with one line, and nothing is written.
TEST(MemoCli, TheYearsTo2099AndNoFurther) {
    TempFolder dir;
    WriteIni(dir.File("t.ini"), {"[CONFIG]"});
    EXPECT_EQ(Cli(dir, "set 2099-12-31 'last day'").rc, 0);
    EXPECT_EQ(Cli(dir, "set 2038-01-19 'wrap'").rc, 0);
    EXPECT_EQ(Cli(dir, "get 2099-12-31").out, "last day\n");
    EXPECT_NE(ReadWhole(dir.File("t_memo2099.ini")).find("[12]\r\n31=last day\r\n"), std::string::npos);
    std::string search = "cd '" + dir.Path() + "' && '" TESSEL_CLI "' --config t.ini search a >out.txt 2>err.txt";
    ASSERT_EQ(std::system(search.c_str()), 0);
    EXPECT_EQ(ReadWhole(dir.File("out.txt")), "2038/01/19\twrap\n2099/12/31\tlast day\n");
    for (const char* date : {"2100-01-01", "1969-12-31"}) {
        Out r = Cli(dir, std::string("set ") + date + " beyond");
        EXPECT_EQ(r.rc, 2) << date;
        EXPECT_EQ(r.err, Utf8(u8"desk-calendar-cli: 日付は 1970 年から 2099 年までの YYYY-MM-DD です: ") + date + "\n");
        EXPECT_EQ(Cli(dir, std::string("append ") + date + " beyond").rc, 2);
        EXPECT_EQ(Cli(dir, std::string("get ") + date).rc, 2);
    }
    EXPECT_FALSE(FileExists(dir.File("t_memo2100.ini")));
    EXPECT_FALSE(FileExists(dir.File("t_memo1969.ini")));
}

// A folder whose name holds printf conversions is only a name.
TEST(MemoCli, FolderNamedLikeAFormat) {
    TempFolder top;
    std::string folder = top.File("100%s%n");
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    WriteIni(folder + "/t.ini", {"[CONFIG]"});
    std::string cmd = "cd '" + folder + "' && '" TESSEL_CLI "' --config t.ini memo set 2025-03-04 hello >/dev/null 2>&1";
    int status = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(ReadWhole(folder + "/t_memo2025.ini").find("4=hello"), std::string::npos);
}

// A write that cannot reach the disk says so on one line and exits 2; nothing changes.
TEST(MemoCli, ReadOnlyFolderOrFileFailsLoudly) {
    TempFolder dir;
    WriteIni(dir.File("t.ini"), {"[CONFIG]"});
    ASSERT_EQ(Cli(dir, "set 2025-03-04 first").rc, 0);
    std::string year = dir.File("t_memo2025.ini");
    std::string before = ReadWhole(year);

    ASSERT_EQ(chmod(year.c_str(), 0444), 0);
    Out r = Cli(dir, "set 2025-03-04 second");
    ASSERT_EQ(chmod(year.c_str(), 0644), 0);
    EXPECT_EQ(r.rc, 2);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(Utf8(u8"t_memo2025.ini: ファイルが読み取り専用になっています。")), std::string::npos) << r.err;
    EXPECT_EQ(ReadWhole(year), before);

    // The messages go to another folder while this one is read-only.
    TempFolder elsewhere;
    std::string cmd = "cd '" + dir.Path() + "' && chmod 555 . && '" TESSEL_CLI
                      "' --config t.ini memo append 2025-03-04 more >/dev/null 2>'" + elsewhere.File("err.txt") +
                      "'; rc=$?; chmod 755 .; exit $rc";
    int status = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    std::string err = ReadWhole(elsewhere.File("err.txt"));
    EXPECT_NE(err.find(Utf8(u8"フォルダーに書き込む権限がありません。")), std::string::npos) << err;
    EXPECT_EQ(ReadWhole(year), before);
    EXPECT_EQ(Cli(dir, "get 2025-03-04").out, "first\n");
}
}  // namespace
