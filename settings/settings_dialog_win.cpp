#include "settings/settings_dialog_win.h"

#include <commctrl.h>

#include <cstring>
#include <string>

#include "base/win/dialog_kit.h"
#include "base/win/modal_dialog.h"
#include "base/win/owner_notes.h"
#include "config/profile_access.h"
#include "resources/resource.h"
#include "settings/design_page_win.h"
#include "settings/settings_session_win.h"

namespace {
constexpr int kPageTemplates[kSettingsPageCount] = {IDD_SETTINGS_DISPLAY, IDD_SETTINGS_DESIGN, IDD_SETTINGS_OPERATION};
constexpr DLGPROC kPageProcs[kSettingsPageCount] = {DisplayPageProc, DesignPageProc, OperationPageProc};
const char* const kTabTitles[kSettingsPageCount] = {"表示・アラーム", "デザイン", "操作"};

HWND Tabs(HWND frame) { return GetDlgItem(frame, IDC_SETTINGS_TABS); }

// The pages are children of the frame laid over the tab control's display area.
void CreatePages(HWND frame, SettingsSession* s) {
    HWND tabs = Tabs(frame);
    for (int i = 0; i < kSettingsPageCount; ++i) {
        std::wstring title = Wide(kTabTitles[i]);
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = title.data();
        SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    RECT area;
    GetWindowRect(tabs, &area);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&area), 2);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (int i = 0; i < kSettingsPageCount; ++i) {
        HWND page = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kPageTemplates[i]), frame,
                                       kPageProcs[i], reinterpret_cast<LPARAM>(s));
        s->pages[i] = page;
        SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_NOACTIVATE);
    }
}

void FillPages(SettingsSession* s) {
    FillingScope filling(s->filling);
    FillDisplayPage(s->pages[kDisplayPage], s);
    FillDesignPage(s->pages[kDesignPage], s);
    FillOperationPage(s->pages[kOperationPage], s);
}

// A button pressed and then disabled would keep the focus, and the keyboard would reach nothing.
void Disable(HWND frame, int id) {
    HWND button = GetDlgItem(frame, id);
    if (GetFocus() == button) SendMessageW(frame, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(frame, IDOK)), TRUE);
    EnableWindow(button, FALSE);
}

void EnableButtons(HWND frame, bool enable) {
    for (int id : {IDC_SETTINGS_TEST, IDC_SETTINGS_APPLY}) {
        if (enable) EnableWindow(GetDlgItem(frame, id), TRUE);
        else Disable(frame, id);
    }
}

BOOL OnInit(HWND frame, SettingsSession* s) {
    FillingScope filling(s->filling);
    s->frame = frame;
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    CreatePages(frame, s);
    int tab = ReadConfigInt("SETTING_TAB", 0);
    if (tab < 0 || tab >= kSettingsPageCount) tab = 0;
    ShowSettingsPage(s, tab);
    CentreOnScreen(frame);
    MakeWorkFonts(s);
    FillPages(s);
    SetFocus(GetDlgItem(frame, IDOK));
    EnableButtons(frame, false);
    return FALSE;  // the focus is set
}

HWND Owner(HWND frame) { return GetWindow(frame, GW_OWNER); }

void OnTest(HWND frame, SettingsSession* s) {
    if (!CollectSettings(s)) return;
    Disable(frame, IDC_SETTINGS_TEST);
    TellOwner(Owner(frame), kNotePreview, &s->work);
}

// 適用 and OK: the calendar makes the working copies the settings and writes them; the design's
// name it kept (marked when the design was changed) comes back into the copies.
bool Keep(HWND frame, SettingsSession* s) {
    if (!CollectSettings(s)) return false;
    SettingsToKeep keep{s->work, s->bindings, s->kept.settings.useTasktray != 0, false};
    TellOwner(Owner(frame), kNoteSettingsKept, &keep);
    s->kept = keep.state;
    Settings& work = s->work.settings;
    if (std::strncmp(work.currentDesign, keep.state.settings.currentDesign, sizeof work.currentDesign) != 0) {
        std::memcpy(work.currentDesign, keep.state.settings.currentDesign, sizeof work.currentDesign);
        ListDesigns(s->pages[kDesignPage], s);
    }
    s->dialog->kept = true;
    // The store has told the user already; the status line says what it means here.
    if (!keep.written) SetItemText(frame, IDC_SETTINGS_STATUS, "設定をファイルに保存できませんでした");
    return keep.written;
}

void OnApply(HWND frame, SettingsSession* s) {
    if (!Keep(frame, s)) return;
    EnableButtons(frame, false);
}

void OnOk(HWND frame, SettingsSession* s) {
    if (Keep(frame, s)) EndDialog(frame, IDOK);
}

void OnCancel(HWND frame, SettingsSession* s) {
    TellOwner(Owner(frame), kNotePreview, &s->kept);
    EndDialog(frame, IDCANCEL);
}

void OnCommand(HWND frame, SettingsSession* s, int id) {
    if (s->filling) return;
    switch (id) {
    case IDOK: OnOk(frame, s); break;
    case IDCANCEL: OnCancel(frame, s); break;
    case IDC_SETTINGS_TEST: OnTest(frame, s); break;
    case IDC_SETTINGS_APPLY: OnApply(frame, s); break;
    default: break;
    }
}

void OnChanged(HWND frame, const SettingsSession& s) {
    if (!s.filling) EnableButtons(frame, true);
}

void OnTabChange(HWND frame, SettingsSession* s) {
    int tab = static_cast<int>(SendMessageW(Tabs(frame), TCM_GETCURSEL, 0, 0));
    ShowSettingsPage(s, tab);
    (void)WriteConfigInt("SETTING_TAB", tab);  // a failure is told by the store
}

INT_PTR OnNotify(HWND frame, SettingsSession* s, const NMHDR* note) {
    if (note->idFrom == IDC_SETTINGS_TABS && note->code == TCN_SELCHANGE) OnTabChange(frame, s);
    return FALSE;
}

// The status line in red on the button face.
INT_PTR OnStaticColour(HDC dc, HWND control) {
    if (GetDlgCtrlID(control) != IDC_SETTINGS_STATUS) return FALSE;
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

INT_PTR FrameProc(HWND frame, SettingsSession* s, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(frame, s);
    case WM_COMMAND: OnCommand(frame, s, LOWORD(wParam)); return TRUE;
    case WM_NOTIFY: return OnNotify(frame, s, reinterpret_cast<NMHDR*>(lParam));
    case WM_SETTINGS_CHANGED: OnChanged(frame, *s); return TRUE;
    case WM_CTLCOLORSTATIC: return OnStaticColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    default: return FALSE;
    }
}
}  // namespace

INT_PTR OpenSettingsDialog(HWND owner, SettingsDialog* dialog) {
    SettingsSession s;
    s.dialog = dialog;
    s.kept = dialog->inForce;
    s.work = dialog->inForce;
    s.bindings = dialog->bindings;
    s.shellVersion = dialog->shellVersion;
    dialog->kept = false;
    return RunModalDialog<FrameProc>(owner, IDD_SETTINGS, &s);
}
