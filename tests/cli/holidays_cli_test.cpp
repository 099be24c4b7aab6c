// The shipped holiday files through the real command-line tool, against Japan's actual days off.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <string>

#include "tests/cli/holidays_cli_run.h"
#include "tests/config/config_test_files.h"

TEST(ShippedHolidays, Year2024) {
    TempFolder dir;
    UseShipped(dir);
    CliOutput r = Cli(dir, "holidays 2024");
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
    CliOutput r = Cli(dir, "holidays 2025");
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
    CliOutput r = Cli(dir, "holidays 2026");
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
    CliOutput r = Cli(dir, "holidays 2023");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find(Utf8(u8"成人の日"))),
              Utf8(u8"2023-01-01\t元日\n2023-01-02\t振替休日\n2023-01-09\t"));
    EXPECT_NE(r.out.find(Utf8(u8"2023-03-21\t春分の日\n")), std::string::npos);
    EXPECT_NE(r.out.find(Utf8(u8"2023-09-23\t秋分の日\n")), std::string::npos);
}

TEST(ShippedHolidays, BothEditionsShipTheSameCodePage932File) {
    std::string layered = ReadWhole(kShippedHolidays);
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
    EXPECT_EQ(lines, 38);  // the section and 37 rules
}

TEST(ShippedHolidays, RulesListedAsTheDialogShowsThemWithTheirYears) {
    TempFolder dir;
    UseShipped(dir);
    CliOutput r = Cli(dir, "rules");
    EXPECT_EQ(r.code, 0);
    for (const char8_t* line : {u8"国民の祝日\t1月1日\t\t元日\n", u8"国民の祝日\t1月15日\t～1999\t成人の日\n",
                                u8"国民の祝日\t1月第2月曜日\t2000～\t成人の日\n",
                                u8"国民の祝日\t4月29日\t1989～2006\tみどりの日\n",
                                u8"国民の祝日\t10月22日\t2019\t即位礼正殿の儀\n"})
        EXPECT_NE(r.out.find(Utf8(line)), std::string::npos) << Utf8(line);
}

namespace {
// Japan's days off as the law of each time gave them ("MM-DD name" each): years where the law or
// the calendar of holidays changed, and the years after 2035 under today's law with the equinox
// days the observatory's reckoning gives.
struct RecordedYear {
    int year;
    const char8_t* days;
};
const RecordedYear kRecord[] = {
    {1970, u8"01-01 元日,01-15 成人の日,02-11 建国記念の日,03-21 春分の日,04-29 天皇誕生日,05-03 憲法記念日,"
           u8"05-05 こどもの日,09-15 敬老の日,09-23 秋分の日,10-10 体育の日,11-03 文化の日,11-23 勤労感謝の日"},
    // The first substitute holidays; a Sunday holiday before 12 April got none.
    {1973, u8"01-01 元日,01-15 成人の日,02-11 建国記念の日,03-21 春分の日,04-29 天皇誕生日,04-30 振替休日,"
           u8"05-03 憲法記念日,05-05 こどもの日,09-15 敬老の日,09-23 秋分の日,09-24 振替休日,10-10 体育の日,"
           u8"11-03 文化の日,11-23 勤労感謝の日"},
    {1988, u8"01-01 元日,01-15 成人の日,02-11 建国記念の日,03-20 春分の日,03-21 振替休日,04-29 天皇誕生日,"
           u8"05-03 憲法記念日,05-04 国民の休日,05-05 こどもの日,09-15 敬老の日,09-23 秋分の日,10-10 体育の日,"
           u8"11-03 文化の日,11-23 勤労感謝の日"},
    {1989, u8"01-01 元日,01-02 振替休日,01-15 成人の日,01-16 振替休日,02-11 建国記念の日,02-24 大喪の礼,"
           u8"03-21 春分の日,04-29 みどりの日,05-03 憲法記念日,05-04 国民の休日,05-05 こどもの日,09-15 敬老の日,"
           u8"09-23 秋分の日,10-10 体育の日,11-03 文化の日,11-23 勤労感謝の日,12-23 天皇誕生日"},
    {2000, u8"01-01 元日,01-10 成人の日,02-11 建国記念の日,03-20 春分の日,04-29 みどりの日,05-03 憲法記念日,"
           u8"05-04 国民の休日,05-05 こどもの日,07-20 海の日,09-15 敬老の日,09-23 秋分の日,10-09 体育の日,"
           u8"11-03 文化の日,11-23 勤労感謝の日,12-23 天皇誕生日"},
    // 4 May on a Sunday is no citizens' holiday.
    {2003, u8"01-01 元日,01-13 成人の日,02-11 建国記念の日,03-21 春分の日,04-29 みどりの日,05-03 憲法記念日,"
           u8"05-05 こどもの日,07-21 海の日,09-15 敬老の日,09-23 秋分の日,10-13 体育の日,11-03 文化の日,"
           u8"11-23 勤労感謝の日,11-24 振替休日,12-23 天皇誕生日"},
    {2007, u8"01-01 元日,01-08 成人の日,02-11 建国記念の日,02-12 振替休日,03-21 春分の日,04-29 昭和の日,"
           u8"04-30 振替休日,05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,07-16 海の日,09-17 敬老の日,"
           u8"09-23 秋分の日,09-24 振替休日,10-08 体育の日,11-03 文化の日,11-23 勤労感謝の日,12-23 天皇誕生日,"
           u8"12-24 振替休日"},
    {2016, u8"01-01 元日,01-11 成人の日,02-11 建国記念の日,03-20 春分の日,03-21 振替休日,04-29 昭和の日,"
           u8"05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,07-18 海の日,08-11 山の日,09-19 敬老の日,"
           u8"09-22 秋分の日,10-10 体育の日,11-03 文化の日,11-23 勤労感謝の日,12-23 天皇誕生日"},
    {2019, u8"01-01 元日,01-14 成人の日,02-11 建国記念の日,03-21 春分の日,04-29 昭和の日,04-30 国民の休日,"
           u8"05-01 即位の日,05-02 国民の休日,05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,05-06 振替休日,"
           u8"07-15 海の日,08-11 山の日,08-12 振替休日,09-16 敬老の日,09-23 秋分の日,10-14 体育の日,"
           u8"10-22 即位礼正殿の儀,11-03 文化の日,11-04 振替休日,11-23 勤労感謝の日"},
    {2020, u8"01-01 元日,01-13 成人の日,02-11 建国記念の日,02-23 天皇誕生日,02-24 振替休日,03-20 春分の日,"
           u8"04-29 昭和の日,05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,05-06 振替休日,07-23 海の日,"
           u8"07-24 スポーツの日,08-10 山の日,09-21 敬老の日,09-22 秋分の日,11-03 文化の日,11-23 勤労感謝の日"},
    {2021, u8"01-01 元日,01-11 成人の日,02-11 建国記念の日,02-23 天皇誕生日,03-20 春分の日,04-29 昭和の日,"
           u8"05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,07-22 海の日,07-23 スポーツの日,08-08 山の日,"
           u8"08-09 振替休日,09-20 敬老の日,09-23 秋分の日,11-03 文化の日,11-23 勤労感謝の日"},
    // Today's law after 2035: substitute holidays (1 January 2040 and 2045 on a Sunday), the
    // citizens' holiday between 敬老の日 and 秋分の日 (2037, 2043, 2049), 秋分の日 on the 22nd
    // in two years of four from 2044.
    {2036, u8"01-01 元日,01-14 成人の日,02-11 建国記念の日,02-23 天皇誕生日,03-20 春分の日,04-29 昭和の日,"
           u8"05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,05-06 振替休日,07-21 海の日,08-11 山の日,"
           u8"09-15 敬老の日,09-22 秋分の日,10-13 スポーツの日,11-03 文化の日,11-23 勤労感謝の日,11-24 振替休日"},
    {2037, u8"01-01 元日,01-12 成人の日,02-11 建国記念の日,02-23 天皇誕生日,03-20 春分の日,04-29 昭和の日,"
           u8"05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,05-06 振替休日,07-20 海の日,08-11 山の日,"
           u8"09-21 敬老の日,09-22 国民の休日,09-23 秋分の日,10-12 スポーツの日,11-03 文化の日,11-23 勤労感謝の日"},
    {2038, u8"01-01 元日,01-11 成人の日,02-11 建国記念の日,02-23 天皇誕生日,03-20 春分の日,04-29 昭和の日,"
           u8"05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,07-19 海の日,08-11 山の日,09-20 敬老の日,"
           u8"09-23 秋分の日,10-11 スポーツの日,11-03 文化の日,11-23 勤労感謝の日"},
    {2039, u8"01-01 元日,01-10 成人の日,02-11 建国記念の日,02-23 天皇誕生日,03-21 春分の日,04-29 昭和の日,"
           u8"05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,07-18 海の日,08-11 山の日,09-19 敬老の日,"
           u8"09-23 秋分の日,10-10 スポーツの日,11-03 文化の日,11-23 勤労感謝の日"},
    {2040, u8"01-01 元日,01-02 振替休日,01-09 成人の日,02-11 建国記念の日,02-23 天皇誕生日,03-20 春分の日,"
           u8"04-29 昭和の日,04-30 振替休日,05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,07-16 海の日,"
           u8"08-11 山の日,09-17 敬老の日,09-22 秋分の日,10-08 スポーツの日,11-03 文化の日,11-23 勤労感謝の日"},
    {2041, u8"01-01 元日,01-14 成人の日,02-11 建国記念の日,02-23 天皇誕生日,03-20 春分の日,04-29 昭和の日,"
           u8"05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,05-06 振替休日,07-15 海の日,08-11 山の日,"
           u8"08-12 振替休日,09-16 敬老の日,09-23 秋分の日,10-14 スポーツの日,11-03 文化の日,11-04 振替休日,"
           u8"11-23 勤労感謝の日"},
    {2042, u8"01-01 元日,01-13 成人の日,02-11 建国記念の日,02-23 天皇誕生日,02-24 振替休日,03-20 春分の日,"
           u8"04-29 昭和の日,05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,05-06 振替休日,07-21 海の日,"
           u8"08-11 山の日,09-15 敬老の日,09-23 秋分の日,10-13 スポーツの日,11-03 文化の日,11-23 勤労感謝の日,"
           u8"11-24 振替休日"},
    {2043, u8"01-01 元日,01-12 成人の日,02-11 建国記念の日,02-23 天皇誕生日,03-21 春分の日,04-29 昭和の日,"
           u8"05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,05-06 振替休日,07-20 海の日,08-11 山の日,"
           u8"09-21 敬老の日,09-22 国民の休日,09-23 秋分の日,10-12 スポーツの日,11-03 文化の日,11-23 勤労感謝の日"},
    {2044, u8"01-01 元日,01-11 成人の日,02-11 建国記念の日,02-23 天皇誕生日,03-20 春分の日,03-21 振替休日,"
           u8"04-29 昭和の日,05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,07-18 海の日,08-11 山の日,"
           u8"09-19 敬老の日,09-22 秋分の日,10-10 スポーツの日,11-03 文化の日,11-23 勤労感謝の日"},
    {2045, u8"01-01 元日,01-02 振替休日,01-09 成人の日,02-11 建国記念の日,02-23 天皇誕生日,03-20 春分の日,"
           u8"04-29 昭和の日,05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,07-17 海の日,08-11 山の日,"
           u8"09-18 敬老の日,09-22 秋分の日,10-09 スポーツの日,11-03 文化の日,11-23 勤労感謝の日"},
    {2046, u8"01-01 元日,01-08 成人の日,02-11 建国記念の日,02-12 振替休日,02-23 天皇誕生日,03-20 春分の日,"
           u8"04-29 昭和の日,04-30 振替休日,05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,07-16 海の日,"
           u8"08-11 山の日,09-17 敬老の日,09-23 秋分の日,09-24 振替休日,10-08 スポーツの日,11-03 文化の日,"
           u8"11-23 勤労感謝の日"},
    {2047, u8"01-01 元日,01-14 成人の日,02-11 建国記念の日,02-23 天皇誕生日,03-21 春分の日,04-29 昭和の日,"
           u8"05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,05-06 振替休日,07-15 海の日,08-11 山の日,"
           u8"08-12 振替休日,09-16 敬老の日,09-23 秋分の日,10-14 スポーツの日,11-03 文化の日,11-04 振替休日,"
           u8"11-23 勤労感謝の日"},
    {2048, u8"01-01 元日,01-13 成人の日,02-11 建国記念の日,02-23 天皇誕生日,02-24 振替休日,03-20 春分の日,"
           u8"04-29 昭和の日,05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,05-06 振替休日,07-20 海の日,"
           u8"08-11 山の日,09-21 敬老の日,09-22 秋分の日,10-12 スポーツの日,11-03 文化の日,11-23 勤労感謝の日"},
    {2049, u8"01-01 元日,01-11 成人の日,02-11 建国記念の日,02-23 天皇誕生日,03-20 春分の日,04-29 昭和の日,"
           u8"05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,07-19 海の日,08-11 山の日,09-20 敬老の日,"
           u8"09-21 国民の休日,09-22 秋分の日,10-11 スポーツの日,11-03 文化の日,11-23 勤労感謝の日"},
    {2050, u8"01-01 元日,01-10 成人の日,02-11 建国記念の日,02-23 天皇誕生日,03-20 春分の日,03-21 振替休日,"
           u8"04-29 昭和の日,05-03 憲法記念日,05-04 みどりの日,05-05 こどもの日,07-18 海の日,08-11 山の日,"
           u8"09-19 敬老の日,09-23 秋分の日,10-10 スポーツの日,11-03 文化の日,11-23 勤労感謝の日"},
};

// The companion's days off of the recorded years from first to last, each against the record.
void ExpectRecordedYears(int first, int last) {
    TempFolder dir;
    UseShipped(dir);
    int checked = 0;
    for (const RecordedYear& y : kRecord) {
        if (y.year < first || y.year > last) continue;
        std::string want, days = Utf8(y.days);
        for (size_t at = 0; at < days.size();) {
            size_t comma = days.find(',', at);
            if (comma == std::string::npos) comma = days.size();
            std::string day = days.substr(at, comma - at);
            want += std::to_string(y.year) + "-" + day.substr(0, 5) + "\t" + day.substr(6) + "\n";
            at = comma + 1;
        }
        CliOutput r = Cli(dir, "holidays " + std::to_string(y.year));
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.out, want) << y.year;
        ++checked;
    }
    EXPECT_GT(checked, 0);
}
}  // namespace

TEST(ShippedHolidays, YearsWhereTheLawChanged) { ExpectRecordedYears(1970, 2035); }

// Every year from 2036 to 2050, the days off the calendar now reaches.
TEST(ShippedHolidays, YearsAfter2035UnderTodaysLaw) {
    ExpectRecordedYears(2036, 2050);
    int count = 0;
    for (const RecordedYear& y : kRecord) count += y.year >= 2036 && y.year <= 2050;
    EXPECT_EQ(count, 15);
}

TEST(HolidaysCli, PersonalHolidaysAndHandEditedFiles) {
    TempFolder dir;
    std::string junk(300, 'z');
    std::string longLine = "5=1,0,15,-1,0,0,0,0,0,0," + junk;
    WriteIni(dir.File("cal_holiday.ini"),
             {"[SETTING]", "1=1,3,3,-1,0,0,0,0,0,0,誕生日", "2=0,3", "3=9,99,-5,44,8,8,8,8,8,0,odd",
              "4=0,3,3,-1,0,0,0,0,0,0,", longLine.c_str(), "6=2,6,1,-1,0,0,0,0,0,0,memo only"});
    CliOutput r = Cli(dir, "holidays 2026");
    EXPECT_EQ(r.code, 0);
    // 3 March: a national rule with an empty text comes first, then the personal rule's text.
    EXPECT_EQ(r.out.substr(0, 20), Utf8(u8"2026-01-15\t") + std::string(9, 'z'));
    EXPECT_NE(r.out.find(Utf8(u8"2026-03-03\t誕生日\n")), std::string::npos);
    EXPECT_EQ(r.out.find("2026-06-01"), std::string::npos);  // memo rules make no holiday
    int lines = 0;
    for (char c : r.out) lines += c == '\n';
    EXPECT_EQ(lines, 13);  // twelve 15ths and 3 March
    CliOutput rules = Cli(dir, "rules");
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
    // No calendar ran here: reading its holidays would print nothing as if there were none.
    std::string cmd = std::string("'") + TESSEL_CLI + "' --config '" + dir.File("cal.ini") + "' holidays 2026 >'" +
                      dir.File("out.txt") + "' 2>'" + dir.File("err.txt") + "'";
    int status = std::system(cmd.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2);
    EXPECT_EQ(ReadWhole(dir.File("out.txt")), "");
    EXPECT_NE(ReadWhole(dir.File("err.txt")).find(Utf8(u8"設定ファイルがありません")), std::string::npos);
    EXPECT_FALSE(FileExists(dir.File("cal.ini")));
    CliOutput r = Cli(dir, "holidays 2026");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Cli(dir, "rules").out, "");
    EXPECT_FALSE(FileExists(dir.File("cal_holiday.ini")));
    EXPECT_EQ(Cli(dir, "holidays").code, 2);
    EXPECT_EQ(Cli(dir, "holidays 20x6").code, 2);
    EXPECT_EQ(Cli(dir, "holidays 1969").code, 2);
    EXPECT_EQ(Cli(dir, "holidays 2100").code, 2);
    EXPECT_EQ(Cli(dir, "rules extra").code, 2);
}
