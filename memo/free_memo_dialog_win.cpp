#include "memo/free_memo_dialog_win.h"

#include <string>

#include "base/cell_ids.h"
#include "base/win/dialog_kit.h"
#include "base/win/modal_dialog.h"
#include "base/win/owner_notes.h"
#include "memo/memo_dialog_frame_win.h"
#include "memo/memo_store.h"
#include "memo/memo_text_win.h"
#include "memo/working_text.h"
#include "resources/resource.h"

namespace {
constexpr Anchor kAnchors[] = {{IDC_FREE_MEMO_TEXT, 0, 3}, {IDC_FREE_MEMO_TAGS, 2, 0}, {IDOK, 3, 0}, {IDCANCEL, 3, 0}};

struct FreeMemoState {
    FreeMemoDialog* d;
    HWND owner;
    MemoDialogFrame frame;
    Filling filling;
};

BOOL OnInit(HWND dialog, FreeMemoState* s) {
    FillingScope filling(s->filling);
    OpenFrame(dialog, &s->frame, kAnchors, static_cast<int>(sizeof kAnchors / sizeof kAnchors[0]));
    std::string text = ReadFreeMemo(s->d->memoRow);
    SetEditTextCaretAtEnd(dialog, IDC_FREE_MEMO_TEXT, text.c_str());
    SetWorkingText(text);
    BeginEditing(kCellMemoBox, 0, 0, 0);
    g_edit.outerFrame = false;
    SetFocus(GetDlgItem(dialog, IDC_FREE_MEMO_TEXT));
    TellOwner(s->owner, kNoteSelect, kCellMemoBox);
    return FALSE;  // the focus is set
}

void OnTyped(HWND dialog, FreeMemoState* s) {
    SetWorkingText(ItemText(dialog, IDC_FREE_MEMO_TEXT));
    TellOwner(s->owner, kNoteRepaintCell, kCellMemoBox);
}

void Close(HWND dialog, FreeMemoState* s, INT_PTR result) {
    EndEditing();
    TellOwner(s->owner, kNoteRepaintCell, kCellMemoBox);
    SaveFrame(dialog, s->frame);
    EndDialog(dialog, result);
    TellOwner(s->owner, kNoteSelectBriefly, kCellMemoBox);
}

void OnOk(HWND dialog, FreeMemoState* s) {
    if (RefuseUnheldMemo(dialog, IDC_FREE_MEMO_TEXT)) return;  // nothing is stored; the text stays
    if (!WriteFreeMemo(WorkingTextOrEmpty(), s->d->memoRow).ok()) return;  // the user has been told; the text stays
    s->d->stored = true;
    Close(dialog, s, IDOK);
}

void OnCommand(HWND dialog, FreeMemoState* s, int id, int code) {
    if (s->filling) return;
    switch (id) {
    case IDC_FREE_MEMO_TEXT:
        if (code == EN_CHANGE) OnTyped(dialog, s);
        break;
    case IDOK: OnOk(dialog, s); break;
    case IDCANCEL: Close(dialog, s, IDCANCEL); break;
    case IDC_FREE_MEMO_TAGS: OpenTagsOver(dialog, s->owner, s->d->customColours); break;
    default: break;
    }
}

INT_PTR FreeMemoProc(HWND dialog, FreeMemoState* s, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, s);
    case WM_COMMAND: OnCommand(dialog, s, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_SIZE: ResizeFrame(dialog, s->frame, static_cast<bool>(s->filling)); return TRUE;
    case WM_GETMINMAXINFO: LimitFrame(s->frame, lParam); return TRUE;
    default: return FALSE;
    }
}
}  // namespace

INT_PTR OpenFreeMemoDialog(HWND owner, FreeMemoDialog* dialog) {
    FreeMemoState s = {};
    s.d = dialog;
    s.owner = owner;
    s.frame.name = "MEMO";
    s.frame.keep = dialog->placementKeep;
    dialog->stored = false;
    return RunModalDialog<FreeMemoProc>(owner, IDD_FREE_MEMO, &s);
}
