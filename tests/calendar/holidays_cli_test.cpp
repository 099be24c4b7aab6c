// The shipped holiday files through the real command-line tool, against Japan's actual days off.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <string>

#include "tests/config/config_test_files.h"

namespace {
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

const std::string kShipped = std::string(TESSEL_SOURCE_DIR) + "/data/tessel_holiday.ini";

struct Output {
    int code;
    std::string out;
};

// Runs the tool with cal.ini in dir, whose holiday file is cal_holiday.ini.
Output Cli(const TempFolder& dir, const std::string& args) {
    std::string out = dir.File("out.txt");
    std::string cmd = std::string("'") + TESSEL_CLI + "' --config '" + dir.File("cal.ini") + "' " + args + " >'" +
                      out + "' 2>/dev/null";
    int status = std::system(cmd.c_str());
    return Output{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWhole(out)};
}

void UseShipped(const TempFolder& dir) {
    std::string cmd = "cp '" + kShipped + "' '" + dir.File("cal_holiday.ini") + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
}
}  // namespace

TEST(ShippedHolidays, Year2024) {
    TempFolder dir;
    UseShipped(dir);
    Output r = Cli(dir, "holidays 2024");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, Utf8(u8"2024-01-01\t元日\n"
                          u8"2024-01-08\t成人の日\n"
                          u8"2024-02-11\t建国記念の日\n"
                          u8"2024-02-12\t振替休日\n"
                          u8"2024-02-23\t天皇誕生日\n"
                          u8"2024-03-20\t春分の日\n"
                          u8"2024-04-29\t昭和の日\n"
                          u8"2024-05-03\t憲法記念日\n"
                          u8"2024-05-04\tみどりの日\n"
                          u8"2024-05-05\tこどもの日\n"
                          u8"2024-05-06\t振替休日\n"
                          u8"2024-07-15\t海の日\n"
                          u8"2024-08-11\t山の日\n"
                          u8"2024-08-12\t振替休日\n"
                          u8"2024-09-16\t敬老の日\n"
                          u8"2024-09-22\t秋分の日\n"
                          u8"2024-09-23\t振替休日\n"
                          u8"2024-10-14\tスポーツの日\n"
                          u8"2024-11-03\t文化の日\n"
                          u8"2024-11-04\t振替休日\n"
                          u8"2024-11-23\t勤労感謝の日\n"));
}

TEST(ShippedHolidays, Year2025) {
    TempFolder dir;
    UseShipped(dir);
    Output r = Cli(dir, "holidays 2025");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, Utf8(u8"2025-01-01\t元日\n"
                          u8"2025-01-13\t成人の日\n"
                          u8"2025-02-11\t建国記念の日\n"
                          u8"2025-02-23\t天皇誕生日\n"
                          u8"2025-02-24\t振替休日\n"
                          u8"2025-03-20\t春分の日\n"
                          u8"2025-04-29\t昭和の日\n"
                          u8"2025-05-03\t憲法記念日\n"
                          u8"2025-05-04\tみどりの日\n"
                          u8"2025-05-05\tこどもの日\n"
                          u8"2025-05-06\t振替休日\n"
                          u8"2025-07-21\t海の日\n"
                          u8"2025-08-11\t山の日\n"
                          u8"2025-09-15\t敬老の日\n"
                          u8"2025-09-23\t秋分の日\n"
                          u8"2025-10-13\tスポーツの日\n"
                          u8"2025-11-03\t文化の日\n"
                          u8"2025-11-23\t勤労感謝の日\n"
                          u8"2025-11-24\t振替休日\n"));
}

TEST(ShippedHolidays, Year2026) {
    TempFolder dir;
    UseShipped(dir);
    Output r = Cli(dir, "holidays 2026");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, Utf8(u8"2026-01-01\t元日\n"
                          u8"2026-01-12\t成人の日\n"
                          u8"2026-02-11\t建国記念の日\n"
                          u8"2026-02-23\t天皇誕生日\n"
                          u8"2026-03-20\t春分の日\n"
                          u8"2026-04-29\t昭和の日\n"
                          u8"2026-05-03\t憲法記念日\n"
                          u8"2026-05-04\tみどりの日\n"
                          u8"2026-05-05\tこどもの日\n"
                          u8"2026-05-06\t振替休日\n"
                          u8"2026-07-20\t海の日\n"
                          u8"2026-08-11\t山の日\n"
                          u8"2026-09-21\t敬老の日\n"
                          u8"2026-09-22\t国民の休日\n"
                          u8"2026-09-23\t秋分の日\n"
                          u8"2026-10-12\tスポーツの日\n"
                          u8"2026-11-03\t文化の日\n"
                          u8"2026-11-23\t勤労感謝の日\n"));
}

TEST(ShippedHolidays, Year2023StartsWithASubstituteFor1January) {
    TempFolder dir;
    UseShipped(dir);
    Output r = Cli(dir, "holidays 2023");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find(Utf8(u8"成人の日"))),
              Utf8(u8"2023-01-01\t元日\n2023-01-02\t振替休日\n2023-01-09\t"));
    EXPECT_NE(r.out.find(Utf8(u8"2023-03-21\t春分の日\n")), std::string::npos);
    EXPECT_NE(r.out.find(Utf8(u8"2023-09-23\t秋分の日\n")), std::string::npos);
}

TEST(ShippedHolidays, BothEditionsShipTheSameCodePage932File) {
    std::string layered = ReadWhole(kShipped);
    std::string classic = ReadWhole(std::string(TESSEL_SOURCE_DIR) + "/data/desk-calendar-classic_holiday.ini");
    EXPECT_EQ(layered, classic);
    EXPECT_EQ(layered.substr(0, 11), "[SETTING]\r\n");
    EXPECT_NE(layered.find("1=0,1,1,-1,0,0,0,0,0,0,\x8c\xb3\x93\xfa\r\n"), std::string::npos);  // 元日
    EXPECT_EQ(layered.find("\n\n"), std::string::npos);
    int lines = 0;
    for (size_t i = 0; i < layered.size(); ++i)
        if (layered[i] == '\n') {
            ++lines;
            EXPECT_EQ(layered[i - 1], '\r');
        }
    EXPECT_EQ(lines, 17);
}

TEST(ShippedHolidays, RulesListedAsTheDialogShowsThem) {
    TempFolder dir;
    UseShipped(dir);
    Output r = Cli(dir, "rules");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, Utf8(u8"国民の祝日\t1月1日\t\t元日\n"
                          u8"国民の祝日\t1月第2月曜日\t\t成人の日\n"
                          u8"国民の祝日\t2月11日\t\t建国記念の日\n"
                          u8"国民の祝日\t2月23日\t\t天皇誕生日\n"
                          u8"国民の祝日\t春分日\t\t春分の日\n"
                          u8"国民の祝日\t4月29日\t\t昭和の日\n"
                          u8"国民の祝日\t5月3日\t\t憲法記念日\n"
                          u8"国民の祝日\t5月4日\t\tみどりの日\n"
                          u8"国民の祝日\t5月5日\t\tこどもの日\n"
                          u8"国民の祝日\t7月第3月曜日\t\t海の日\n"
                          u8"国民の祝日\t8月11日\t\t山の日\n"
                          u8"国民の祝日\t9月第3月曜日\t\t敬老の日\n"
                          u8"国民の祝日\t秋分日\t\t秋分の日\n"
                          u8"国民の祝日\t10月第2月曜日\t\tスポーツの日\n"
                          u8"国民の祝日\t11月3日\t\t文化の日\n"
                          u8"国民の祝日\t11月23日\t\t勤労感謝の日\n"));
}

TEST(HolidaysCli, PersonalHolidaysAndHandEditedFiles) {
    TempFolder dir;
    std::string junk(300, 'z');
    std::string longLine = "5=1,0,15,-1,0,0,0,0,0,0," + junk;
    WriteIni(dir.File("cal_holiday.ini"),
             {"[SETTING]", "1=1,3,3,-1,0,0,0,0,0,0,誕生日", "2=0,3", "3=9,99,-5,44,8,8,8,8,8,0,odd",
              "4=0,3,3,-1,0,0,0,0,0,0,", longLine.c_str(), "6=2,6,1,-1,0,0,0,0,0,0,memo only"});
    Output r = Cli(dir, "holidays 2026");
    EXPECT_EQ(r.code, 0);
    // 3 March: a national rule with an empty text comes first, then the personal rule's text.
    EXPECT_EQ(r.out.substr(0, 20), Utf8(u8"2026-01-15\t") + std::string(9, 'z'));
    EXPECT_NE(r.out.find(Utf8(u8"2026-03-03\t誕生日\n")), std::string::npos);
    EXPECT_EQ(r.out.find("2026-06-01"), std::string::npos);  // memo rules make no holiday
    int lines = 0;
    for (char c : r.out) lines += c == '\n';
    EXPECT_EQ(lines, 13);  // twelve 15ths and 3 March
    Output rules = Cli(dir, "rules");
    EXPECT_EQ(rules.code, 0);
    EXPECT_NE(rules.out.find("?(9)\t?(99)\t\todd\n"), std::string::npos);
    EXPECT_NE(rules.out.find(Utf8(u8"個人的休日\t毎月15日\t\t") + std::string(127, 'z') + "\n"), std::string::npos);
    EXPECT_NE(rules.out.find(Utf8(u8"メモ(祝日)\t6月1日\t\tmemo only\n")), std::string::npos);
    lines = 0;
    for (char c : rules.out) lines += c == '\n';
    EXPECT_EQ(lines, 5);
}

TEST(HolidaysCli, MissingFileAndBadYears) {
    TempFolder dir;
    Output r = Cli(dir, "holidays 2026");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Cli(dir, "rules").out, "");
    EXPECT_FALSE(FileExists(dir.File("cal_holiday.ini")));
    EXPECT_EQ(Cli(dir, "holidays").code, 2);
    EXPECT_EQ(Cli(dir, "holidays 20x6").code, 2);
    EXPECT_EQ(Cli(dir, "holidays 1900").code, 2);
    EXPECT_EQ(Cli(dir, "rules extra").code, 2);
}
