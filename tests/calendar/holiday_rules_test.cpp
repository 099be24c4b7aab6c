// Holiday rules read from and written to real holiday files.
#include "calendar/holiday_rules.h"
#include "calendar/holiday_rule_edits.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "config/profile_store.h"
#include "tests/config/config_test_files.h"
#include "tests/test_dates.h"

namespace {
int Load(const std::string& path) {
    ProfileStoreReset();
    return LoadHolidayRules(path.c_str());
}

// Loads one rule line as the only rule of the table.
void LoadOne(const TempFolder& dir, const char* line) {
    std::string path = dir.File("one_holiday.ini");
    std::string entry = std::string("1=") + line;
    WriteIni(path, {"[SETTING]", entry.c_str()});
    ASSERT_EQ(Load(path), 1) << line;
}

// The first loaded rule of kind matching the date, equinox rules on the days given.
const HolidayRule* Match(const std::tm& date, int kind, EquinoxDays equinox = {}) {
    return MatchRule(g_holidayRules, equinox, date, kind);
}

// Every date of the years from..to (inclusive) that the single loaded rule matches, as YYYYMMDD.
std::string Matches(int from, int to, int kind = -1, EquinoxDays equinox = {}) {
    std::string out;
    for (int y = from; y <= to; ++y)
        for (std::tm d = Date(y, 1, 1); d.tm_year == y - 1900; d = Date(y, d.tm_mon + 1, d.tm_mday + 1))
            if (Match(d, kind, equinox)) out += std::to_string((y * 100 + d.tm_mon + 1) * 100 + d.tm_mday) + " ";
    return out;
}

std::string Describe(const HolidayRule& r) {
    RuleDescription d;
    std::memset(&d, 0x55, sizeof d);
    DescribeRule(r, &d);
    EXPECT_LT(strnlen(d.kind, sizeof d.kind), sizeof d.kind);
    EXPECT_LT(strnlen(d.date, sizeof d.date), sizeof d.date);
    EXPECT_LT(strnlen(d.memo, sizeof d.memo), sizeof d.memo);
    return std::string(d.kind) + "|" + d.date + "|" + d.memo;
}

class HolidayRules : public ::testing::Test {
protected:
    void TearDown() override {
        ReleaseHolidayRules();
        ProfileStoreReset();
    }
    TempFolder dir;
};
}  // namespace

TEST_F(HolidayRules, MissingFileGivesNoRuleAndTheBlankTemplate) {
    EXPECT_EQ(Load(dir.File("none_holiday.ini")), 0);
    ASSERT_EQ(g_holidayRules.rules.size(), 1u);
    EXPECT_EQ(g_holidayRules.count, 0);
    const HolidayRule& r = g_holidayRules.rules[0];
    EXPECT_EQ(r.kind, 0);
    EXPECT_EQ(r.month, 1);
    EXPECT_EQ(r.day, 1);
    EXPECT_EQ(r.weekday, -1);
    for (int s : r.weekSlots) EXPECT_EQ(s, 0);
    EXPECT_STREQ(r.text, "");
    EXPECT_EQ(Match(Date(2024, 1, 1), -1), nullptr);  // the template is not a rule
    EXPECT_FALSE(FileExists(dir.File("none_holiday.ini")));
}

TEST_F(HolidayRules, ReadingStopsAtTheFirstMissingKey) {
    std::string path = dir.File("gap_holiday.ini");
    WriteIni(path, {"[SETTING]", "1=0,1,1,-1,0,0,0,0,0,0,a", "2=1,2,2,-1,0,0,0,0,0,0,b",
                    "4=2,3,3,-1,0,0,0,0,0,0,d"});
    EXPECT_EQ(Load(path), 2);
    EXPECT_STREQ(g_holidayRules.rules[1].text, "b");
    EXPECT_EQ(g_holidayRules.rules[1].kind, 1);
}

TEST_F(HolidayRules, CommasInTheTextSurviveLoadAndSave) {
    std::string path = dir.File("comma_holiday.ini");
    WriteIni(path, {"[SETTING]", "1=0,1,1,-1,0,0,0,0,0,0,元日,祝", "2=3,0,0,-1,1,1,1,1,1,77,[a,b],c,,d"});
    ASSERT_EQ(Load(path), 2);
    EXPECT_STREQ(g_holidayRules.rules[0].text, "元日,祝");
    EXPECT_STREQ(g_holidayRules.rules[1].otherYears, "77");
    ASSERT_TRUE(SaveHolidayRules(path.c_str(), g_holidayRules.rules.data(), g_holidayRules.count));
    ProfileStoreReset();
    EXPECT_EQ(StoredValue(path, "SETTING", "1"), "0,1,1,-1,0,0,0,0,0,0,元日,祝");
    EXPECT_EQ(StoredValue(path, "SETTING", "2").substr(0, 22), "3,0,0,-1,1,1,1,1,1,77,");
    EXPECT_EQ(Load(path), 2);
    EXPECT_STREQ(g_holidayRules.rules[0].text, "元日,祝");
    EXPECT_STREQ(g_holidayRules.rules[1].otherYears, "77");
}

// Field 10 holds a span of years only in the form written here; what another program left there
// is kept, written back as it was, and the rule matches in every year.
TEST_F(HolidayRules, OtherTextsInTheYearsFieldAreKeptAndMeanEveryYear) {
    std::string path = dir.File("field10_holiday.ini");
    WriteIni(path, {"[SETTING]", "1=0,1,1,-1,0,0,0,0,0,0,a", "2=0,1,2,-1,0,0,0,0,0,77,b",
                    "3=0,1,3,-1,0,0,0,0,0,abc,c", "4=0,1,4,-1,0,0,0,0,0,0042,d", "5=0,1,5,-1,0,0,0,0,0,2000x,e",
                    "6=0,1,6,-1,0,0,0,0,0,20302020,f", "7=0,1,7,-1,0,0,0,0,0,-19962002,g",
                    "8=0,1,8,-1,0,0,0,0,0,19962002,h"});
    ASSERT_EQ(Load(path), 8);
    const char* kept[] = {"", "77", "abc", "0042", "2000x", "20302020", "-19962002", ""};
    for (int i = 0; i < 8; ++i) {
        EXPECT_STREQ(g_holidayRules.rules[i].otherYears, kept[i]) << i;
        // Every rule but the last, which names 1996 to 2002, falls on its day in 2026 and in 1970.
        for (int year : {1970, 2026}) {
            const HolidayRule* r = Match(Date(year, 1, i + 1), -1);
            EXPECT_EQ(r != nullptr, i < 7) << i << " " << year;
        }
        RuleDescription d;
        DescribeRule(g_holidayRules.rules[i], &d);
        EXPECT_STREQ(d.years, i < 7 ? "" : "1996～2002") << i;
    }
    EXPECT_NE(Match(Date(2000, 1, 8), -1), nullptr);
    // Saved again, every line is the line it was.
    ASSERT_TRUE(SaveHolidayRules(path.c_str(), g_holidayRules.rules.data(), g_holidayRules.count));
    ProfileStoreReset();
    EXPECT_EQ(StoredValue(path, "SETTING", "1"), "0,1,1,-1,0,0,0,0,0,0,a");
    EXPECT_EQ(StoredValue(path, "SETTING", "2"), "0,1,2,-1,0,0,0,0,0,77,b");
    EXPECT_EQ(StoredValue(path, "SETTING", "3"), "0,1,3,-1,0,0,0,0,0,abc,c");
    EXPECT_EQ(StoredValue(path, "SETTING", "4"), "0,1,4,-1,0,0,0,0,0,0042,d");
    EXPECT_EQ(StoredValue(path, "SETTING", "5"), "0,1,5,-1,0,0,0,0,0,2000x,e");
    EXPECT_EQ(StoredValue(path, "SETTING", "6"), "0,1,6,-1,0,0,0,0,0,20302020,f");
    EXPECT_EQ(StoredValue(path, "SETTING", "7"), "0,1,7,-1,0,0,0,0,0,-19962002,g");
    EXPECT_EQ(StoredValue(path, "SETTING", "8"), "0,1,8,-1,0,0,0,0,0,19962002,h");
    // Years typed for such a rule take the field's place.
    ApplyRuleYears(&g_holidayRules.rules[1], "2020", "");
    ASSERT_TRUE(SaveHolidayRules(path.c_str(), g_holidayRules.rules.data(), g_holidayRules.count));
    ProfileStoreReset();
    EXPECT_EQ(StoredValue(path, "SETTING", "2"), "0,1,2,-1,0,0,0,0,0,20200000,b");
}

// A years field ending in a lead byte (found by fuzzing): kept without it, so that the comma
// written behind it stays a comma and the rule loads back as it was saved.
TEST_F(HolidayRules, AYearsFieldEndingInALeadByteLoadsBackAsSaved) {
    std::string path = dir.File("lead_holiday.ini");
    WriteIni(path, {"[SETTING]", "1=0,1,3,-1,0,2,0,0,0,200000\xe7", "2=0,1,4,-1,0,0,0,0,0,ab[c,d"});
    ASSERT_EQ(Load(path), 2);
    std::vector<HolidayRule> first(g_holidayRules.rules.begin(), g_holidayRules.rules.begin() + 2);
    ASSERT_TRUE(SaveHolidayRules(path.c_str(), g_holidayRules.rules.data(), g_holidayRules.count));
    ProfileStoreReset();
    ASSERT_EQ(Load(path), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_STREQ(g_holidayRules.rules[i].otherYears, first[i].otherYears) << i;
        EXPECT_STREQ(g_holidayRules.rules[i].text, first[i].text) << i;
    }
    EXPECT_STREQ(first[0].otherYears, "200000");
}

TEST_F(HolidayRules, TextOfEmptyFieldsKeepsItsCommas) {
    std::string path = dir.File("commas_holiday.ini");
    std::string line = "1=0,1,1,-1,0,0,0,0,0,0," + std::string(200, ',') + "x";
    WriteIni(path, {"[SETTING]", line.c_str()});
    ASSERT_EQ(Load(path), 1);
    EXPECT_EQ(std::string(g_holidayRules.rules[0].text), std::string(127, ','));
}

// Found by fuzzing: a comma at the end of a text was lost on the way through the file.
TEST_F(HolidayRules, ACommaAtTheEndOfTheTextSurvivesSaveAndLoad) {
    std::string path = dir.File("end_holiday.ini");
    HolidayRule rule;
    SetBlankRule(&rule);
    std::strcpy(rule.text, "a[b,c,");
    ASSERT_TRUE(SaveHolidayRules(path.c_str(), &rule, 1));
    ASSERT_EQ(Load(path), 1);
    EXPECT_STREQ(g_holidayRules.rules[0].text, "a[b,c,");
    LoadOne(dir, "0,1,1,-1,0,0,0,0,0,0,,");
    EXPECT_STREQ(g_holidayRules.rules[0].text, ",");
}

TEST_F(HolidayRules, SavingFewerRulesEndsTheListAndLeavesLaterKeys) {
    std::string path = dir.File("save_holiday.ini");
    WriteIni(path, {"[SETTING]", "1=0,1,1,-1,0,0,0,0,0,0,a", "2=0,1,2,-1,0,0,0,0,0,0,b",
                    "3=0,1,3,-1,0,0,0,0,0,0,c", "4=0,1,4,-1,0,0,0,0,0,0,d", "5=0,1,5,-1,0,0,0,0,0,0,e"});
    ASSERT_EQ(Load(path), 5);
    ASSERT_TRUE(SaveHolidayRules(path.c_str(), g_holidayRules.rules.data(), 3));
    ProfileStoreReset();
    EXPECT_EQ(StoredValue(path, "SETTING", "3"), "0,1,3,-1,0,0,0,0,0,0,c");
    EXPECT_EQ(StoredValue(path, "SETTING", "4"), "");
    EXPECT_EQ(StoredValue(path, "SETTING", "5"), "0,1,5,-1,0,0,0,0,0,0,e");
    EXPECT_EQ(Load(path), 3);
}

TEST_F(HolidayRules, DamagedFileKeepsEveryGoodLine) {
    std::string path = dir.File("damaged_holiday.ini");
    std::string longText(300, 'x');
    std::string wide;  // 70 double-byte characters: 140 bytes
    for (int i = 0; i < 70; ++i) wide += "あ";
    std::string longLine = "5=0,1,3,-1,0,0,0,0,0,0," + longText;
    std::string wideLine = "6=1,1,4,-1,0,0,0,0,0,0," + wide;
    WriteIni(path, {"[SETTING]", "1=0,1,1,-1,0,0,0,0,0,0,good1", "2=0,1,2", "3=,,,,,,,,,", "4=garbage",
                    longLine.c_str(), wideLine.c_str(), "7=x9,99999999999999,-99999999999999,2x,a,b,c,d,e,f,g",
                    "8=7,20,0,-1,9,9,9,9,9,0,odd", "9=0,-3,10,-1,0,0,0,0,0,0,minus", "10=0,1,,,,,,,,,"});
    // 1 good; 2 and 4 too short; 3 has 9 fields only (a trailing comma makes no field).
    ASSERT_EQ(Load(path), 7);
    const HolidayRule* r = g_holidayRules.rules.data();
    EXPECT_STREQ(r[0].text, "good1");
    // The value is cut at 255 bytes by the read, the text at 127 bytes.
    EXPECT_EQ(std::strlen(r[1].text), 127u);
    EXPECT_EQ(r[1].day, 3);
    EXPECT_EQ(std::strlen(r[2].text), 126u);  // never half a character
    EXPECT_EQ(std::string(r[2].text), wide.substr(0, 126));
    EXPECT_EQ(r[3].kind, 0);
    EXPECT_EQ(r[3].month, 2147483647);
    EXPECT_EQ(r[3].day, -2147483647 - 1);
    EXPECT_EQ(r[3].weekday, 2);
    EXPECT_STREQ(r[3].text, "g");
    EXPECT_EQ(r[4].kind, 7);
    EXPECT_EQ(r[4].weekSlots[4], 9);
    EXPECT_EQ(r[5].month, -3);
    EXPECT_EQ(r[6].day, 0);
    EXPECT_STREQ(r[6].text, "");
    for (int i = 0; i < 7; ++i) Describe(r[i]);  // bounded texts for every damaged rule
    EXPECT_EQ(Describe(r[4]), "?(7)|?(20)|odd");
    EXPECT_EQ(Describe(r[3]), "国民の祝日|?(2147483647)|g");
}

TEST_F(HolidayRules, TableGrowsAndKeepsItsRules) {
    std::string path = dir.File("many_holiday.ini");
    {
        std::ofstream out(path, std::ios::binary);
        out << "[SETTING]\r\n";
        for (int i = 1; i <= 45; ++i) out << i << "=1,0," << (i % 28) + 1 << ",-1,0,0,0,0,0,0,r" << i << "\r\n";
    }
    EXPECT_EQ(Load(path), 45);
    EXPECT_STREQ(g_holidayRules.rules[44].text, "r45");
    HolidayRule* added = nullptr;
    for (int i = 0; i < 16; ++i) added = AppendHolidayRule();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(g_holidayRules.count, 61);
    EXPECT_STREQ(g_holidayRules.rules[44].text, "r45");
    EXPECT_EQ(added->month, 1);
}

TEST_F(HolidayRules, DayOfMonthAndFirstWeekdayRules) {
    LoadOne(dir, "1,0,25,-1,0,0,0,0,0,0,給料日");
    EXPECT_EQ(Matches(2025, 2025),
              "20250125 20250225 20250325 20250425 20250525 20250625 20250725 20250825 20250925 20251025 "
              "20251125 20251225 ");
    EXPECT_EQ(Matches(2025, 2025, 0), "");
    EXPECT_EQ(Matches(2025, 2025, 1).size(), 12u * 9);
    // First Monday on or after 1 May.
    LoadOne(dir, "0,5,1,1,0,0,0,0,0,0,x");
    EXPECT_EQ(Matches(2024, 2027), "20240506 20250505 20260504 20270503 ");
    // First Friday on or after 26 February: the month still has to match, so 2024 (26-29 February
    // without a Friday) has none rather than 1 March.
    LoadOne(dir, "0,2,26,5,0,0,0,0,0,0,x");
    EXPECT_EQ(Matches(2024, 2025), "20250228 ");
}

TEST_F(HolidayRules, WeekSlotRules) {
    LoadOne(dir, "0,1,0,-1,0,2,0,0,0,0,成人の日");
    EXPECT_EQ(Matches(2024, 2027), "20240108 20250113 20260112 20270111 ");
    LoadOne(dir, "3,0,0,-1,1,1,1,1,1,0,x");
    std::string sundays = Matches(2026, 2026);
    EXPECT_EQ(sundays.size(), 52u * 9);
    EXPECT_EQ(sundays.substr(0, 18), "20260104 20260111 ");
    EXPECT_NE(sundays.find("20261227 "), std::string::npos);  // a fifth-week day
    // Days 29 to 31 belong to week 5.
    LoadOne(dir, "2,0,0,-1,0,0,0,0,3,0,x");
    EXPECT_EQ(Matches(2026, 2026).substr(0, 27), "20260331 20260630 20260929 ");
    // Slots beyond the weekdays never match.
    LoadOne(dir, "0,0,0,-1,8,9,-1,100,8,0,x");
    EXPECT_EQ(Matches(2026, 2026), "");
}

TEST_F(HolidayRules, ARuleMatchesOnlyInItsYears) {
    LoadOne(dir, "0,7,20,-1,0,0,0,0,0,19962002,海の日");
    EXPECT_EQ(Matches(1995, 2003, 0), "19960720 19970720 19980720 19990720 20000720 20010720 20020720 ");
    LoadOne(dir, "0,8,11,-1,0,0,0,0,0,20160000,山の日");
    EXPECT_EQ(Matches(2014, 2017, 0), "20160811 20170811 ");
    LoadOne(dir, "0,4,29,-1,0,0,0,0,0,1988,天皇誕生日");
    EXPECT_EQ(Matches(1987, 1990, 0), "19870429 19880429 ");
    LoadOne(dir, "0,10,22,-1,0,0,0,0,0,20192019,即位礼正殿の儀");
    EXPECT_EQ(Matches(2018, 2020, 0), "20191022 ");
    // A negative span, or one ending before it begins, is every year.
    for (const char* odd : {"0,1,1,-1,0,0,0,0,0,-5,x", "0,1,1,-1,0,0,0,0,0,20201990,x", "0,1,1,-1,0,0,0,0,0,zz,x"}) {
        LoadOne(dir, odd);
        EXPECT_EQ(Matches(2000, 2001, 0), "20000101 20010101 ") << odd;
    }
}

TEST_F(HolidayRules, EquinoxAndOutOfRangeMonths) {
    LoadOne(dir, "0,13,5,3,1,1,1,1,1,0,x");  // the day fields are not looked at
    EXPECT_EQ(Matches(2025, 2026, -1, EquinoxDays{20, 23}), "20250320 20260320 ");
    LoadOne(dir, "0,14,0,-1,0,0,0,0,0,0,x");
    EXPECT_EQ(Matches(2026, 2026, -1, EquinoxDays{20, 23}), "20260923 ");
    EXPECT_EQ(Matches(2026, 2026, -1, EquinoxDays{21, 22}), "20260922 ");
    LoadOne(dir, "0,15,1,-1,0,0,0,0,0,0,x");
    EXPECT_EQ(Matches(2026, 2026), "");
    LoadOne(dir, "0,-4,31,-1,0,0,0,0,0,0,x");  // below 0 passes like every month
    EXPECT_EQ(Matches(2026, 2026), "20260131 20260331 20260531 20260731 20260831 20261031 20261231 ");
}

TEST_F(HolidayRules, FirstMatchingRuleInFileOrder) {
    std::string path = dir.File("order_holiday.ini");
    WriteIni(path, {"[SETTING]", "1=3,5,5,-1,0,0,0,0,0,0,memo", "2=0,5,5,-1,0,0,0,0,0,0,first",
                    "3=0,5,0,-1,0,0,0,0,0,0,none", "4=0,5,5,-1,0,0,0,0,0,0,second"});
    ASSERT_EQ(Load(path), 4);
    std::tm d = Date(2026, 5, 5);
    EXPECT_STREQ(Match(d, 0)->text, "first");
    EXPECT_EQ(MatchRuleIndex(g_holidayRules, EquinoxDays{}, d, 0), 1);
    EXPECT_STREQ(Match(d, -1)->text, "memo");
    EXPECT_EQ(Match(d, 1), nullptr);
    EXPECT_EQ(Match(Date(2026, 5, 6), -1), nullptr);
}

TEST_F(HolidayRules, DescriptionsOfEveryForm) {
    HolidayRule r;
    SetBlankRule(&r);
    std::strcpy(r.text, "元日");
    EXPECT_EQ(Describe(r), "国民の祝日|1月1日|元日");
    r.kind = 1;
    r.month = 0;
    r.day = 25;
    EXPECT_EQ(Describe(r), "個人的休日|毎月25日|元日");
    r.kind = 2;
    r.month = 5;
    r.day = 1;
    r.weekday = 1;
    EXPECT_EQ(Describe(r), "メモ(祝日)|5月1日以降で最初の月曜日|元日");
    r.weekday = 12;
    EXPECT_EQ(Describe(r), "メモ(祝日)|5月1日以降で最初の?曜日|元日");
    r.kind = 3;
    r.month = 9;
    r.day = 0;
    r.weekday = -1;
    r.weekSlots[2] = 2;
    EXPECT_EQ(Describe(r), "メモ(日付)|9月第3月曜日|元日");
    r.month = 0;
    r.weekSlots[2] = 0;
    r.weekSlots[0] = r.weekSlots[2] = 4;
    EXPECT_EQ(Describe(r), "メモ(日付)|毎月第1,3水曜日|元日");
    for (int& s : r.weekSlots) s = 1;
    EXPECT_EQ(Describe(r), "メモ(日付)|毎月毎週日曜日|元日");
    for (int& s : r.weekSlots) s = 0;
    EXPECT_EQ(Describe(r), "メモ(日付)|毎月第日曜日|元日");
    r.weekSlots[4] = -2147483647 - 1;
    EXPECT_EQ(Describe(r), "メモ(日付)|毎月第5?曜日|元日");
    r.month = 13;
    EXPECT_EQ(Describe(r), "メモ(日付)|春分日|元日");
    r.month = 14;
    r.kind = -1;
    EXPECT_EQ(Describe(r), "?(-1)|秋分日|元日");
    r.month = -7;
    r.day = 3;
    EXPECT_EQ(Describe(r), "?(-1)|毎月3日|元日");
}
