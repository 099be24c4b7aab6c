#include "settings/settings_dialog_win.h"

#include <commctrl.h>

#include "base/sjis.h"
#include "base/win/dialog_kit.h"
#include "base/win/owner_notes.h"
#include "config/design.h"
#include "config/file_names.h"
#include "config/named_designs.h"
#include "config/operations.h"
#include "config/profile_access.h"
#include "config/profile_store.h"
#include "config/settings.h"
#include "resources/resource.h"
#include "settings/design_page_win.h"
#include "settings/settings_session_win.h"

namespace {
struct Frame {
    SettingsDialog* d;
    SettingsSession session;
};

Frame* FrameOf(HWND frame) { return reinterpret_cast<Frame*>(GetWindowLongPtrA(frame, GWLP_USERDATA)); }

constexpr int kPageTemplates[kSettingsPageCount] = {IDD_SETTINGS_DISPLAY, IDD_SETTINGS_DESIGN, IDD_SETTINGS_OPERATION};
constexpr DLGPROC kPageProcs[kSettingsPageCount] = {DisplayPageProc, DesignPageProc, OperationPageProc};
const char* const kTabTitles[kSettingsPageCount] = {"表示・アラーム", "デザイン", "操作"};

HWND Tabs(HWND frame) { return GetDlgItem(frame, IDC_SETTINGS_TABS); }

// The pages are children of the frame laid over the tab control's display area.
void CreatePages(HWND frame, Frame* f) {
    HWND tabs = Tabs(frame);
    for (int i = 0; i < kSettingsPageCount; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(kTabTitles[i]);
        SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    RECT area;
    GetWindowRect(tabs, &area);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&area), 2);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (int i = 0; i < kSettingsPageCount; ++i) {
        HWND page = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kPageTemplates[i]), frame,
                                       kPageProcs[i], reinterpret_cast<LPARAM>(&f->session));
        f->session.pages[i] = page;
        SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_NOACTIVATE);
    }
}

void FillPages(Frame* f) {
    f->session.initialising = true;
    FillDisplayPage(f->session.pages[kDisplayPage], &f->session);
    FillDesignPage(f->session.pages[kDesignPage], &f->session);
    FillOperationPage(f->session.pages[kOperationPage], &f->session);
    f->session.initialising = false;
}

// A button pressed and then disabled would keep the focus, and the keyboard would reach nothing.
void Disable(HWND frame, int id) {
    HWND button = GetDlgItem(frame, id);
    if (GetFocus() == button) SendMessageA(frame, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(frame, IDOK)), TRUE);
    EnableWindow(button, FALSE);
}

void EnableButtons(HWND frame, bool enable) {
    for (int id : {IDC_SETTINGS_TEST, IDC_SETTINGS_APPLY}) {
        if (enable) EnableWindow(GetDlgItem(frame, id), TRUE);
        else Disable(frame, id);
    }
}

BOOL OnInit(HWND frame, Frame* f) {
    SetWindowLongPtrA(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(f));
    KeepSession(frame, reinterpret_cast<LPARAM>(&f->session));
    f->session.frame = frame;
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    CreatePages(frame, f);
    int tab = ReadConfigInt("SETTING_TAB", 0);
    if (tab < 0 || tab >= kSettingsPageCount) tab = 0;
    ShowSettingsPage(&f->session, tab);
    CentreOnScreen(frame);
    MakeWorkFonts(&f->session);
    FillPages(f);
    SetFocus(GetDlgItem(frame, IDOK));
    EnableButtons(frame, false);
    return FALSE;  // the focus is set
}

// The working copy in force in the calendar, shown but not kept.
void Preview(HWND frame, Frame* f) {
    g_app = f->session.work;
    TellOwner(GetWindow(frame, GW_OWNER), kNotePreview);
}

void OnTest(HWND frame, Frame* f) {
    if (!CollectSettings(&f->session)) return;
    Disable(frame, IDC_SETTINGS_TEST);
    Preview(frame, f);
}

// 適用 and OK: the working copy becomes the settings and goes to the configuration file, every
// key of it in one replacement of the file.
bool Keep(HWND frame, Frame* f) {
    if (!CollectSettings(&f->session)) return false;
    AppState& kept = f->session.kept;
    int trayBefore = kept.settings.useTasktray;
    kept = f->session.work;
    g_app = kept;
    KeepEditedBindings();
    bool written;
    {
        ProfileWriteBatch batch;
        written = WriteSettings(g_app);
        if (MarkChangedDesign(g_files.programDir, '\\', &g_app)) {
            kept = g_app;
            CopyField(f->session.work.settings.currentDesign, sizeof f->session.work.settings.currentDesign,
                      g_app.settings.currentDesign);
            ListDesigns(f->session.pages[kDesignPage], &f->session);
            written &= WriteSettings(g_app);
        }
        written &= WriteDesign(g_app);
        written &= batch.End().ok();
    }
    f->d->kept = true;
    TellOwner(GetWindow(frame, GW_OWNER), kNoteSettingsKept, trayBefore);
    // The store has told the user already; the status line says what it means here.
    if (!written) SetDlgItemTextA(frame, IDC_SETTINGS_STATUS, "設定をファイルに保存できませんでした");
    return written;
}

void OnApply(HWND frame, Frame* f) {
    if (!Keep(frame, f)) return;
    EnableButtons(frame, false);
}

void OnOk(HWND frame, Frame* f) {
    if (Keep(frame, f)) EndDialog(frame, IDOK);
}

void OnCancel(HWND frame, Frame* f) {
    g_app = f->session.kept;
    TellOwner(GetWindow(frame, GW_OWNER), kNotePreview);
    EndDialog(frame, IDCANCEL);
}

void OnCommand(HWND frame, Frame* f, int id) {
    if (f->session.initialising) return;
    switch (id) {
    case IDOK: OnOk(frame, f); break;
    case IDCANCEL: OnCancel(frame, f); break;
    case IDC_SETTINGS_TEST: OnTest(frame, f); break;
    case IDC_SETTINGS_APPLY: OnApply(frame, f); break;
    default: break;
    }
}

void OnChanged(HWND frame, const Frame* f) {
    if (!f->session.initialising) EnableButtons(frame, true);
}

void OnTabChange(HWND frame, Frame* f) {
    int tab = static_cast<int>(SendMessageA(Tabs(frame), TCM_GETCURSEL, 0, 0));
    ShowSettingsPage(&f->session, tab);
    (void)WriteConfigInt("SETTING_TAB", tab);  // a failure is told by the store
}

INT_PTR OnNotify(HWND frame, Frame* f, const NMHDR* note) {
    if (note->idFrom == IDC_SETTINGS_TABS && note->code == TCN_SELCHANGE) OnTabChange(frame, f);
    return FALSE;
}

// The status line in red on the button face.
INT_PTR OnStaticColour(HDC dc, HWND control) {
    if (GetDlgCtrlID(control) != IDC_SETTINGS_STATUS) return FALSE;
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

INT_PTR CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    Frame* f = message == WM_INITDIALOG ? reinterpret_cast<Frame*>(lParam) : FrameOf(frame);
    if (!f) return FALSE;
    switch (message) {
    case WM_INITDIALOG: return OnInit(frame, f);
    case WM_COMMAND: OnCommand(frame, f, LOWORD(wParam)); return TRUE;
    case WM_NOTIFY: return OnNotify(frame, f, reinterpret_cast<NMHDR*>(lParam));
    case WM_SETTINGS_CHANGED: OnChanged(frame, f); return TRUE;
    case WM_CTLCOLORSTATIC: return OnStaticColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    default: return FALSE;
    }
}
}  // namespace

INT_PTR OpenSettingsDialog(HWND owner, SettingsDialog* dialog) {
    Frame f{dialog, {}};
    f.session.kept = g_app;
    f.session.work = g_app;
    f.session.shellVersion = dialog->shellVersion;
    dialog->kept = false;
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETTINGS), owner, FrameProc,
                           reinterpret_cast<LPARAM>(&f));
}
