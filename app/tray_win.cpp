// The notification-area icon: one record kept for the whole run and reused for every call, its
// tooltip with today's memo, its balloon alarms and its callback.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "app/main_window_win.h"
#include "app/shell_state_win.h"
#include "app/sync_runner_win.h"
#include "app/tray_text.h"
#include "base/sjis.h"
#include "base/win/handles.h"
#include "base/win/wide_text.h"
#include "calendar/today.h"
#include "config/app_state.h"
#include "resources/resource.h"

namespace {
// The shell's icon and the icon handle it shows, both given back by RemoveTrayIcon or at exit.
struct TrayIcon {
    NOTIFYICONDATAW record = {};
    OwnedIcon icon;
    bool shown = false;
    TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon() { Remove(); }
    void Remove() {
        if (shown) Shell_NotifyIconW(NIM_DELETE, &record);
        shown = false;
        icon.reset();
    }
};
TrayIcon g_tray;

// The record's size tells the shell which fields it may use: the shell version decides.
DWORD TrayRecordSize(int shellVersion) {
    if (shellVersion < 5) return NOTIFYICONDATAW_V1_SIZE;
    if (shellVersion == 5) return NOTIFYICONDATAW_V2_SIZE;
    return sizeof(NOTIFYICONDATAW);
}

// A field of size wide characters takes the text shortened to size - 1 bytes of 932, as the
// fields held when they were 932 themselves: every 932 character is one wide character or fewer
// bytes, so it always fits and shows as much as it always did.
void PutText(wchar_t* field, size_t size, const std::string& text) {
    std::wstring wide = Wide(SjisShortened(text, size));
    size_t n = std::min(wide.size(), size - 1);
    std::copy_n(wide.begin(), n, field);
    field[n] = L'\0';
}

void FillTip() {
    size_t size = g_shell.shellVersion < 5 ? 64 : std::size(g_tray.record.szTip);
    PutText(g_tray.record.szTip, size,
            TrayTooltipText(g_today.date, g_app.design, g_shell.shellVersion, SyncTrayLine(g_today.date)));
}
}  // namespace

bool AddTrayIcon(HWND hwnd) {
    g_tray.Remove();
    NOTIFYICONDATAW& r = g_tray.record;
    r = {};
    r.cbSize = TrayRecordSize(g_shell.shellVersion);
    r.hWnd = hwnd;
    r.uID = 0;
    r.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    r.uCallbackMessage = WM_TRAY_NOTIFY;
    g_tray.icon.reset(static_cast<HICON>(LoadImageW(g_shell.instance, MAKEINTRESOURCEW(IDI_TESSEL), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    r.hIcon = g_tray.icon.get();
    FillTip();
    g_tray.shown = Shell_NotifyIconW(NIM_ADD, &r) != 0;
    return g_tray.shown;
}

void RemoveTrayIcon() { g_tray.Remove(); }

void RefreshTrayTip() {
    if (!g_tray.shown) return;
    FillTip();
    Shell_NotifyIconW(NIM_MODIFY, &g_tray.record);
}

bool ShowTrayBalloon(const std::string& caption, const std::string& text) {
    if (!g_tray.shown || g_shell.shellVersion < 5) return false;
    NOTIFYICONDATAW& r = g_tray.record;
    r.uFlags |= NIF_INFO;
    PutText(r.szInfoTitle, std::size(r.szInfoTitle), caption);
    PutText(r.szInfo, std::size(r.szInfo), text);
    r.dwInfoFlags = NIIF_NONE;
    Shell_NotifyIconW(NIM_MODIFY, &r);
    r.uFlags &= ~NIF_INFO;  // later tooltip updates carry no balloon
    Shell_NotifyIconW(NIM_MODIFY, &r);
    return true;
}

OwnedMenu LoadTrayMenu(bool windowVisible) {
    OwnedMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU)));
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
        PostMessageW(hwnd, WM_NULL, 0, 0);
        break;
    }
    default:
        break;
    }
}
