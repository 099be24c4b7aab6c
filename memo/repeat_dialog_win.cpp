#include "memo/repeat_dialog_win.h"

#include <commctrl.h>

#include <string>

#include "base/win/dialog_kit.h"
#include "base/win/modal_dialog.h"
#include "calendar/calendar_years.h"
#include "calendar/civil_date.h"
#include "config/file_names.h"
#include "memo/countdown.h"
#include "memo/date_choice.h"
#include "memo/date_lists_win.h"
#include "resources/resource.h"

namespace {
// A day count reaches either end of the calendar's years from any day of them.
const int kMostDays = MostCalendarDays();

struct RepeatState {
    RepeatDialog* d;
    DateLists lists;
    int start;     // day number of the series' start
    Filling filling;
};

int DaysToChosenEnd(HWND dialog, const RepeatState* s) {
    int y, m, d;
    ChosenDateOf(dialog, s->lists, &y, &m, &d);
    return DayNumberOf(y, m, d) - s->start;
}

// The day count follows the end date chosen in the lists.
void ShowDayCount(HWND dialog, RepeatState* s) {
    FillingScope filling(s->filling);
    SetDlgItemInt(dialog, IDC_REPEAT_DAYS, static_cast<UINT>(ClampDays(DaysToChosenEnd(dialog, s), 0, kMostDays)), FALSE);
}

// The end date follows the day count typed or stepped.
void ShowEndDate(HWND dialog, RepeatState* s) {
    int n = DayCountFromText(ItemText(dialog, IDC_REPEAT_DAYS).c_str(), 0, kMostDays);
    int y, m, d;
    DateAtOffset(n, s->start, &y, &m, &d);
    ShowDate(dialog, &s->lists, y, m, d);
}

BOOL OnInit(HWND dialog, RepeatState* s) {
    FillingScope filling(s->filling);
    CentreOnScreen(dialog);
    const RepeatDialog& d = *s->d;
    s->start = DayNumberOf(d.startYear, d.startMonth, d.startDay);
    int y = d.startYear, m = d.startMonth, day = d.startDay;
    if (d.chosen) DateAtOffset(d.chosen->dayCount, s->start, &y, &m, &day);
    FillList(dialog, IDC_REPEAT_END_KIND, {"まで", "の月末まで", "の年末まで"}, d.chosen ? d.chosen->endKind : 0);
    FillList(dialog, IDC_REPEAT_KIND, {"毎日", "毎週", "毎月", "毎年"}, d.chosen ? d.chosen->repeatKind : 0);
    ShowDate(dialog, &s->lists, y, m, day);
    SendDlgItemMessageW(dialog, IDC_REPEAT_DAYS_SPIN, UDM_SETRANGE32, 0, kMostDays);
    ShowDayCount(dialog, s);
    return TRUE;
}

void OnOk(HWND dialog, RepeatState* s) {
    int days = DaysToChosenEnd(dialog, s);
    RepeatRule rule = {days > 0 ? days : 0, ListSelection(dialog, IDC_REPEAT_END_KIND), ListSelection(dialog, IDC_REPEAT_KIND)};
    if (rule.endKind < 0) rule.endKind = 0;
    if (rule.repeatKind < 0) rule.repeatKind = 0;
    RepeatList* list = s->d->list;
    int known = FindRule(*list, rule);
    if (known >= 0) UseRule(s->d->memoPath, list, known);
    else AddRule(s->d->memoPath, list, rule);
    EndDialog(dialog, IDOK);
}

void OnCommand(HWND dialog, RepeatState* s, int id, int code) {
    if (s->filling) return;
    if (IsDateList(id)) {
        if (code == CBN_SELCHANGE && id != IDC_REPEAT_DAY) RefitDays(dialog, &s->lists);
        if (code == CBN_SELCHANGE || code == CBN_SELENDOK || code == CBN_KILLFOCUS) ShowDayCount(dialog, s);
        return;
    }
    switch (id) {
    case IDC_REPEAT_DAYS:
        if (code == EN_CHANGE) ShowEndDate(dialog, s);
        else if (code == EN_KILLFOCUS) ShowDayCount(dialog, s);
        break;
    case IDOK: OnOk(dialog, s); break;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
    default: break;
    }
}

INT_PTR RepeatProc(HWND dialog, RepeatState* s, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, s);
    case WM_COMMAND: OnCommand(dialog, s, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    default: return FALSE;
    }
}
}  // namespace

INT_PTR OpenRepeatDialog(HWND owner, RepeatDialog* dialog) {
    RepeatState s = {};
    s.d = dialog;
    return RunModalDialog<RepeatProc>(owner, IDD_REPEAT, &s);
}
