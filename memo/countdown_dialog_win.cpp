#include "memo/countdown_dialog_win.h"

#include <commctrl.h>

#include <string>

#include "base/sjis.h"
#include "base/win/dialog_kit.h"
#include "base/win/modal_dialog.h"
#include "calendar/calendar_years.h"
#include "calendar/civil_date.h"
#include "memo/countdown.h"
#include "memo/date_choice.h"
#include "memo/date_lists_win.h"
#include "memo/memo_text_win.h"
#include "resources/resource.h"

namespace {
// A day count reaches either end of the calendar's years from any day of them.
const int kMostDays = MostCalendarDays();

struct CountdownState {
    CountdownDialog* d;
    DateLists lists;
    Filling filling;
};

// The day count follows the date chosen in the lists.
void ShowDayCount(HWND dialog, CountdownState* s) {
    int y, m, d;
    ChosenDateOf(dialog, s->lists, &y, &m, &d);
    FillingScope filling(s->filling);
    int days = ClampDays(DayOffset(y, m, d, s->d->today), -kMostDays, kMostDays);
    SetDlgItemInt(dialog, IDC_COUNTDOWN_DAYS, static_cast<UINT>(days), TRUE);
}

// The date follows the day count typed or stepped.
void ShowDateOfCount(HWND dialog, CountdownState* s) {
    int n = DayCountFromText(ItemText(dialog, IDC_COUNTDOWN_DAYS).c_str(), -kMostDays, kMostDays);
    int y, m, d;
    DateAtOffset(n, s->d->today, &y, &m, &d);
    ShowDate(dialog, &s->lists, y, m, d);
}

// The text as stored: its first line, at most 255 bytes, cut on a character boundary.
std::string CountdownText(HWND dialog) {
    std::string text = ItemText(dialog, IDC_COUNTDOWN_TEXT);
    text = text.substr(0, text.find_first_of("\r\n"));
    text.resize(SjisFitLength(text.c_str(), kCountdownTextSize - 1));
    return text;
}

BOOL OnInit(HWND dialog, CountdownState* s) {
    FillingScope filling(s->filling);
    CentreOnScreen(dialog);
    CountdownDialog& d = *s->d;
    if (d.line >= CountdownCount()) d.line = -1;
    int y = d.year, m = d.month, day = d.day;
    if (d.line >= 0) {
        const CountdownMemo& memo = g_countdowns.memos[static_cast<size_t>(d.line)];
        y = memo.year, m = memo.month, day = memo.day;
        SetEditTextCaretAtEnd(dialog, IDC_COUNTDOWN_TEXT, memo.text);
    } else {
        EnableWindow(GetDlgItem(dialog, IDC_COUNTDOWN_ADD), FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_COUNTDOWN_DELETE), FALSE);
    }
    SendDlgItemMessageW(dialog, IDC_COUNTDOWN_TEXT, EM_LIMITTEXT, kCountdownTextSize - 1, 0);
    SendDlgItemMessageW(dialog, IDC_COUNTDOWN_DAYS_SPIN, UDM_SETRANGE32, static_cast<WPARAM>(-kMostDays), kMostDays);
    ShowDate(dialog, &s->lists, y, m, day);
    ShowDayCount(dialog, s);
    SetFocus(GetDlgItem(dialog, IDC_COUNTDOWN_TEXT));
    return FALSE;  // the focus is set
}

// OK, Add and Delete change the list (each one undo step, saved at once) and close the dialog.
void OnButton(HWND dialog, CountdownState* s, int id) {
    CountdownDialog& d = *s->d;
    if (id == IDC_COUNTDOWN_DELETE && d.line < 0) return;
    // A text with a character no memo can hold is not stored; the dialog stays open.
    if (id != IDC_COUNTDOWN_DELETE && RefuseUnheldMemo(dialog, IDC_COUNTDOWN_TEXT)) return;
    int y, m, day;
    ChosenDateOf(dialog, s->lists, &y, &m, &day);
    std::string text = CountdownText(dialog);
    if (id == IDOK && d.line >= 0) ReplaceCountdown(d.line, y, m, day, text.c_str());
    else if (id == IDOK || id == IDC_COUNTDOWN_ADD) AddCountdownRecorded(y, m, day, text.c_str());
    else DeleteCountdown(d.line, &d.currentCell);
    d.changed = true;
    EndDialog(dialog, id);
}

void OnCommand(HWND dialog, CountdownState* s, int id, int code) {
    if (s->filling) return;
    if (IsDateList(id)) {
        if (code == CBN_SELCHANGE && id != IDC_COUNTDOWN_DAY) RefitDays(dialog, &s->lists);
        if (code == CBN_SELCHANGE || code == CBN_SELENDOK || code == CBN_KILLFOCUS) ShowDayCount(dialog, s);
        return;
    }
    switch (id) {
    case IDC_COUNTDOWN_DAYS:
        if (code == EN_CHANGE) ShowDateOfCount(dialog, s);
        else if (code == EN_KILLFOCUS) ShowDayCount(dialog, s);
        break;
    case IDOK:
    case IDC_COUNTDOWN_ADD:
    case IDC_COUNTDOWN_DELETE: OnButton(dialog, s, id); break;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
    default: break;
    }
}

INT_PTR CountdownProc(HWND dialog, CountdownState* s, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, s);
    case WM_COMMAND: OnCommand(dialog, s, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    default: return FALSE;
    }
}
}  // namespace

INT_PTR OpenCountdownDialog(HWND owner, CountdownDialog* dialog) {
    CountdownState s = {};
    s.d = dialog;
    dialog->changed = false;
    return RunModalDialog<CountdownProc>(owner, IDD_COUNTDOWN, &s);
}
