// The month model resolved over real holiday files: derived holidays, priming days, growth.
#include "calendar/month_model.h"

#include <gtest/gtest.h>

#include <string>

#include "calendar/holiday_rules.h"
#include "config/profile_store.h"
#include "tests/config/config_test_files.h"
#include "tests/test_dates.h"

namespace {
class MonthModelTest : public ::testing::Test {
protected:
    void TearDown() override {
        ReleaseMonthModel();
        ReleaseHolidayRules();
        ProfileStoreReset();
    }
    void Rules(std::initializer_list<const char*> lines) {
        std::string path = dir.File("m_holiday.ini");
        std::ofstream out(path, std::ios::binary);
        out << "[SETTING]\r\n";
        int n = 0;
        for (const char* line : lines) out << ++n << "=" << line << "\r\n";
        out.close();
        ProfileStoreReset();
        ASSERT_EQ(LoadHolidayRules(path.c_str()), n);
    }
    // Rebuilds as a layout does: primed before first, then days visible days from first.
    void Build(int displayYear, int y, int m, int d, int days) {
        std::tm first = Date(y, m, d);
        BeginMonthModel(displayYear, first);
        for (int i = 0; i < days; ++i) ResolveDay(i, Date(y, m, d + i));
    }
    // Derived kind of each visible day, one digit per day.
    std::string Derived(int days) {
        std::string s;
        for (int i = 0; i < days; ++i) s += static_cast<char>('0' + g_monthModel.entries[i].derived);
        return s;
    }
    TempFolder dir;
};
}  // namespace

TEST(EquinoxDays, ClosedFormulaAroundTheBaseYear) {
    int v, a;
    ComputeEquinoxDays(2024, &v, &a);
    EXPECT_EQ(v, 20);
    EXPECT_EQ(a, 22);
    ComputeEquinoxDays(1980, &v, &a);
    EXPECT_EQ(v, 20);
    EXPECT_EQ(a, 23);
    ComputeEquinoxDays(2025, &v, &a);
    EXPECT_EQ(v, 20);
    EXPECT_EQ(a, 23);
    ComputeEquinoxDays(2023, &v, &a);
    EXPECT_EQ(v, 21);
    EXPECT_EQ(a, 23);
    ComputeEquinoxDays(2012, &v, &a);
    EXPECT_EQ(v, 20);
    EXPECT_EQ(a, 22);
}

TEST(EquinoxDays, SeventiesGiveTheDaysJapanHadOff) {
    // 春分の日 and 秋分の日 of 1970-1979, day of March and day of September.
    const int days[10][2] = {{21, 23}, {21, 24}, {20, 23}, {21, 23}, {21, 23},
                             {21, 24}, {20, 23}, {21, 23}, {21, 23}, {21, 24}};
    for (int i = 0; i < 10; ++i) {
        int v, a;
        ComputeEquinoxDays(1970 + i, &v, &a);
        EXPECT_EQ(v, days[i][0]) << 1970 + i;
        EXPECT_EQ(a, days[i][1]) << 1970 + i;
    }
}

TEST_F(MonthModelTest, SundayHolidayInGoldenWeekMovesToTheFirstFreeDay) {
    Rules({"0,5,3,-1,0,0,0,0,0,0,a", "0,5,4,-1,0,0,0,0,0,0,b", "0,5,5,-1,0,0,0,0,0,0,c"});
    Build(2026, 2026, 5, 1, 7);  // 3 May 2026 is a Sunday
    EXPECT_EQ(Derived(7), "0000010");
    EXPECT_EQ(g_monthModel.entries[3].national, 1);
    EXPECT_EQ(g_monthModel.entries[4].national, 2);
    EXPECT_EQ(g_monthModel.entries[5].national, -1);
    EXPECT_STREQ(HolidayName(g_monthModel.entries[5]), "振替休日");
    EXPECT_STREQ(HolidayName(g_monthModel.entries[4]), "c");
    EXPECT_TRUE(IsHolidayEntry(g_monthModel.entries[5]));
    EXPECT_FALSE(IsHolidayEntry(g_monthModel.entries[6]));
}

TEST_F(MonthModelTest, PrimingDaysCarryASundayHolidayIntoTheFirstVisibleDay) {
    Rules({"0,5,31,-1,0,0,0,0,0,0,x"});
    Build(2026, 2026, 6, 1, 3);  // 31 May 2026 is a Sunday, only among the priming days
    EXPECT_EQ(Derived(3), "100");
    // Without the priming the state would start fresh.
    Build(2026, 2026, 6, 2, 2);
    EXPECT_EQ(Derived(2), "00");
    // Also from the last priming day of the previous year, skipping a national 1 January.
    Rules({"0,12,31,-1,0,0,0,0,0,0,eve", "0,1,1,-1,0,0,0,0,0,0,new"});
    Build(2024, 2024, 1, 1, 3);  // 31 December 2023 is a Sunday
    EXPECT_EQ(Derived(3), "010");
    EXPECT_EQ(g_monthModel.entries[0].national, 1);
}

TEST_F(MonthModelTest, DaySqueezedBetweenTwoNationalHolidays) {
    Rules({"0,9,0,-1,0,0,2,0,0,0,keiro", "0,14,0,-1,0,0,0,0,0,0,shubun"});
    Build(2026, 2026, 9, 20, 5);  // Monday 21, Tuesday 22, equinox Wednesday 23
    EXPECT_EQ(Derived(5), "00200");
    EXPECT_STREQ(HolidayName(g_monthModel.entries[2]), "国民の休日");
    EXPECT_EQ(g_monthModel.entries[3].national, 1);
    // The equinox days belong to the displayed year: with 2024's (22 September) the gap is gone.
    Build(2024, 2026, 9, 20, 5);
    EXPECT_EQ(Derived(5), "00000");
}

TEST_F(MonthModelTest, SundayBetweenHolidaysStaysASunday) {
    Rules({"0,1,10,-1,0,0,0,0,0,0,sat", "0,1,12,-1,0,0,0,0,0,0,mon"});
    Build(2026, 2026, 1, 9, 5);  // Saturday 10, Sunday 11, Monday 12
    EXPECT_EQ(Derived(5), "00000");
}

TEST_F(MonthModelTest, EntriesReferToTheFirstRuleOfEachKind) {
    Rules({"3,0,5,-1,0,0,0,0,0,0,dm", "0,5,5,-1,0,0,0,0,0,0,n1", "1,5,5,-1,0,0,0,0,0,0,p",
           "0,5,5,-1,0,0,0,0,0,0,n2", "2,0,0,-1,0,0,0,0,0,0,none", "2,5,5,-1,0,0,0,0,0,0,hm"});
    Build(2026, 2026, 5, 5, 1);
    const DayEntry& e = g_monthModel.entries[0];
    EXPECT_EQ(e.national, 1);
    EXPECT_EQ(e.personal, 2);
    EXPECT_EQ(e.holidayMemo, 5);
    EXPECT_EQ(e.dateMemo, 0);
    EXPECT_EQ(e.derived, 0);
}

TEST_F(MonthModelTest, PersonalHolidaysNeverMakeDerivedOnes) {
    Rules({"1,5,3,-1,0,0,0,0,0,0,mine", "1,5,5,-1,0,0,0,0,0,0,mine2", "0,5,6,-1,0,0,0,0,0,0,n"});
    Build(2026, 2026, 5, 3, 4);
    EXPECT_EQ(Derived(4), "0000");
    EXPECT_TRUE(IsHolidayEntry(g_monthModel.entries[0]));
    EXPECT_STREQ(HolidayName(g_monthModel.entries[0]), "");
}

TEST_F(MonthModelTest, GrowsAsDaysAreResolvedAndKeepsEveryEntry) {
    Rules({"0,3,20,-1,0,0,0,0,0,0,x"});
    Build(2026, 2026, 1, 1, 42);
    EXPECT_EQ(g_monthModel.entries.size(), 42u);
    Build(2026, 2026, 1, 1, 100);
    EXPECT_EQ(g_monthModel.entries.size(), 100u);
    EXPECT_EQ(g_monthModel.entries[78].national, 0);  // 20 March
    for (int i = 0; i < 100; ++i) EXPECT_EQ(g_monthModel.entries[i].national, i == 78 ? 0 : -1) << i;
    // The next rebuild starts afresh.
    Build(2026, 2026, 3, 1, 35);
    EXPECT_EQ(g_monthModel.entries.size(), 35u);
    EXPECT_EQ(g_monthModel.entries[19].national, 0);
}
