// The notification-area icon: one record kept for the whole run and reused for every call.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "app/app_globals.h"
#include "app/main_window_win.h"
#include "calendar/today.h"
#include "config/app_state.h"
#include "config/design.h"
#include "base/sjis.h"

namespace {
NOTIFYICONDATAA g_tray;

// The record's size tells the shell which fields it may use: the shell version decides.
DWORD TrayRecordSize(int shellVersion) {
    if (shellVersion < 5) return NOTIFYICONDATAA_V1_SIZE;
    if (shellVersion == 5) return NOTIFYICONDATAA_V2_SIZE;
    return sizeof(NOTIFYICONDATAA);
}
}  // namespace

bool AddTrayIcon(HWND hwnd) {
    g_tray = {};
    g_tray.cbSize = TrayRecordSize(g_shell.shellVersion);
    g_tray.hWnd = hwnd;
    g_tray.uID = 0;
    g_tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    g_tray.uCallbackMessage = WM_TRAY_NOTIFY;
    g_tray.hIcon = static_cast<HICON>(LoadImageA(static_cast<HINSTANCE>(g_shell.instance),
                                                 MAKEINTRESOURCEA(101), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), 0));
    const std::tm& t = g_today.date;
    char tip[64];
    std::snprintf(tip, sizeof tip, "%d/%d(%s)", t.tm_mon + 1, t.tm_mday, HeadLabel(g_app.design, t.tm_wday));
    CopyField(g_tray.szTip, g_shell.shellVersion < 5 ? 64 : sizeof g_tray.szTip, tip);
    return Shell_NotifyIconA(NIM_ADD, &g_tray) != 0;
}

void RemoveTrayIcon() {
    Shell_NotifyIconA(NIM_DELETE, &g_tray);
    if (g_tray.hIcon) DestroyIcon(g_tray.hIcon);
    g_tray.hIcon = nullptr;
}
