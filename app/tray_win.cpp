// The notification-area icon: one record kept for the whole run and reused for every call.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "app/main_window_win.h"
#include "app/shell_state_win.h"
#include "base/sjis.h"
#include "base/win/handles.h"
#include "calendar/today.h"
#include "config/app_state.h"
#include "config/design.h"
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
    g_tray.icon.reset(static_cast<HICON>(LoadImageA(g_shell.instance,
                                                    MAKEINTRESOURCEA(IDI_TESSEL), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    r.hIcon = g_tray.icon.get();
    const std::tm& t = g_today.date;
    char tip[64];
    std::snprintf(tip, sizeof tip, "%d/%d(%s)", t.tm_mon + 1, t.tm_mday, HeadLabel(g_app.design, t.tm_wday));
    CopyField(r.szTip, g_shell.shellVersion < 5 ? 64 : sizeof r.szTip, tip);
    g_tray.shown = Shell_NotifyIconA(NIM_ADD, &r) != 0;
    return g_tray.shown;
}

void RemoveTrayIcon() { g_tray.Remove(); }
