#include "memo/date_memo_dialog_win.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/cell_ids.h"
#include "base/win/dialog_kit.h"
#include "base/win/modal_dialog.h"
#include "base/win/owner_notes.h"
#include "base/win/wide_text.h"
#include "calendar/civil_date.h"
#include "config/file_names.h"
#include "memo/alarm_time.h"
#include "memo/clear_month.h"
#include "memo/date_lists_win.h"
#include "memo/memo_dialog_frame_win.h"
#include "memo/memo_edit_text.h"
#include "memo/memo_store.h"
#include "memo/memo_text_win.h"
#include "memo/repeat.h"
#include "memo/repeat_dialog_win.h"
#include "memo/working_text.h"
#include "resources/resource.h"

namespace {
constexpr Anchor kAnchors[] = {
    {IDC_DATE_MEMO_TEXT, 0, 3},   {IDC_DATE_MEMO_REPEAT_LABEL, 2, 0}, {IDC_DATE_MEMO_REPEAT, 2, 1},
    {IDC_DATE_MEMO_REPEAT_SETTINGS, 3, 0}, {IDC_DATE_MEMO_TAGS, 2, 0}, {IDC_DATE_MEMO_CLEAR, 2, 0},
    {IDOK, 3, 0},                 {IDCANCEL, 3, 0},
};

struct DateMemoState {
    DateMemoDialog* d;
    HWND owner;
    MemoDialogFrame frame;
    DateLists lists;
    std::string stored;  // the memo of the date as it was read
    RepeatList repeats;
    int repeat;          // entry of the repeat list chosen: 0 "なし"
    int appendState;     // the entry in force at the last change: 0 overwrite, else append
    int lineCount;       // of the working text, last seen
    Filling filling;
};

int CellOfDate(const DateMemoDialog& d) {
    int index = DayNumberOf(d.year, d.month, d.day) - d.firstShownDay;
    return index >= 0 && index < d.shownDays ? kCellDayBase + index : kCellNone;
}

void SetEditText(HWND dialog, DateMemoState* s, const std::string& text) {
    FillingScope filling(s->filling);
    SetEditTextCaretAtEnd(dialog, IDC_DATE_MEMO_TEXT, text.c_str());
}

// The memo of the dialog's date becomes what the edit and its day cell show.
void LoadDate(HWND dialog, DateMemoState* s) {
    const DateMemoDialog& d = *s->d;
    s->stored = ReadMemo(d.year, d.month, d.day);
    SetEditText(dialog, s, s->appendState ? std::string() : s->stored);
    SetWorkingText(s->stored);
    BeginEditing(CellOfDate(d), d.year, d.month, d.day);
    g_edit.outerFrame = false;
    s->lineCount = LineCount(s->stored);
}

void FillRepeatList(HWND dialog, DateMemoState* s, int selection) {
    std::vector<std::string> entries = {"なし"};
    for (int i = 0; i < s->repeats.count; ++i) {
        char line[64];
        FormatRepeatRule(s->repeats.rules[i], line, sizeof line);
        entries.push_back(line);
    }
    FillList(dialog, IDC_DATE_MEMO_REPEAT, entries, selection);
}

// The edit's text (in append mode behind the stored memo) becomes the working text, previewed.
void Retype(HWND dialog, DateMemoState* s, bool leavingAppend) {
    std::string working =
        PreviewText(s->stored, ItemText(dialog, IDC_DATE_MEMO_TEXT), s->appendState > 0 || leavingAppend);
    SetWorkingText(working);
    int lines = LineCount(working);
    if (s->d->rowExtend && lines != s->lineCount) TellOwner(s->owner, kNoteRebuild);
    s->lineCount = lines;
    if (leavingAppend) SetEditText(dialog, s, working);
    if (IsDayCell(g_edit.editingCell)) TellOwner(s->owner, kNoteRepaintCell, g_edit.editingCell);
}

void OnRepeatChosen(HWND dialog, DateMemoState* s) {
    int chosen = ListSelection(dialog, IDC_DATE_MEMO_REPEAT);
    if (chosen < 0) chosen = 0;
    int before = s->appendState;
    // Changing the mode rewrites the edit from 932: a character it cannot hold would be lost
    // there, so the list goes back to the mode in force until the text is mended.
    if ((before == 0) != (chosen == 0) && RefuseUnheldMemo(dialog, IDC_DATE_MEMO_TEXT)) {
        SendDlgItemMessageW(dialog, IDC_DATE_MEMO_REPEAT, CB_SETCURSEL, static_cast<WPARAM>(s->repeat), 0);
        return;
    }
    s->repeat = s->appendState = chosen;
    if (before == 0 && chosen > 0) {
        // The edit keeps only what is added to the stored memo.
        SetEditText(dialog, s, AddedPart(ItemText(dialog, IDC_DATE_MEMO_TEXT), s->stored));
        SetItemText(dialog, IDC_DATE_MEMO_MODE, "<追記>");
        Retype(dialog, s, false);
    } else if (before > 0 && chosen == 0) {
        SetItemText(dialog, IDC_DATE_MEMO_MODE, "<上書>");
        Retype(dialog, s, true);
    }
}

// Another date chosen: what was typed is stored under the old date first.
void OnDateChosen(HWND dialog, DateMemoState* s, int list) {
    DateMemoDialog& d = *s->d;
    if (RefuseUnheldMemo(dialog, IDC_DATE_MEMO_TEXT) ||
        !WriteMemo(d.year, d.month, d.day, WorkingTextOrEmpty(), false).ok()) {
        ShowDate(dialog, &s->lists, d.year, d.month, d.day);  // stay: what was typed is still here
        return;
    }
    d.stored = true;
    if (list != IDC_DATE_MEMO_DAY) RefitDays(dialog, &s->lists);
    ChosenDateOf(dialog, s->lists, &d.year, &d.month, &d.day);
    TellOwner(s->owner, kNoteSelect, CellOfDate(d));
    LoadDate(dialog, s);
    TellOwner(s->owner, kNoteStored);
}

// Only an Escape is taken out of the queue: the other keys pressed meanwhile go back in their order.
bool EscapeWaiting(void*) {
    std::vector<MSG> others;
    bool escape = false;
    for (MSG m; PeekMessageW(&m, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE);) {
        if (m.wParam == VK_ESCAPE && !escape) escape = true;
        else others.push_back(m);
    }
    for (const MSG& m : others) PostMessageW(m.hwnd, m.message, m.wParam, m.lParam);
    return escape;
}

void Close(HWND dialog, DateMemoState* s, INT_PTR result) {
    EndEditing();
    TellOwner(s->owner, kNoteStored);
    SaveFrame(dialog, s->frame);
    EndDialog(dialog, result);
    TellOwner(s->owner, kNoteSelectBriefly, CellOfDate(*s->d));
}

void OnOk(HWND dialog, DateMemoState* s) {
    DateMemoDialog& d = *s->d;
    // Nothing is stored while the text holds a character no memo can; the dialog stays open.
    if (RefuseUnheldMemo(dialog, IDC_DATE_MEMO_TEXT)) return;
    if (s->repeat == 0) {
        std::string_view text = WorkingTextOrEmpty();
        std::optional<std::string> sorted = d.sortByTime ? SortMemoByTime(text) : std::nullopt;
        // A failed store has been told to the user; everything typed stays in the dialog.
        if (!WriteMemo(d.year, d.month, d.day, sorted ? *sorted : text, false).ok()) return;
    } else {
        HCURSOR before = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        std::string added = ItemText(dialog, IDC_DATE_MEMO_TEXT);
        RepeatOutcome outcome =
            RunRepeatSeries(d.year, d.month, d.day, added.c_str(), s->repeats.rules[s->repeat - 1], EscapeWaiting, nullptr);
        if (outcome == kRepeatStopped) ShowMessage(dialog, "途中で中止しました", "Tessel", MB_OK);
        UseRule(d.memoPath, &s->repeats, s->repeat - 1);
        SetWorkingText(s->stored);
        TellOwner(s->owner, kNoteRebuild);
        SetCursor(before);
    }
    d.stored = true;
    Close(dialog, s, IDOK);
}

void OnClearMonth(HWND dialog, DateMemoState* s) {
    DateMemoDialog& d = *s->d;
    if (ShowMessage(dialog, ClearMonthQuestion(d.year, d.month), kClearMonthCaption, MB_OKCANCEL) != IDOK) return;
    ClearMonthMemos(d.year, d.month);
    d.stored = true;
    s->stored.clear();
    SetEditText(dialog, s, "");
    SetWorkingText("");
    s->lineCount = 1;
    TellOwner(s->owner, kNoteRebuild);
    TellOwner(s->owner, kNoteStored);
}

void OnRepeatSettings(HWND dialog, DateMemoState* s) {
    const DateMemoDialog& d = *s->d;
    RepeatDialog r = {d.year, d.month, d.day, s->repeat > 0 ? &s->repeats.rules[s->repeat - 1] : nullptr, &s->repeats,
                      d.memoPath};
    if (OpenRepeatDialog(dialog, &r) != IDOK) return;
    FillRepeatList(dialog, s, 1);
    OnRepeatChosen(dialog, s);
    SetFocus(GetDlgItem(dialog, IDC_DATE_MEMO_TEXT));  // next comes the text to add
}

BOOL OnInit(HWND dialog, DateMemoState* s) {
    FillingScope filling(s->filling);
    OpenFrame(dialog, &s->frame, kAnchors, static_cast<int>(sizeof kAnchors / sizeof kAnchors[0]));
    ShowDate(dialog, &s->lists, s->d->year, s->d->month, s->d->day);
    LoadDate(dialog, s);
    LoadRepeatList(s->d->memoPath, &s->repeats);
    FillRepeatList(dialog, s, 0);
    SetItemText(dialog, IDC_DATE_MEMO_MODE, "<上書>");
    SetFocus(GetDlgItem(dialog, IDC_DATE_MEMO_TEXT));
    TellOwner(s->owner, kNoteSelect, CellOfDate(*s->d));
    return FALSE;  // the focus is set
}

void OnCommand(HWND dialog, DateMemoState* s, int id, int code) {
    if (s->filling) return;
    switch (id) {
    case IDC_DATE_MEMO_TEXT:
        if (code == EN_CHANGE) Retype(dialog, s, false);
        break;
    case IDC_DATE_MEMO_REPEAT:
        if (code == CBN_SELCHANGE) OnRepeatChosen(dialog, s);
        break;
    case IDC_DATE_MEMO_YEAR:
    case IDC_DATE_MEMO_MONTH:
    case IDC_DATE_MEMO_DAY:
        if (code == CBN_SELCHANGE) OnDateChosen(dialog, s, id);
        break;
    case IDC_DATE_MEMO_REPEAT_SETTINGS: OnRepeatSettings(dialog, s); break;
    case IDC_DATE_MEMO_CLEAR: OnClearMonth(dialog, s); break;
    case IDOK: OnOk(dialog, s); break;
    case IDCANCEL: Close(dialog, s, IDCANCEL); break;
    case IDC_DATE_MEMO_TAGS: OpenTagsOver(dialog, s->owner, s->d->customColours); break;
    default: break;
    }
}

INT_PTR DateMemoProc(HWND dialog, DateMemoState* s, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, s);
    case WM_COMMAND: OnCommand(dialog, s, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_SIZE: ResizeFrame(dialog, s->frame, static_cast<bool>(s->filling)); return TRUE;
    case WM_GETMINMAXINFO: LimitFrame(s->frame, lParam); return TRUE;
    default: return FALSE;
    }
}
}  // namespace

INT_PTR OpenDateMemoDialog(HWND owner, DateMemoDialog* dialog) {
    DateMemoState s = {};
    s.d = dialog;
    s.owner = owner;
    s.frame.name = "DATEMEMO";
    s.frame.keep = dialog->placementKeep;
    dialog->stored = false;
    return RunModalDialog<DateMemoProc>(owner, IDD_DATE_MEMO, &s);
}
