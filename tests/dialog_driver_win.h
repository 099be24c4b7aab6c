// Driving a modal dialog as a user would, from a second thread while the dialog runs in the
// test's thread: finding it, choosing in its lists, typing into its edits, pressing its buttons.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <thread>

// A new folder in the temporary folder, its name made of prefix, the process and the time.
inline std::string FreshTempFolder(const char* prefix) {
    char temp[MAX_PATH], dir[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::snprintf(dir, sizeof dir, "%s%s_%lu_%lu", temp, prefix, GetCurrentProcessId(), GetTickCount());
    CreateDirectoryA(dir, nullptr);
    return dir;
}

// A hidden window standing in for the calendar window: it owns the dialogs and takes their notes.
inline HWND CreateOwnerWindow(const char* className, WNDPROC proc) {
    WNDCLASSA c = {};
    c.lpfnWndProc = proc;
    c.hInstance = GetModuleHandleA(nullptr);
    c.lpszClassName = className;
    RegisterClassA(&c);
    return CreateWindowA(className, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, c.hInstance, nullptr);
}

// The visible dialog titled caption other than notThis, waited for up to 5 seconds; null if none.
inline HWND WaitForWindow(const char* caption, HWND notThis = nullptr) {
    for (int i = 0; i < 200; ++i) {
        HWND w = FindWindowA("#32770", caption);
        if (w && w != notThis && IsWindowVisible(w)) return w;
        Sleep(25);
    }
    return nullptr;
}

// Runs open() here while drive(dialog) acts on the dialog titled caption from another thread.
inline INT_PTR DriveDialog(const char* caption, const std::function<INT_PTR()>& open,
                           const std::function<void(HWND)>& drive) {
    std::thread driver([&] {
        HWND d = WaitForWindow(caption);
        if (!d) {
            ADD_FAILURE() << "no dialog";
            return;
        }
        drive(d);
    });
    INT_PTR result = open();
    driver.join();
    return result;
}

inline std::string Text(HWND d, int id) {
    char buf[1024] = "";
    GetDlgItemTextA(d, id, buf, sizeof buf);
    return buf;
}

// Chooses entry index of a drop-down list as the user does.
inline void Choose(HWND d, int id, int index) {
    SendDlgItemMessageA(d, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(d, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
}

inline int Chosen(HWND d, int id) { return static_cast<int>(SendDlgItemMessageA(d, id, CB_GETCURSEL, 0, 0)); }

// The text of the entry chosen; empty with none.
inline std::string ListText(HWND d, int id) {
    char buf[128] = "";
    if (Chosen(d, id) >= 0)
        SendDlgItemMessageA(d, id, CB_GETLBTEXT, static_cast<WPARAM>(Chosen(d, id)), reinterpret_cast<LPARAM>(buf));
    return buf;
}

// Line index of list box id.
inline std::string ListLine(HWND d, int id, int index) {
    char buf[300] = "";
    SendDlgItemMessageA(d, id, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf));
    return buf;
}

// Selects line index of list box id as a click does.
inline void Pick(HWND d, int id, int index) {
    SendDlgItemMessageA(d, id, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(d, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
}

// Replaces the whole text of edit id as typing or pasting over a selection does (a multi-line
// edit tells nothing of a WM_SETTEXT).
inline void Type(HWND d, int id, const char* text) {
    SendDlgItemMessageA(d, id, EM_SETSEL, 0, -1);
    SendDlgItemMessageA(d, id, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

// A button that may end the dialog: the dialog's thread takes the click in its own time.
inline void Press(HWND d, int id) { PostMessageA(GetDlgItem(d, id), BM_CLICK, 0, 0); }
// A button or radio clicked and done with before the next step.
inline void Click(HWND d, int id) { SendMessageA(GetDlgItem(d, id), BM_CLICK, 0, 0); }
