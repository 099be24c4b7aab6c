// The system-wide hot key (id 1) that brings the calendar forward.
#include <windows.h>

#include <cstdio>

#include "app/main_window_win.h"
#include "app/startup.h"
#include "base/win/wide_text.h"

void OnSetHotkey(HWND hwnd, WPARAM wParam) {
    int value = static_cast<int>(wParam & 0xFFFF);
    if (value == 0) {
        UnregisterHotKey(hwnd, 1);
        return;
    }
    if (RegisterHotKey(hwnd, 1, HotkeyModifierFlags(value), value & 0xFF)) return;
    DWORD error = GetLastError();
    char text[64];
    if (error == ERROR_HOTKEY_ALREADY_REGISTERED)
        std::snprintf(text, sizeof text, "%s", "指定のホットキーは他のアプリで登録済みです");
    else
        std::snprintf(text, sizeof text, "Error code=%d", static_cast<int>(error));
    ShowMessage(hwnd, text, "Tessel", MB_OK);
}
