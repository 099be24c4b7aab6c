#include "memo/phrase_dialog_win.h"

#include <string>
#include <utility>

#include "base/win/dialog_kit.h"
#include "base/win/modal_dialog.h"
#include "base/win/wide_text.h"
#include "memo/memo_text_win.h"
#include "memo/phrases.h"
#include "resources/resource.h"

namespace {
struct PhraseState {
    PhraseDialog* d;
    PhraseTable table;
    // What the edit held for a slot whose text has a character 932 cannot hold (empty for the
    // others): the table keeps it with "?", so the edit shows this again and OK refuses it.
    std::wstring unheld[kPhraseCount];
    Filling filling;
};

int Selected(HWND dialog) {
    int i = static_cast<int>(SendDlgItemMessageW(dialog, IDC_PHRASE_LIST, LB_GETCURSEL, 0, 0));
    return i >= 0 && i < kPhraseCount ? i : 0;
}

// Puts slot's list line at its place (replacing the one there when replace).
void PutListLine(HWND dialog, const PhraseState* s, int slot, bool replace) {
    char line[kPhraseSize];
    PhraseListText(s->table.slots[static_cast<size_t>(slot)].c_str(), line, sizeof line);
    if (replace) SendDlgItemMessageW(dialog, IDC_PHRASE_LIST, LB_DELETESTRING, static_cast<WPARAM>(slot), 0);
    SendDlgItemMessageW(dialog, IDC_PHRASE_LIST, LB_INSERTSTRING, static_cast<WPARAM>(slot),
                        reinterpret_cast<LPARAM>(Wide(line).c_str()));
}

void Select(HWND dialog, int slot) { SendDlgItemMessageW(dialog, IDC_PHRASE_LIST, LB_SETCURSEL, static_cast<WPARAM>(slot), 0); }

void ShowSelected(HWND dialog, PhraseState* s) {
    FillingScope filling(s->filling);
    int slot = Selected(dialog);
    const std::wstring& unheld = s->unheld[slot];
    if (!unheld.empty()) SetDlgItemTextW(dialog, IDC_PHRASE_TEXT, unheld.c_str());
    else SetItemText(dialog, IDC_PHRASE_TEXT, s->table.slots[static_cast<size_t>(slot)]);
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
    std::wstring typed = WideWindowText(GetDlgItem(dialog, IDC_PHRASE_TEXT));
    SetPhrase(&s->table, slot, Sjis(typed).c_str());
    s->unheld[slot] = FirstUnheld(typed) ? std::move(typed) : std::wstring();
    PutListLine(dialog, s, slot, true);
    Select(dialog, slot);
}

// The selected phrase changes places with its neighbour; the edit's text goes with it.
void OnMove(HWND dialog, PhraseState* s, int direction) {
    int slot = Selected(dialog);
    int target = MovePhrase(&s->table, slot, direction);
    if (target < 0) return;
    s->unheld[slot].swap(s->unheld[target]);
    PutListLine(dialog, s, slot, true);
    PutListLine(dialog, s, target, true);
    Select(dialog, target);
}

void OnOk(HWND dialog, PhraseState* s) {
    // Nothing is saved while a phrase holds a character no memo can: the first such phrase is
    // shown, with the character selected.
    for (int slot = 0; slot < kPhraseCount; ++slot) {
        if (s->unheld[slot].empty()) continue;
        Select(dialog, slot);
        ShowSelected(dialog, s);
        RefuseUnheldMemo(dialog, IDC_PHRASE_TEXT, s->unheld[slot]);
        return;
    }
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
