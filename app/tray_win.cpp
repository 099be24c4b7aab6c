// The notification-area icon: one record kept for the whole run and reused for every call, its
// tooltip with today's memo, its balloon alarms and its callback.
#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "app/main_window_win.h"
#include "app/shell_state_win.h"
#include "app/sync_runner_win.h"
#include "app/tray_text.h"
#include "base/sjis.h"
#include "base/win/handles.h"
#include "calendar/today.h"
#include "config/app_state.h"
#include "resources/resource.h"

namespace {
// The shell's icon and the icon handle it shows, both given back by RemoveTrayIcon or at exit.
struct TrayIcon {
    NOTIFYICONDATAA record = {};
    OwnedIcon icon;
    bool shown = false;
    TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon() { Remove(); }
    void Remove() {
        if (shown) Shell_NotifyIconA(NIM_DELETE, &record);
        shown = false;
        icon.reset();
    }
};
TrayIcon g_tray;

// The record's size tells the shell which fields it may use: the shell version decides.
DWORD TrayRecordSize(int shellVersion) {
    if (shellVersion < 5) return NOTIFYICONDATAA_V1_SIZE;
    if (shellVersion == 5) return NOTIFYICONDATAA_V2_SIZE;
    return sizeof(NOTIFYICONDATAA);
}

void FillTip() {
    size_t size = g_shell.shellVersion < 5 ? 64 : sizeof g_tray.record.szTip;
    std::string tip = SjisShortened(
        TrayTooltipText(g_today.date, g_app.design, g_shell.shellVersion, SyncTrayLine(g_today.date)), size);
    CopyField(g_tray.record.szTip, size, tip.c_str());
}

void PutText(char* field, size_t size, const std::string& text) {
    CopyField(field, size, SjisShortened(text, size).c_str());
}
}  // namespace

bool AddTrayIcon(HWND hwnd) {
    g_tray.Remove();
    NOTIFYICONDATAA& r = g_tray.record;
    r = {};
    r.cbSize = TrayRecordSize(g_shell.shellVersion);
    r.hWnd = hwnd;
    r.uID = 0;
    r.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    r.uCallbackMessage = WM_TRAY_NOTIFY;
    g_tray.icon.reset(static_cast<HICON>(LoadImageA(g_shell.instance, MAKEINTRESOURCEA(IDI_TESSEL), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    r.hIcon = g_tray.icon.get();
    FillTip();
    g_tray.shown = Shell_NotifyIconA(NIM_ADD, &r) != 0;
    return g_tray.shown;
}

void RemoveTrayIcon() { g_tray.Remove(); }

void RefreshTrayTip() {
    if (!g_tray.shown) return;
    FillTip();
    Shell_NotifyIconA(NIM_MODIFY, &g_tray.record);
}

bool ShowTrayBalloon(const std::string& caption, const std::string& text) {
    if (!g_tray.shown || g_shell.shellVersion < 5) return false;
    NOTIFYICONDATAA& r = g_tray.record;
    r.uFlags |= NIF_INFO;
    PutText(r.szInfoTitle, sizeof r.szInfoTitle, caption);
    PutText(r.szInfo, sizeof r.szInfo, text);
    r.dwInfoFlags = NIIF_NONE;
    Shell_NotifyIconA(NIM_MODIFY, &r);
    r.uFlags &= ~NIF_INFO;  // later tooltip updates carry no balloon
    Shell_NotifyIconA(NIM_MODIFY, &r);
    return true;
}

OwnedMenu LoadTrayMenu(bool windowVisible) {
    OwnedMenu menu(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU)));
    if (HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr)
        EnableMenuItem(popup, windowVisible ? IDM_SHOW : IDM_HIDE, MF_BYCOMMAND | MF_GRAYED);
    return menu;
}

void OnTrayNotify(HWND hwnd, LPARAM lParam) {
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONUP:
        if (!IsIconic(hwnd)) SetForegroundWindow(hwnd);
        break;
    case WM_LBUTTONDBLCLK:
        if (!IsIconic(hwnd)) {
            ShowWindow(hwnd, SW_MINIMIZE);
            ShowWindow(hwnd, SW_HIDE);
        } else {
            ShowWindow(hwnd, SW_RESTORE);
            ShowWindow(hwnd, SW_SHOW);
            SetForegroundWindow(hwnd);
        }
        break;
    case WM_RBUTTONUP: {
        POINT at;
        GetCursorPos(&at);
        SetForegroundWindow(hwnd);
        OwnedMenu menu = LoadTrayMenu(IsWindowVisible(hwnd) != 0);
        HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
        if (!popup) break;
        TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd, nullptr);
        PostMessageA(hwnd, WM_NULL, 0, 0);
        break;
    }
    default:
        break;
    }
}
