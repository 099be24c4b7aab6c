// What the holiday and regular memo dialog decides apart from its window, on rules read from
// real holiday files: the day box, week list and years of a rule both ways, the sort keys and
// directions, and the table following its rows through add, delete and save.
#include "calendar/holiday_rule_edits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "config/profile_store.h"
#include "tests/config/config_test_files.h"
#include "tests/test_dates.h"

namespace {

std::string Slots(const HolidayRule& r) {
    std::string s;
    for (int n = 0; n < 5; ++n) s += (n ? "," : "") + std::to_string(r.weekSlots[n]);
    return s;
}

std::string DateText(const HolidayRule& r) {
    RuleDescription d;
    DescribeRule(r, &d);
    return d.date;
}

std::string Texts() {
    std::string s;
    for (int i = 0; i < g_holidayRules.count; ++i) s += std::string(i ? " " : "") + g_holidayRules.rules[i].text;
    return s;
}

class HolidayRuleEdits : public ::testing::Test {
  protected:
    void TearDown() override {
        ReleaseHolidayRules();
        ResetRuleSortStates();
        ProfileStoreReset();
    }
    int Load(std::initializer_list<const char*> lines) {
        WriteIni(path_, lines);
        ProfileStoreReset();
        return LoadHolidayRules(path_.c_str());
    }
    HolidayRule& Rule(int i) { return g_holidayRules.rules[i]; }
    TempFolder dir_;
    std::string path_ = dir_.File("edits_holiday.ini");
};

TEST(HolidayDateChoices, TheDayBoxOffersDaysEveryWeekAndListedWeeks) {
    EXPECT_EQ(DateChoiceText(0), "1日");
    EXPECT_EQ(DateChoiceText(30), "31日");
    EXPECT_EQ(DateChoiceText(31), "毎週 日曜日");
    EXPECT_EQ(DateChoiceText(36), "毎週 金曜日");
    EXPECT_EQ(DateChoiceText(38), "隔週 日曜日");
    EXPECT_EQ(DateChoiceText(39), "隔週 月曜日");
    EXPECT_EQ(DateChoiceText(44), "隔週 土曜日");
    EXPECT_EQ(DateChoiceText(45), "");
    EXPECT_EQ(DateChoiceText(-1), "");
}

TEST_F(HolidayRuleEdits, WorkingFieldsFollowTheStoredFields) {
    ASSERT_EQ(Load({"[SETTING]", "1=0,13,5,2,1,1,1,1,1,0,春分の日", "2=1,0,25,-1,0,0,0,0,0,0,給料日",
                    "3=0,5,1,1,0,0,0,0,0,0,first monday", "4=0,1,0,-1,0,2,0,0,0,0,成人の日",
                    "5=3,0,0,-1,1,1,1,1,1,0,sundays", "6=3,0,0,-1,4,0,4,0,0,0,1st 3rd wed", "7=3,0,0,-1,0,0,0,0,0,0,none",
                    "8=1,4,31,-1,0,0,0,0,0,0,never", "9=1,4,45,-1,0,0,0,0,0,0,hand-edited"}),
              9);
    std::vector<RuleEditing> editing = EditingOfRules();
    auto fields = [&](int i) { return std::to_string(editing[i].dateChoice) + "[" + editing[i].weekList + "]"; };
    EXPECT_EQ(fields(0), "0[]");     // an equinox day has no day of its own
    EXPECT_EQ(fields(1), "24[]");    // the 25th
    EXPECT_EQ(fields(2), "0[]");     // the first Monday on or after the 1st shows the 1st
    EXPECT_EQ(fields(3), "39[2]");   // the Monday of week 2
    EXPECT_EQ(fields(4), "31[]");    // every Sunday
    EXPECT_EQ(fields(5), "41[1,3]"); // the Wednesdays of weeks 1 and 3
    EXPECT_EQ(fields(6), "38[]");
    EXPECT_EQ(fields(7), "30[]");    // 31 April is kept as written...
    EXPECT_EQ(DateText(Rule(7)), "4月31日");
    // ...and never matches
    EXPECT_EQ(MatchRule(g_holidayRules, EquinoxDays{}, Date(2026, 5, 1), kPersonalHoliday), nullptr);
    EXPECT_EQ(fields(8), "30[]");    // a day past the box stays in it
}

TEST_F(HolidayRuleEdits, ChoicesGiveTheStoredFieldsBack) {
    ASSERT_EQ(Load({"[SETTING]", "1=0,5,1,1,0,0,0,0,0,0,first monday"}), 1);
    HolidayRule& r = Rule(0);
    RuleEditing e = EditingOf(r);
    ApplyDateChoice(&r, &e, 2);  // another day keeps the weekday: still a first-weekday rule
    EXPECT_EQ(r.day, 3);
    EXPECT_EQ(r.weekday, 1);
    EXPECT_EQ(DateText(r), "5月3日以降で最初の月曜日");

    ApplyDateChoice(&r, &e, 36);  // 毎週 金曜日
    EXPECT_EQ(r.day, 0);
    EXPECT_EQ(Slots(r), "6,6,6,6,6");
    EXPECT_EQ(DateText(r), "5月毎週金曜日");

    ApplyWeekList(&r, &e, "2,4");  // typed while every week is chosen: kept, but not applied
    EXPECT_EQ(Slots(r), "6,6,6,6,6");
    ApplyDateChoice(&r, &e, 39);   // 隔週 月曜日 takes the list
    EXPECT_EQ(Slots(r), "0,2,0,2,0");
    EXPECT_EQ(DateText(r), "5月第2,4月曜日");
    RuleEditing back = EditingOf(r);
    EXPECT_EQ(back.dateChoice, 39);
    EXPECT_EQ(back.weekList, "2,4");

    ApplyDateChoice(&r, &e, 45);  // no such choice
    EXPECT_EQ(e.dateChoice, 39);
    ASSERT_TRUE(SaveHolidayRules(path_.c_str(), g_holidayRules.rules.data(), 1));
    EXPECT_EQ(StoredValue(path_, "SETTING", "1"), "0,5,0,1,0,2,0,2,0,0,first monday");
}

TEST_F(HolidayRuleEdits, WeekListsAndTheirFallbackToTheFirstWeek) {
    ASSERT_EQ(Load({"[SETTING]"}), 0);
    HolidayRule& r = Rule(0);
    RuleEditing e = EditingOf(r);
    ApplyDateChoice(&r, &e, 41);  // 隔週 水曜日 with an empty list: week 1
    EXPECT_EQ(Slots(r), "4,0,0,0,0");
    auto weeks = [&](const char* text) {
        ApplyWeekList(&r, &e, text);
        return Slots(r);
    };
    EXPECT_EQ(weeks("2,4"), "0,4,0,4,0");
    EXPECT_EQ(weeks(" 5\t1 ,, 3"), "4,0,4,0,4");
    EXPECT_EQ(weeks("1\x81\x40" "2"), "4,4,0,0,0");  // the full-width space parts items too
    EXPECT_EQ(weeks("3番,05"), "0,0,4,0,4");
    EXPECT_EQ(weeks("0,6,-2,x"), "4,0,0,0,0");
    EXPECT_EQ(weeks("２"), "4,0,0,0,0");  // full-width digits are no numbers
    // 88 81 is one character: its trail byte and the '@' behind it are no full-width space.
    EXPECT_EQ(weeks("\x88\x81@3"), "4,0,0,0,0");
    EXPECT_EQ(weeks("4"), "0,0,0,4,0");
    EXPECT_EQ(e.weekList, "4");

    std::string long_list;
    for (int i = 0; i < 100; ++i) long_list += "あ";
    ApplyWeekList(&r, &e, long_list.c_str());
    EXPECT_EQ(e.weekList.size(), 126u);
}

TEST_F(HolidayRuleEdits, TheTextIsOneLineOfAtMost127Bytes) {
    ASSERT_EQ(Load({"[SETTING]"}), 0);
    HolidayRule& r = Rule(0);
    ApplyRuleText(&r, "給料日\r\nsecond line");
    EXPECT_STREQ(r.text, "給料日");
    std::string pasted = "a";
    for (int i = 0; i < 80; ++i) pasted += "表";
    ApplyRuleText(&r, pasted.c_str());
    EXPECT_EQ(std::strlen(r.text), 127u);
    pasted.erase(0, 1);
    ApplyRuleText(&r, pasted.c_str());
    EXPECT_EQ(std::strlen(r.text), 126u);  // never half a character
    EXPECT_EQ(std::string(r.text), pasted.substr(0, 126));
}

TEST_F(HolidayRuleEdits, YearsTypedAreStoredAsTheSpanTheyName) {
    ASSERT_EQ(Load({"[SETTING]", "1=0,1,1,-1,0,0,0,0,0,19480000,元日"}), 1);
    HolidayRule& r = Rule(0);
    // The edits show a stored span; an open end shows nothing.
    auto shown = [&] { return YearEditText(RuleYears(r).first) + "|" + YearEditText(RuleYears(r).last); };
    EXPECT_EQ(shown(), "1948|");
    auto typed = [&](const char* first, const char* last) {
        ApplyRuleYears(&r, first, last);
        RuleDescription d;
        DescribeRule(r, &d);
        return std::to_string(r.years) + " " + d.years;
    };
    EXPECT_EQ(typed("1996", "2002"), "19962002 1996～2002");
    EXPECT_EQ(typed("2016", ""), "20160000 2016～");
    EXPECT_EQ(typed("", "1988"), "1988 ～1988");
    EXPECT_EQ(typed("2019", "2019"), "20192019 2019");
    EXPECT_EQ(typed("", ""), "0 ");
    EXPECT_EQ(typed("0", "0"), "0 ");
    EXPECT_EQ(typed("2002", "0"), "20020000 2002～");  // an open end is no reversal
    EXPECT_EQ(typed("1007", ""), "10070000 1007～");
    // Refused, the rule keeping its years: a to year before the from year, a year of fewer than
    // four digits, a text pasted into an edit meant for digits.
    EXPECT_EQ(CheckRuleYears("2002", "1996"), TypedYears::kReversed);
    EXPECT_EQ(ApplyRuleYears(&r, "2030", "2020"), TypedYears::kReversed);
    for (auto [first, last] : {std::pair{"77", ""}, {"", "999"}, {"12345", "2000"}, {"-5", ""}, {"abc", ""}})
        EXPECT_EQ(ApplyRuleYears(&r, first, last), TypedYears::kOutOfRange) << first << "|" << last;
    EXPECT_EQ(shown(), "1007|");
    EXPECT_STREQ(TypedYearsText(TypedYears::kTaken), "");
    EXPECT_STRNE(TypedYearsText(TypedYears::kReversed), "");
}

TEST_F(HolidayRuleEdits, WhichControlsCanBeUsed) {
    ASSERT_EQ(Load({"[SETTING]"}), 0);
    HolidayRule& r = Rule(0);
    RuleEditing e = EditingOf(r);
    EXPECT_TRUE(DayChoiceEnabled(r));
    EXPECT_FALSE(WeekListEnabled(r, e));
    ApplyDateChoice(&r, &e, 40);
    EXPECT_TRUE(WeekListEnabled(r, e));
    r.month = 0;
    EXPECT_TRUE(WeekListEnabled(r, e));
    r.month = kVernalEquinoxMonth;
    EXPECT_FALSE(DayChoiceEnabled(r));
    EXPECT_FALSE(WeekListEnabled(r, e));
    r.month = 12;
    ApplyDateChoice(&r, &e, 33);
    EXPECT_TRUE(DayChoiceEnabled(r));
    EXPECT_FALSE(WeekListEnabled(r, e));
}

TEST(HolidaySortStates, EachColumnStartsDescendingThenTurnsAbout) {
    ResetRuleSortStates();
    EXPECT_EQ(NextRuleSortState(kRuleColumnDate), 1);
    EXPECT_EQ(NextRuleSortState(kRuleColumnMemo), 1);  // columns are apart
    EXPECT_EQ(NextRuleSortState(kRuleColumnDate), 2);
    EXPECT_EQ(NextRuleSortState(kRuleColumnDate), 1);
    EXPECT_EQ(NextRuleSortState(kRuleColumnMemo), 2);
    EXPECT_EQ(NextRuleSortState(kRuleColumnYears), 1);
    EXPECT_EQ(NextRuleSortState(4), 0);
    ResetRuleSortStates();
    EXPECT_EQ(NextRuleSortState(kRuleColumnMemo), 1);
    ResetRuleSortStates();
}

TEST_F(HolidayRuleEdits, SortKeys) {
    ASSERT_EQ(Load({"[SETTING]", "1=0,0,25,-1,0,0,0,0,0,0,every 25th", "2=0,13,1,-1,0,0,0,0,0,19962002,vernal",
                    "3=2,3,22,-1,0,0,0,0,0,20160000,22 March", "4=1,3,20,-1,0,0,0,0,0,1988,_20 March",
                    "5=3,14,1,-1,0,0,0,0,0,20192019,Autumnal", "6=1,9,0,-1,0,0,2,0,0,0,3rd monday",
                    "7=0,9,0,-1,1,0,0,0,0,19960000,1st sunday", "8=3,9,0,-1,0,7,0,0,0,20022001,2nd saturday",
                    "9=0,1,1,-1,0,0,0,0,0,19961999,B"}),
              9);
    auto sorted = [&](int column, int state) {
        std::vector<int> order;
        for (int i = 0; i < g_holidayRules.count; ++i) order.push_back(i);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return CompareRules(Rule(a), Rule(b), column, state) < 0;
        });
        std::string s;
        for (int i : order) s += std::to_string(i + 1);
        return s;
    };
    EXPECT_EQ(sorted(kRuleColumnDate, 2), "942357861");
    EXPECT_EQ(sorted(kRuleColumnDate, 1), "168753249");
    EXPECT_EQ(sorted(kRuleColumnKind, 2), "127946358");
    // An open first year is the earliest, an open last year the latest; a span ending before it
    // starts is every year.
    EXPECT_EQ(sorted(kRuleColumnYears, 2), "416892735");
    EXPECT_EQ(sorted(kRuleColumnYears, 1), "537291684");
    // strcmpi folds to lower case: '_' sorts before the letters.
    EXPECT_EQ(sorted(kRuleColumnMemo, 2), "738645912");
    EXPECT_EQ(sorted(kRuleColumnMemo, 1), "219546837");
    HolidayRule a = Rule(0), b = Rule(0);
    std::strcpy(a.text, "Abc");
    std::strcpy(b.text, "aBC");
    EXPECT_EQ(CompareRules(a, b, kRuleColumnMemo, 2), 0);
    std::strcpy(a.text, "\x83\x41");  // the trail bytes 41 and 61 are not letters
    std::strcpy(b.text, "\x83\x61");
    EXPECT_LT(CompareRules(a, b, kRuleColumnMemo, 2), 0);
}

TEST_F(HolidayRuleEdits, AnAddedRuleIsACopyAndTheTableGrows) {
    ASSERT_EQ(Load({"[SETTING]"}), 0);
    std::vector<RuleEditing> editing = EditingOfRules();
    ApplyRuleText(&Rule(0), "typed into the template");
    EXPECT_EQ(AppendRuleCopy(0, &editing), 0);
    EXPECT_EQ(g_holidayRules.count, 1);
    EXPECT_STREQ(Rule(0).text, "typed into the template");
    for (int i = 1; i < 20; ++i) {
        ASSERT_EQ(AppendRuleCopy(i - 1, &editing), i);
        Rule(i).month = i % 13;
    }
    ApplyDateChoice(&Rule(3), &editing[3], 39);
    ApplyWeekList(&Rule(3), &editing[3], "3 weeks");
    EXPECT_EQ(AppendRuleCopy(3, &editing), 20);
    EXPECT_EQ(g_holidayRules.count, 21);
    EXPECT_EQ(std::memcmp(&Rule(20), &Rule(3), sizeof(HolidayRule)), 0);
    ASSERT_EQ(editing.size(), g_holidayRules.rules.size());
    EXPECT_EQ(editing[20].dateChoice, 39);  // the copy shows the list as it was typed
    EXPECT_EQ(editing[20].weekList, "3 weeks");
    EXPECT_EQ(AppendRuleCopy(21, &editing), -1);
}

TEST_F(HolidayRuleEdits, DeletingMovesTheRulesBehindUpAndTheRowsWithThem) {
    ASSERT_EQ(Load({"[SETTING]", "1=0,1,1,-1,0,0,0,0,0,0,a", "2=0,1,2,-1,0,0,0,0,0,0,b", "3=0,1,3,-1,0,0,0,0,0,0,c",
                    "4=0,1,4,-1,0,0,0,0,0,0,d"}),
              4);
    std::vector<int> rows = {3, 1, 0, 2};  // d b a c on screen
    std::vector<RuleEditing> editing = EditingOfRules();
    auto choices = [&] {
        std::string s;
        for (int i = 0; i < g_holidayRules.count; ++i) s += std::to_string(editing[i].dateChoice);
        return s;
    };
    EXPECT_EQ(DeleteRuleOfRow(&rows, 1, &editing), 1);
    EXPECT_EQ(Texts(), "a c d");
    EXPECT_EQ(choices(), "023");  // the editing fields go with their rules
    EXPECT_EQ(rows, (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(DeleteRuleOfRow(&rows, 2, &editing), 1);  // the last row: the one before becomes current
    EXPECT_EQ(Texts(), "a d");
    EXPECT_EQ(choices(), "03");
    EXPECT_EQ(rows, (std::vector<int>{1, 0}));
    EXPECT_EQ(DeleteRuleOfRow(&rows, 2, &editing), -1);  // no such row: nothing happens
    EXPECT_EQ(g_holidayRules.count, 2);
    EXPECT_EQ(DeleteRuleOfRow(&rows, 0, &editing), 0);
    EXPECT_EQ(DeleteRuleOfRow(&rows, 0, &editing), -1);
    EXPECT_EQ(editing.size(), g_holidayRules.rules.size());  // beside the spare record 0 too
    EXPECT_EQ(g_holidayRules.count, 0);
    EXPECT_TRUE(rows.empty());
}

TEST_F(HolidayRuleEdits, SavingInRowOrderDecidesWhichRuleMatchesFirst) {
    ASSERT_EQ(Load({"[SETTING]", "1=0,1,1,-1,0,0,0,0,0,0,a", "2=0,1,2,-1,0,0,0,0,0,0,b", "3=0,1,3,-1,0,0,0,0,0,0,c",
                    "4=0,1,1,-1,0,0,0,0,0,0,d", "5=0,1,5,-1,0,0,0,0,0,0,e"}),
              5);
    std::vector<int> rows = {4, 2, 0, 3, 1};
    std::vector<RuleEditing> editing = EditingOfRules();
    ReorderRulesToRows(&rows, &editing);
    EXPECT_EQ(rows, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(Texts(), "e c a d b");
    for (int i = 0; i < 5; ++i) EXPECT_EQ(editing[i].dateChoice, Rule(i).day - 1) << i;
    rows = {3, 0, 1, 2, 4};  // d before a: both fall on 1 January
    ReorderRulesToRows(&rows, &editing);
    EXPECT_EQ(Texts(), "d e c a b");
    ASSERT_TRUE(SaveHolidayRules(path_.c_str(), g_holidayRules.rules.data(), g_holidayRules.count));
    ProfileStoreReset();
    ASSERT_EQ(LoadHolidayRules(path_.c_str()), 5);
    EXPECT_EQ(Texts(), "d e c a b");
    const HolidayRule* first = MatchRule(g_holidayRules, EquinoxDays{}, Date(2026, 1, 1), kNationalHoliday);
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first->text, "d");
}

}  // namespace
