// desk-calendar-cli search against real memo files: rows in date order, status on stderr.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "sync/text_convert.h"
#include "tests/config/config_test_files.h"

namespace {
struct Out {
    int rc;
    std::string out, err;
};

// Literals here are code page 932; the tool speaks UTF-8.
std::string U8(const char* cp932) { return Cp932ToUtf8(cp932).value_or(""); }

Out Search(const TempFolder& dir, const std::string& keyword) {
    std::string cmd = "cd '" + dir.Path() + "' && '" TESSEL_CLI "' --config t.ini search '" + keyword +
                      "' >out.txt 2>err.txt";
    int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWhole(dir.File("out.txt")),
            ReadWhole(dir.File("err.txt"))};
}

TEST(SearchCli, RowsStatusAndTagWords) {
    TempFolder dir;
    // 会議 is 89 EF 8B 63 in code page 932; TAG1 is the word [重要] (5B 8F 64 97 76 5D).
    WriteIni(dir.File("t.ini"), {"[COLORTAG]", "TAG1=[\x8F\x64\x97\x76],ff0000,1,0,0"});
    WriteIni(dir.File("t_memo2026.ini"), {"[1]", "5=[\x8F\x64\x97\x76]\x89\xEF\x8B\x63\x7F" "10:00"});
    WriteIni(dir.File("t_memo2024.ini"), {"[12]", "31=\x89\xEF\x8B\x63 A", "1=x"});
    Out r = Search(dir, U8("会議"));
    EXPECT_EQ(r.rc, 0);
    EXPECT_EQ(r.out, U8("2024/12/31\t会議 A\n2026/01/05\t会議  10:00\n"));  // the line break shows as CR LF: two spaces
    EXPECT_EQ(r.err, U8("2件見つかりました\n"));
    r = Search(dir, U8("重要"));
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, U8("該当するメモは見つかりませんでした\n"));
    r = Search(dir, "");
    EXPECT_EQ(r.rc, 2);
    EXPECT_EQ(r.err, U8("キーワードを指定してください\n"));
    r = Search(dir, "\xF0\x9F\x98\x80");
    EXPECT_EQ(r.rc, 2);
    EXPECT_NE(r.err.find(U8("検索する文字列に Shift-JIS で表せない文字があります: ") +
                         "\xE3\x80\x8C\xF0\x9F\x98\x80\xE3\x80\x8D(U+1F600)"),
              std::string::npos) << r.err;
}
}  // namespace
