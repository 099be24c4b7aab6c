// Driving a real modal dialog as a user would: it runs in the test's thread while a second
// thread finds it by its caption and types, chooses and presses.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

// The visible dialog titled caption (other than notThis), waited for up to five seconds.
inline HWND WaitForWindow(const char* caption, HWND notThis = nullptr) {
    for (int i = 0; i < 200; ++i) {
        HWND w = FindWindowA("#32770", caption);
        if (w && w != notThis && IsWindowVisible(w)) return w;
        Sleep(25);
    }
    return nullptr;
}

inline std::string Text(HWND d, int id) {
    char buf[1024] = "";
    GetDlgItemTextA(d, id, buf, sizeof buf);
    return buf;
}

// Replaces the whole text of edit id as typing or pasting over a selection does (a multi-line
// edit tells nothing of a WM_SETTEXT).
inline void Type(HWND d, int id, const char* text) {
    SendDlgItemMessageA(d, id, EM_SETSEL, 0, -1);
    SendDlgItemMessageA(d, id, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

// Presses a button and goes on at once.
inline void Press(HWND d, int id) { PostMessageA(GetDlgItem(d, id), BM_CLICK, 0, 0); }
// Presses a button and returns when the dialog has done what the press asked for.
inline void PressAndWait(HWND d, int id) { SendMessageA(GetDlgItem(d, id), BM_CLICK, 0, 0); }

// Runs open() here while drive(dialog) acts on the dialog titled caption from another thread.
inline INT_PTR Drive(const char* caption, const std::function<INT_PTR()>& open, const std::function<void(HWND)>& drive) {
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
