#include "calendar/holiday_dialog_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "base/win/dialog_kit.h"
#include "base/win/modal_dialog.h"
#include "base/win/owner_notes.h"
#include "base/win/wide_text.h"
#include "calendar/holiday_rule_edits.h"
#include "calendar/holiday_rules.h"
#include "resources/resource.h"

namespace {
constexpr int kColumnWidths[kRuleColumns] = {70, 100, 84, 120};
const char* const kColumnTitles[kRuleColumns] = {"種類", "日付", "年", "メモ"};
constexpr int kYearDigits = 4;

struct HolidayState {
    HolidayDialog* d;
    HWND owner;
    std::vector<RuleEditing> editing;  // beside each record of g_holidayRules
    Filling filling;
};

HWND ListOf(HWND dialog) { return GetDlgItem(dialog, IDC_HOLIDAY_LIST); }

int RowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

int SelectedRow(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// Each row's item data is the index of the rule it shows.
int RuleOfRow(HWND list, int row) {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? static_cast<int>(item.lParam) : -1;
}

std::vector<int> RowRules(HWND list) {
    std::vector<int> rules(static_cast<size_t>(RowCount(list)));
    for (size_t row = 0; row < rules.size(); ++row) rules[row] = RuleOfRow(list, static_cast<int>(row));
    return rules;
}

void SetRowRules(HWND list, const std::vector<int>& rules) {
    for (size_t row = 0; row < rules.size(); ++row) {
        LVITEMW item = {};
        item.mask = LVIF_PARAM;
        item.iItem = static_cast<int>(row);
        item.lParam = rules[row];
        SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

int RowOfRule(HWND list, int rule) {
    LVFINDINFOW find = {};
    find.flags = LVFI_PARAM;
    find.lParam = rule;
    return static_cast<int>(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

// The rule the controls edit: the selected row's; rule 0 (with no rules, the blank template)
// when no row is selected.
int EditedRule(HWND list) {
    int rule = RuleOfRow(list, SelectedRow(list));
    return rule >= 0 && rule < HolidayRuleCount() ? rule : 0;
}

void WriteRowTexts(HWND list, int row, const HolidayRule& rule) {
    RuleDescription texts;
    DescribeRule(rule, &texts);
    const char* columns[kRuleColumns] = {texts.kind, texts.date, texts.years, texts.memo};
    for (int c = 0; c < kRuleColumns; ++c) {
        std::wstring text = Wide(columns[c]);
        LVITEMW item = {};
        item.iSubItem = c;
        item.pszText = text.data();
        SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
}

void InsertRow(HWND list, int row, int rule) {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = rule;
    row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row >= 0) WriteRowTexts(list, row, g_holidayRules.rules[rule]);
}

// The row alone is selected and focused, and scrolled into view.
void SelectRow(HWND list, int row) {
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void ApplyEnabling(HWND dialog, const HolidayRule& rule, const RuleEditing& editing) {
    EnableWindow(GetDlgItem(dialog, IDC_HOLIDAY_DAY), DayChoiceEnabled(rule));
    EnableWindow(GetDlgItem(dialog, IDC_HOLIDAY_WEEKS), WeekListEnabled(rule, editing));
}

void FillControls(HWND dialog, HolidayState* s, int index) {
    const HolidayRule& rule = g_holidayRules.rules[index];
    const RuleEditing& editing = s->editing[static_cast<size_t>(index)];
    FillingScope filling(s->filling);
    for (int kind = 0; kind < kRuleKinds; ++kind)
        CheckDlgButton(dialog, IDC_HOLIDAY_KIND_NATIONAL + kind, rule.kind == kind ? BST_CHECKED : BST_UNCHECKED);
    int month = rule.month >= 0 && rule.month < kRuleMonths ? rule.month : -1;
    SendDlgItemMessageW(dialog, IDC_HOLIDAY_MONTH, CB_SETCURSEL, static_cast<WPARAM>(month), 0);
    SendDlgItemMessageW(dialog, IDC_HOLIDAY_DAY, CB_SETCURSEL, static_cast<WPARAM>(editing.dateChoice), 0);
    SetItemText(dialog, IDC_HOLIDAY_WEEKS, editing.weekList);
    SetItemText(dialog, IDC_HOLIDAY_TEXT, rule.text);
    YearSpan years = RuleYears(rule);
    SetItemText(dialog, IDC_HOLIDAY_FIRST_YEAR, YearEditText(years.first));
    SetItemText(dialog, IDC_HOLIDAY_LAST_YEAR, YearEditText(years.last));
    SetItemText(dialog, IDC_HOLIDAY_STATUS, "");
    ApplyEnabling(dialog, rule, editing);
}

// An edit keeps at most 127 bytes: what was cut off a pasted text goes from the edit as well.
// Compared as the edit holds it, so that a character 932 cannot hold goes too.
void ShowKept(HWND dialog, HolidayState* s, int id, const char* kept) {
    if (WideWindowText(GetDlgItem(dialog, id)) == Wide(kept)) return;
    FillingScope filling(s->filling);
    SetItemText(dialog, id, kept);
    SendDlgItemMessageW(dialog, id, EM_SETSEL, static_cast<WPARAM>(-1), -1);
}

// What control id now holds, taken into the rule; false when the notification is no edit.
bool TakeEdit(HWND dialog, HolidayState* s, int id, int code, HolidayRule* rule, RuleEditing* editing) {
    switch (id) {
    case IDC_HOLIDAY_KIND_NATIONAL:
    case IDC_HOLIDAY_KIND_PERSONAL:
    case IDC_HOLIDAY_KIND_HOLIDAY_MEMO:
    case IDC_HOLIDAY_KIND_DATE_MEMO:
        if (code != BN_CLICKED) return false;
        rule->kind = id - IDC_HOLIDAY_KIND_NATIONAL;
        return true;
    case IDC_HOLIDAY_MONTH:
        if (code != CBN_SELCHANGE || ListSelection(dialog, id) < 0) return false;
        rule->month = ListSelection(dialog, id);
        return true;
    case IDC_HOLIDAY_DAY:
        if (code != CBN_SELCHANGE) return false;
        ApplyDateChoice(rule, editing, ListSelection(dialog, id));  // no choice (-1) changes nothing
        return true;
    case IDC_HOLIDAY_WEEKS:
        if (code != EN_CHANGE) return false;
        ApplyWeekList(rule, editing, ItemText(dialog, id).c_str());
        ShowKept(dialog, s, id, editing->weekList.c_str());
        return true;
    case IDC_HOLIDAY_TEXT: {
        if (code != EN_CHANGE) return false;
        std::wstring typed = WideWindowText(GetDlgItem(dialog, id));
        if (char32_t c = FirstUnheld(typed)) {
            // The text shows in the day cells as a memo does: the rule keeps what it had, and
            // the edit shows that again before saying why.
            ShowKept(dialog, s, id, rule->text);
            ShowMessage(dialog, UnheldMemoMessage(c), "Tessel", MB_OK | MB_ICONWARNING);
            return false;
        }
        ApplyRuleText(rule, Sjis(typed).c_str());
        ShowKept(dialog, s, id, rule->text);
        return true;
    }
    case IDC_HOLIDAY_FIRST_YEAR:
    case IDC_HOLIDAY_LAST_YEAR: {
        // Years that name no span are refused: the rule keeps its years and the status line says
        // why until the edits are put right.
        if (code != EN_CHANGE) return false;
        TypedYears typed = ApplyRuleYears(rule, ItemText(dialog, IDC_HOLIDAY_FIRST_YEAR).c_str(),
                                          ItemText(dialog, IDC_HOLIDAY_LAST_YEAR).c_str());
        SetItemText(dialog, IDC_HOLIDAY_STATUS, TypedYearsText(typed));
        return true;
    }
    default: return false;
    }
}

// Every change of a control changes the rule at once; its row shows the result.
void OnEdit(HWND dialog, HolidayState* s, int id, int code) {
    HWND list = ListOf(dialog);
    int index = EditedRule(list);
    HolidayRule& rule = g_holidayRules.rules[index];
    RuleEditing& editing = s->editing[static_cast<size_t>(index)];
    if (!TakeEdit(dialog, s, id, code, &rule, &editing)) return;
    int row = HolidayRuleCount() > 0 ? RowOfRule(list, index) : -1;
    if (row >= 0) WriteRowTexts(list, row, rule);
    ApplyEnabling(dialog, rule, editing);
}

void OnAdd(HWND dialog, HolidayState* s) {
    HWND list = ListOf(dialog);
    int added = AppendRuleCopy(EditedRule(list), &s->editing);
    if (added < 0) return;
    {
        FillingScope filling(s->filling);
        int row = RowCount(list);
        InsertRow(list, row, added);
        SelectRow(list, row);
    }
    FillControls(dialog, s, added);
}

// Only a selected row is deleted: rule 0 without a row to show it is no one's to delete.
void OnDelete(HWND dialog, HolidayState* s) {
    HWND list = ListOf(dialog);
    int row = SelectedRow(list);
    if (HolidayRuleCount() == 0 || row < 0) return;
    std::vector<int> rows = RowRules(list);
    int next = DeleteRuleOfRow(&rows, row, &s->editing);
    {
        FillingScope filling(s->filling);
        SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
        SetRowRules(list, rows);
        if (next >= 0) SelectRow(list, next);
    }
    if (next >= 0) FillControls(dialog, s, rows[static_cast<size_t>(next)]);
}

// Years the edits show but the rule did not take: nothing is saved until they are put right.
bool YearsRefused(HWND dialog) {
    TypedYears typed = CheckRuleYears(ItemText(dialog, IDC_HOLIDAY_FIRST_YEAR).c_str(),
                                      ItemText(dialog, IDC_HOLIDAY_LAST_YEAR).c_str());
    if (typed == TypedYears::kTaken) return false;
    SetItemText(dialog, IDC_HOLIDAY_STATUS, TypedYearsText(typed));
    bool firstWrong = CheckRuleYears(ItemText(dialog, IDC_HOLIDAY_FIRST_YEAR).c_str(), "") != TypedYears::kTaken;
    HWND edit = GetDlgItem(dialog, firstWrong ? IDC_HOLIDAY_FIRST_YEAR : IDC_HOLIDAY_LAST_YEAR);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    return true;
}

// The file gets the rules in the order the list shows them.
void OnSave(HWND dialog, HolidayState* s, bool close) {
    if (YearsRefused(dialog)) return;
    HWND list = ListOf(dialog);
    std::vector<int> rows = RowRules(list);
    ReorderRulesToRows(&rows, &s->editing);
    SetRowRules(list, rows);
    SaveHolidayRules(s->d->holidayPath, g_holidayRules.rules.data(), HolidayRuleCount());
    s->d->saved = true;
    if (close) EndDialog(dialog, 1);
    else TellOwner(s->owner, kNoteRebuild);
}

// Every edit since the last save is dropped.
void OnCancel(HWND dialog, HolidayState* s) {
    LoadHolidayRules(s->d->holidayPath);
    EndDialog(dialog, 1);
}

// sort: the column in its low word, the sort state in its high word.
int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM sort) {
    const HolidayRule* rules = g_holidayRules.rules.data();
    return CompareRules(rules[a], rules[b], LOWORD(sort), HIWORD(sort));
}

void OnColumnClick(HWND dialog, int column) {
    if (column < 0 || column >= kRuleColumns) return;
    int state = NextRuleSortState(column);
    HWND list = ListOf(dialog);
    SendMessageW(list, LVM_SORTITEMS, MAKEWPARAM(column, state), reinterpret_cast<LPARAM>(CompareRows));
    int row = SelectedRow(list);
    if (row >= 0) SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

// A row newly selected, by the user or by the keyboard, shows its rule in the controls.
void OnRowChanged(HWND dialog, HolidayState* s, const NMLISTVIEW& change) {
    if (!(change.uChanged & LVIF_STATE) || !(change.uNewState & LVIS_SELECTED) || (change.uOldState & LVIS_SELECTED))
        return;
    int rule = RuleOfRow(ListOf(dialog), change.iItem);
    if (rule >= 0 && rule < HolidayRuleCount()) FillControls(dialog, s, rule);
}

void OnNotify(HWND dialog, HolidayState* s, const NMHDR& note) {
    if (s->filling || note.idFrom != IDC_HOLIDAY_LIST) return;
    const NMLISTVIEW& change = reinterpret_cast<const NMLISTVIEW&>(note);
    switch (note.code) {
    case LVN_ITEMCHANGED: OnRowChanged(dialog, s, change); break;
    case LVN_COLUMNCLICK: OnColumnClick(dialog, change.iSubItem); break;
    default: break;
    }
}

BOOL OnInit(HWND dialog, HolidayState* s) {
    FillingScope filling(s->filling);
    CentreOnScreen(dialog);
    HWND list = ListOf(dialog);
    SetUpReportColumns(list, kColumnTitles, kColumnWidths, kRuleColumns);
    s->editing = EditingOfRules();
    for (int i = 0; i < HolidayRuleCount(); ++i) InsertRow(list, i, i);
    FillList(dialog, IDC_HOLIDAY_MONTH, std::vector<std::string>(kMonthNames, kMonthNames + kRuleMonths), -1);
    std::vector<std::string> choices;
    for (int c = 0; c < kDateChoices; ++c) choices.push_back(DateChoiceText(c));
    FillList(dialog, IDC_HOLIDAY_DAY, choices, -1);
    SendDlgItemMessageW(dialog, IDC_HOLIDAY_WEEKS, EM_LIMITTEXT, kRuleTextMax, 0);
    SendDlgItemMessageW(dialog, IDC_HOLIDAY_TEXT, EM_LIMITTEXT, kRuleTextMax, 0);
    SendDlgItemMessageW(dialog, IDC_HOLIDAY_FIRST_YEAR, EM_LIMITTEXT, kYearDigits, 0);
    SendDlgItemMessageW(dialog, IDC_HOLIDAY_LAST_YEAR, EM_LIMITTEXT, kYearDigits, 0);
    if (HolidayRuleCount() > 0) SelectRow(list, 0);
    FillControls(dialog, s, 0);
    SetFocus(GetDlgItem(dialog, IDOK));
    return FALSE;  // the focus is set
}

void OnCommand(HWND dialog, HolidayState* s, int id, int code) {
    if (s->filling) return;
    switch (id) {
    case IDC_HOLIDAY_ADD: OnAdd(dialog, s); break;
    case IDC_HOLIDAY_DELETE: OnDelete(dialog, s); break;
    case IDOK: OnSave(dialog, s, true); break;
    case IDC_HOLIDAY_APPLY: OnSave(dialog, s, false); break;
    case IDCANCEL: OnCancel(dialog, s); break;
    default: OnEdit(dialog, s, id, code); break;
    }
}

INT_PTR HolidayProc(HWND dialog, HolidayState* s, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, s);
    case WM_COMMAND: OnCommand(dialog, s, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_NOTIFY: OnNotify(dialog, s, *reinterpret_cast<const NMHDR*>(lParam)); return FALSE;
    default: return FALSE;
    }
}
}  // namespace

INT_PTR OpenHolidayDialog(HWND owner, HolidayDialog* dialog) {
    if (g_holidayRules.rules.empty()) LoadHolidayRules(dialog->holidayPath);  // record 0 is edited with no rules
    HolidayState s = {};
    s.d = dialog;
    s.owner = owner;
    dialog->saved = false;
    return RunModalDialog<HolidayProc>(owner, IDD_HOLIDAYS, &s);
}
