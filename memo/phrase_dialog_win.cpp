#include "memo/phrase_dialog_win.h"

#include "base/win/dialog_kit.h"
#include "base/win/modal_dialog.h"
#include "memo/phrases.h"
#include "resources/resource.h"

namespace {
struct PhraseState {
    PhraseDialog* d;
    PhraseTable table;
    Filling filling;
};

int Selected(HWND dialog) {
    int i = static_cast<int>(SendDlgItemMessageA(dialog, IDC_PHRASE_LIST, LB_GETCURSEL, 0, 0));
    return i >= 0 && i < kPhraseCount ? i : 0;
}

// Puts slot's list line at its place (replacing the one there when replace).
void PutListLine(HWND dialog, const PhraseState* s, int slot, bool replace) {
    char line[kPhraseSize];
    PhraseListText(s->table.slots[static_cast<size_t>(slot)].c_str(), line, sizeof line);
    if (replace) SendDlgItemMessageA(dialog, IDC_PHRASE_LIST, LB_DELETESTRING, static_cast<WPARAM>(slot), 0);
    SendDlgItemMessageA(dialog, IDC_PHRASE_LIST, LB_INSERTSTRING, static_cast<WPARAM>(slot), reinterpret_cast<LPARAM>(line));
}

void Select(HWND dialog, int slot) { SendDlgItemMessageA(dialog, IDC_PHRASE_LIST, LB_SETCURSEL, static_cast<WPARAM>(slot), 0); }

void ShowSelected(HWND dialog, PhraseState* s) {
    FillingScope filling(s->filling);
    SetDlgItemTextA(dialog, IDC_PHRASE_TEXT, s->table.slots[static_cast<size_t>(Selected(dialog))].c_str());
}

BOOL OnInit(HWND dialog, PhraseState* s) {
    FillingScope filling(s->filling);
    CentreOnScreen(dialog);
    LoadPhraseTable(&s->table);
    for (int slot = 0; slot < kPhraseCount; ++slot) PutListLine(dialog, s, slot, false);
    Select(dialog, 0);
    ShowSelected(dialog, s);
    SetFocus(GetDlgItem(dialog, IDOK));
    return FALSE;  // the focus is set
}

void OnTyped(HWND dialog, PhraseState* s) {
    int slot = Selected(dialog);
    SetPhrase(&s->table, slot, ItemText(dialog, IDC_PHRASE_TEXT).c_str());
    PutListLine(dialog, s, slot, true);
    Select(dialog, slot);
}

// The selected phrase changes places with its neighbour; the edit's text goes with it.
void OnMove(HWND dialog, PhraseState* s, int direction) {
    int slot = Selected(dialog);
    int target = MovePhrase(&s->table, slot, direction);
    if (target < 0) return;
    PutListLine(dialog, s, slot, true);
    PutListLine(dialog, s, target, true);
    Select(dialog, target);
}

void OnOk(HWND dialog, PhraseState* s) {
    if (!SavePhraseTable(s->table)) return;  // the user has been told; the phrases stay here
    s->d->saved = true;
    EndDialog(dialog, IDOK);
}

void OnCommand(HWND dialog, PhraseState* s, int id, int code) {
    if (s->filling) return;
    switch (id) {
    case IDC_PHRASE_LIST:
        if (code == LBN_SELCHANGE) ShowSelected(dialog, s);
        break;
    case IDC_PHRASE_TEXT:
        if (code == EN_CHANGE) OnTyped(dialog, s);
        break;
    case IDC_PHRASE_UP: OnMove(dialog, s, -1); break;
    case IDC_PHRASE_DOWN: OnMove(dialog, s, 1); break;
    case IDOK: OnOk(dialog, s); break;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
    default: break;
    }
}

INT_PTR PhraseProc(HWND dialog, PhraseState* s, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, s);
    case WM_COMMAND: OnCommand(dialog, s, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    default: return FALSE;
    }
}
}  // namespace

INT_PTR OpenPhraseDialog(HWND owner, PhraseDialog* dialog) {
    PhraseState s = {};
    s.d = dialog;
    dialog->saved = false;
    return RunModalDialog<PhraseProc>(owner, IDD_PHRASES, &s);
}
