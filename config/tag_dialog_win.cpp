#include "config/tag_dialog_win.h"

#include <commdlg.h>

#include "base/win/dialog_kit.h"
#include "base/win/handles.h"
#include "base/win/modal_dialog.h"
#include "config/tags.h"
#include "resources/resource.h"

namespace {
struct TagState {
    TagDialog* d;
    TagStyle work[kTagCount];  // what OK writes
    OwnedBrush swatch;         // the selected entry's colour
    Filling filling;
};

int Selected(HWND dialog) {
    int i = static_cast<int>(SendDlgItemMessageW(dialog, IDC_TAG_LIST, LB_GETCURSEL, 0, 0));
    return i >= 0 && i < kTagCount ? i : 0;
}

void SetListLine(HWND dialog, const TagStyle& tag, int index) {
    SendDlgItemMessageW(dialog, IDC_TAG_LIST, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendDlgItemMessageW(dialog, IDC_TAG_LIST, LB_INSERTSTRING, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(Wide(TagListText(tag)).c_str()));
    SendDlgItemMessageW(dialog, IDC_TAG_LIST, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// The selected entry's word (editable from entry 1 on), colour and style.
void ShowEntry(HWND dialog, TagState* s) {
    int i = Selected(dialog);
    const TagStyle& tag = s->work[i];
    FillingScope filling(s->filling);
    SetItemText(dialog, IDC_TAG_WORD, tag.word);
    EnableWindow(GetDlgItem(dialog, IDC_TAG_WORD), i > 0);
    CheckDlgButton(dialog, IDC_TAG_BOLD, tag.bold ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_TAG_ITALIC, tag.italic ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_TAG_STRIKE, tag.strikeOut ? BST_CHECKED : BST_UNCHECKED);
    s->swatch.reset(CreateSolidBrush(tag.colour));
    InvalidateRect(GetDlgItem(dialog, IDC_TAG_SWATCH), nullptr, TRUE);
}

BOOL OnInit(HWND dialog, TagState* s) {
    CentreOnScreen(dialog);
    for (int i = 0; i < kTagCount; ++i) {
        s->work[i] = g_tags[i];
        SendDlgItemMessageW(dialog, IDC_TAG_LIST, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(Wide(TagListText(s->work[i])).c_str()));
    }
    // The limit counts characters now; the word is cut to its 31 bytes when it is taken.
    SendDlgItemMessageW(dialog, IDC_TAG_WORD, EM_LIMITTEXT, 31, 0);
    SendDlgItemMessageW(dialog, IDC_TAG_LIST, LB_SETCURSEL, 0, 0);
    ShowEntry(dialog, s);
    SetFocus(GetDlgItem(dialog, IDOK));
    return FALSE;  // the focus is set
}

void OnWordTyped(HWND dialog, TagState* s) {
    int i = Selected(dialog);
    if (i == 0) return;  // the alarm-time entry keeps its word
    TagWordFromTyped(ItemText(dialog, IDC_TAG_WORD).c_str(), s->work[i].word);
    SetListLine(dialog, s->work[i], i);
}

void OnChooseColour(HWND dialog, TagState* s) {
    TagStyle& tag = s->work[Selected(dialog)];
    CHOOSECOLORW choice = {};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = dialog;
    choice.rgbResult = tag.colour;
    static_assert(sizeof(Colour) == sizeof(COLORREF), "a colour is a COLORREF");
    choice.lpCustColors = reinterpret_cast<COLORREF*>(s->d->customColours);
    choice.Flags = CC_RGBINIT;
    if (!ChooseColorW(&choice)) return;
    tag.colour = choice.rgbResult;
    ShowEntry(dialog, s);
}

void OnOk(HWND dialog, TagState* s) {
    for (int i = 0; i < kTagCount; ++i) g_tags[i] = s->work[i];
    WriteTags();  // a failed write has been told to the user; the tags in memory are in force
    s->d->changed = true;
    EndDialog(dialog, IDOK);
}

void OnCommand(HWND dialog, TagState* s, int id, int code) {
    if (s->filling) return;
    TagStyle& tag = s->work[Selected(dialog)];
    switch (id) {
    case IDC_TAG_LIST:
        if (code == LBN_SELCHANGE) ShowEntry(dialog, s);
        break;
    case IDC_TAG_WORD:
        if (code == EN_CHANGE) OnWordTyped(dialog, s);
        break;
    case IDC_TAG_BOLD: tag.bold = IsDlgButtonChecked(dialog, id) == BST_CHECKED; break;
    case IDC_TAG_ITALIC: tag.italic = IsDlgButtonChecked(dialog, id) == BST_CHECKED; break;
    case IDC_TAG_STRIKE: tag.strikeOut = IsDlgButtonChecked(dialog, id) == BST_CHECKED; break;
    case IDC_TAG_COLOUR: OnChooseColour(dialog, s); break;
    case IDOK: OnOk(dialog, s); break;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
    default: break;
    }
}

// The swatch is drawn in the selected entry's colour.
INT_PTR OnStaticColour(TagState* s, HWND control) {
    if (GetDlgCtrlID(control) != IDC_TAG_SWATCH || !s->swatch) return FALSE;
    return reinterpret_cast<INT_PTR>(s->swatch.get());
}

INT_PTR TagProc(HWND dialog, TagState* s, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, s);
    case WM_COMMAND: OnCommand(dialog, s, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_CTLCOLORSTATIC: return OnStaticColour(s, reinterpret_cast<HWND>(lParam));
    default: return FALSE;
    }
}
}  // namespace

INT_PTR OpenTagDialog(HWND owner, TagDialog* dialog) {
    TagState s = {};
    s.d = dialog;
    dialog->changed = false;
    return RunModalDialog<TagProc>(owner, IDD_TAGS, &s);
}
