// What the holiday and regular memo dialog decides about the rule table apart from its window:
// the day box's choices, the week list and the typed years of a rule, the row order when a
// column is sorted, and how the rows follow the table when a rule is added, deleted or the table
// put in row order.
// Rows are given by their item data: rowRules[row] is the index of the rule the row shows. The
// dialog keeps a RuleEditing beside each record of g_holidayRules (editing[i] for rules[i]).
#pragma once
#include <string>
#include <vector>

#include "calendar/holiday_rules.h"

// The day box: 0..30 a day of the month, 31..37 every week's Sunday..Saturday, 38..44 the
// Sunday..Saturday of the weeks in the week list.
enum { kDateChoices = 45, kEveryWeekChoice = 31, kListedWeeksChoice = 38 };
constexpr int kRuleTextMax = 127;  // bytes of a rule's text or week list

// "%d日", "毎週 %s曜日" or "隔週 %s曜日".
std::string DateChoiceText(int choice);

// What the dialog shows of a rule besides its stored fields: the day box's choice and the week
// list as typed. Never stored.
struct RuleEditing {
    int dateChoice = 0;
    std::string weekList;
};
// The editing fields as the rule's stored fields give them.
RuleEditing EditingOf(const HolidayRule& rule);
// The day box set to choice; a choice of listed weeks applies the week list.
void ApplyDateChoice(HolidayRule* rule, RuleEditing* editing, int choice);
// The week list typed: kept (at most 127 bytes, cut on a character boundary) and, while the
// date choice is one of listed weeks, put into the week slots. Numbers are parted by commas or
// blanks; when none is 1..5 the first week is meant.
void ApplyWeekList(HolidayRule* rule, RuleEditing* editing, const char* text);
// The memo text typed: its first line, at most 127 bytes, cut on a character boundary.
void ApplyRuleText(HolidayRule* rule, const char* text);
// What typed years make: a span taken, or why they are refused (the rule keeps its years).
enum class TypedYears { kTaken, kReversed, kOutOfRange };
// The from and to years typed. An empty edit or 0 leaves its end open; any other year must have
// four digits, and the to year must not come before the from year.
TypedYears CheckRuleYears(const char* firstText, const char* lastText);
TypedYears ApplyRuleYears(HolidayRule* rule, const char* firstText, const char* lastText);
// The status line's text for refused years; empty for years taken.
const char* TypedYearsText(TypedYears typed);
// What a year edit shows for one end of a span: the year, or nothing when the end is open.
std::string YearEditText(int year);

// Which of the day box and the week list can be used for the rule.
bool DayChoiceEnabled(const HolidayRule& rule);
bool WeekListEnabled(const HolidayRule& rule, const RuleEditing& editing);

// The list's columns and their sort states, kept for the whole run: 0 never sorted,
// 1 descending, 2 ascending.
enum RuleColumn {
    kRuleColumnKind = 0,
    kRuleColumnDate = 1,
    kRuleColumnYears = 2,
    kRuleColumnMemo = 3,
    kRuleColumns = 4
};
extern int g_ruleSortState[kRuleColumns];
void ResetRuleSortStates();
// A click on column: its new state, descending first and then turn about.
int NextRuleSortState(int column);
// Below 0 when a comes before b in the column sorted with state.
int CompareRules(const HolidayRule& a, const HolidayRule& b, int column, int state);

// The editing fields of every record of g_holidayRules, as their stored fields give them.
std::vector<RuleEditing> EditingOfRules();
// Appends a copy of rule source, and of its editing fields, to g_holidayRules and editing; the
// index of the copy, or -1 when there is no such rule.
int AppendRuleCopy(int source, std::vector<RuleEditing>* editing);
// Deletes the rule that row shows from g_holidayRules (and its editing fields) and the row from
// rowRules; rows of the rules behind it follow them one place up. Returns the row to go to: the
// same position, or the row before when the last row went; -1 when no row is left.
int DeleteRuleOfRow(std::vector<int>* rowRules, int row, std::vector<RuleEditing>* editing);
// Puts g_holidayRules and editing in the order of the rows; afterwards row i shows rule i.
void ReorderRulesToRows(std::vector<int>* rowRules, std::vector<RuleEditing>* editing);
