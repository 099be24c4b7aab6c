// Settings page "操作": the hot key, the key and quick input switches, the row scroll unit and the
// key and mouse binding of every operation. Bindings are edited in the session's copy; the frame
// hands it to the calendar when the settings are kept.
#include <windows.h>

#include <string>
#include <vector>

#include "base/win/dialog_kit.h"
#include "config/edition.h"
#include "config/key_names_win.h"
#include "config/operations.h"
#include "resources/resource.h"
#include "settings/operation_rows.h"
#include "settings/settings_form.h"
#include "settings/settings_session_win.h"

static_assert(kNoteClicked == BN_CLICKED && kNoteSelectionChanged == LBN_SELCHANGE &&
              kNoteSelectionChanged == CBN_SELCHANGE && kNoteTextChanged == EN_CHANGE);

namespace {
constexpr int kKeyColumn = 100;  // dialog units; the mouse column follows at twice this

// The modifier boxes and the list of a binding.
struct BindingBoxes {
    int alt, ctrl, shift, list;
};
constexpr BindingBoxes kKeyBoxes = {IDC_OPERATION_KEY_ALT, IDC_OPERATION_KEY_CTRL, IDC_OPERATION_KEY_SHIFT,
                                    IDC_OPERATION_KEY};
constexpr BindingBoxes kMouseBoxes = {IDC_OPERATION_MOUSE_ALT, IDC_OPERATION_MOUSE_CTRL, IDC_OPERATION_MOUSE_SHIFT,
                                      IDC_OPERATION_MOUSE};

bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }
void Check(HWND page, int id, bool on) { CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED); }

std::vector<std::string> KeyListEntries() {
    std::vector<std::string> entries{KeyBindingName(0, "")};
    for (unsigned short key : kAssignableKeys) entries.push_back(KeyNameOf(key));
    return entries;
}

std::string RowText(const SettingsSession& s, int row) {
    int key = s.bindings.key[row];
    return OperationRowText(g_operations[row].name, key, s.bindings.mouse[row], KeyNameOf(key).c_str());
}

int SelectedRow(HWND page) {
    int row = static_cast<int>(SendDlgItemMessageW(page, IDC_OPERATION_LIST, LB_GETCURSEL, 0, 0));
    return row >= 0 && row < kOperationCount ? row : -1;
}

void ShowBinding(HWND page, const BindingBoxes& boxes, int binding, int listIndex) {
    Check(page, boxes.alt, binding & kModAlt);
    Check(page, boxes.ctrl, binding & kModCtrl);
    Check(page, boxes.shift, binding & kModShift);
    SendDlgItemMessageW(page, boxes.list, CB_SETCURSEL, static_cast<WPARAM>(listIndex), 0);
}

int ModifiersIn(HWND page, const BindingBoxes& boxes) {
    return BindingModifiers(Checked(page, boxes.alt), Checked(page, boxes.ctrl), Checked(page, boxes.shift));
}

void OnRowChosen(HWND page, const SettingsSession& s) {
    int row = SelectedRow(page);
    if (row < 0) return;
    int key = s.bindings.key[row], mouse = s.bindings.mouse[row];
    ShowBinding(page, kKeyBoxes, key, KeyListIndexOf(key));
    ShowBinding(page, kMouseBoxes, mouse, MouseListIndexOf(mouse));
}

// The selected row takes the boxes' bindings; its line is written again in place.
void OnBindingChanged(HWND page, SettingsSession* s) {
    int row = SelectedRow(page);
    if (row < 0) return;
    s->bindings.key[row] = KeyBindingFromList(ListSelection(page, IDC_OPERATION_KEY), ModifiersIn(page, kKeyBoxes));
    s->bindings.mouse[row] =
        MouseBindingFromList(ListSelection(page, IDC_OPERATION_MOUSE), ModifiersIn(page, kMouseBoxes));
    SendDlgItemMessageW(page, IDC_OPERATION_LIST, LB_DELETESTRING, static_cast<WPARAM>(row), 0);
    SendDlgItemMessageW(page, IDC_OPERATION_LIST, LB_INSERTSTRING, static_cast<WPARAM>(row),
                        reinterpret_cast<LPARAM>(Wide(RowText(*s, row)).c_str()));
    SendDlgItemMessageW(page, IDC_OPERATION_LIST, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

// The lists' entries, the list's columns and what differs in the classic edition; the values
// come with FillOperationPage.
BOOL OnInit(HWND page) {
    std::vector<std::string> keys = KeyListEntries();
    FillList(page, IDC_OPERATION_HOTKEY_KEY, keys, 0);
    FillList(page, IDC_OPERATION_KEY, keys, 0);
    FillList(page, IDC_OPERATION_MOUSE, MouseListEntries(), 0);
    int column = kKeyColumn;
    SendDlgItemMessageW(page, IDC_OPERATION_LIST, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&column));
    if (CurrentEdition() == kClassicEdition) {
        SetItemText(page, IDC_OPERATION_DAYSCROLL_LABEL, "行スクロール日数(&U)：");
        ShowWindow(GetDlgItem(page, IDC_OPERATION_BUTTON_ORDER_LABEL), SW_HIDE);
        ShowWindow(GetDlgItem(page, IDC_OPERATION_BUTTON_ORDER), SW_HIDE);
    }
    return FALSE;  // the frame places the focus
}

void OnCommand(HWND page, SettingsSession* s, int id, int code) {
    if (s->filling) return;
    switch (OperationPageEventOf(id, code)) {
    case kPageIgnores: return;
    case kRowChosen: OnRowChosen(page, *s); break;
    case kBindingChanged: OnBindingChanged(page, s); break;
    case kPageSettingChanged: break;
    }
    NoteSettingsChanged(page);
}

INT_PTR OnMessage(HWND page, SettingsSession* s, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(page);
    case WM_COMMAND: OnCommand(page, s, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    default: return FALSE;
    }
}
}  // namespace

void FillOperationPage(HWND page, SettingsSession* s) {
    FillingScope filling(s->filling);
    SettingsForm form = FormOfSettings(s->work);
    Check(page, IDC_OPERATION_HOTKEY_ALT, form.hotkeyModifiers & kHotkeyAlt);
    Check(page, IDC_OPERATION_HOTKEY_CTRL, form.hotkeyModifiers & kHotkeyCtrl);
    Check(page, IDC_OPERATION_HOTKEY_SHIFT, form.hotkeyModifiers & kHotkeyShift);
    Check(page, IDC_OPERATION_HOTKEY_WIN, form.hotkeyModifiers & kHotkeyWin);
    SendDlgItemMessageW(page, IDC_OPERATION_HOTKEY_KEY, CB_SETCURSEL, static_cast<WPARAM>(KeyListIndexOf(form.hotkeyKey)), 0);
    auto toggle = static_cast<HotkeyToggle>(form.hotkeyToggle);
    int radio = toggle == HotkeyToggle::kMinimise   ? IDC_OPERATION_HOTKEY_MINIMIZE
                : toggle == HotkeyToggle::kToBottom ? IDC_OPERATION_HOTKEY_TO_BOTTOM
                                                    : IDC_OPERATION_HOTKEY_DO_NOTHING;
    CheckRadioButton(page, IDC_OPERATION_HOTKEY_DO_NOTHING, IDC_OPERATION_HOTKEY_TO_BOTTOM, radio);
    Check(page, IDC_OPERATION_KEYASSIGN_ENABLE, form.keyassignEnable);
    Check(page, IDC_OPERATION_QUICKMEMO_ENABLE, form.quickmemoEnable);
    SetItemText(page, IDC_OPERATION_DAYSCROLL_UNIT, form.dayscrollUnit);
    SendDlgItemMessageW(page, IDC_OPERATION_LIST, LB_RESETCONTENT, 0, 0);
    for (int row = 0; row < kOperationCount; ++row)
        SendDlgItemMessageW(page, IDC_OPERATION_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(RowText(*s, row)).c_str()));
}

INT_PTR CALLBACK OperationPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return DialogProcOf<SettingsSession, OnMessage>(page, message, wParam, lParam);
}
