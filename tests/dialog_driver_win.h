// Driving a modal dialog as a user would, from a second thread while the dialog runs in the
// test's thread: finding it, choosing in its lists, typing into its edits, pressing its buttons.
// The tests speak code page 932, as the calendar does inside; every text crosses to and from the
// dialog's Unicode windows here, through base/win/wide_text.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "base/win/wide_text.h"

// A new folder in the temporary folder, its name made of prefix, the process and the time.
inline std::string FreshTempFolder(const char* prefix) {
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    char tail[MAX_PATH];
    std::snprintf(tail, sizeof tail, "%s_%lu_%lu", prefix, GetCurrentProcessId(), GetTickCount());
    std::string dir = Sjis(temp) + tail;
    CreateDirectoryW(Wide(dir).c_str(), nullptr);
    return dir;
}

// The files the dialogs read and write, named in 932 and opened through the wide functions, so
// that a name in Japanese is found whatever the system's code page.
struct ClosesTestFile {
    void operator()(FILE* f) const { std::fclose(f); }
};
using OwnedTestFile = std::unique_ptr<FILE, ClosesTestFile>;

// The bytes of the file at path; empty when it cannot be read.
inline std::string WholeFile(const std::string& path) {
    std::string bytes;
    OwnedTestFile f(OpenFile(path.c_str(), "rb"));
    if (!f) return bytes;
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0;) bytes.append(chunk, n);
    return bytes;
}

// Makes the file at path hold bytes; false when it could not be written whole.
inline bool PutWholeFile(const std::string& path, const std::string& bytes) {
    OwnedTestFile f(OpenFile(path.c_str(), "wb"));
    if (!f) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
    return std::fclose(f.release()) == 0 && written;
}

// A hidden window standing in for the calendar window: it owns the dialogs and takes their notes.
// The class is a Unicode one: proc passes what it does not handle to DefWindowProcW.
inline HWND CreateOwnerWindow(const char* className, WNDPROC proc) {
    std::wstring name = Wide(className);
    WNDCLASSW c = {};
    c.lpfnWndProc = proc;
    c.hInstance = GetModuleHandleW(nullptr);
    c.lpszClassName = name.c_str();
    RegisterClassW(&c);
    return CreateWindowW(name.c_str(), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, c.hInstance, nullptr);
}

// The visible dialog titled caption other than notThis, waited for up to 5 seconds; null if none.
inline HWND WaitForWindow(const char* caption, HWND notThis = nullptr) {
    std::wstring title = Wide(caption);
    for (int i = 0; i < 200; ++i) {
        HWND w = FindWindowW(L"#32770", title.c_str());
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

inline std::string Text(HWND d, int id) { return ItemText(d, id); }

// Chooses entry index of a drop-down list as the user does.
inline void Choose(HWND d, int id, int index) {
    SendDlgItemMessageW(d, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
}

inline int Chosen(HWND d, int id) { return static_cast<int>(SendDlgItemMessageW(d, id, CB_GETCURSEL, 0, 0)); }

// The text of the entry chosen; empty with none.
inline std::string ListText(HWND d, int id) {
    int index = Chosen(d, id);
    if (index < 0) return std::string();
    LRESULT length = SendDlgItemMessageW(d, id, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return std::string();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT got = SendDlgItemMessageW(d, id, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return Sjis(text);
}

// Line index of list box id.
inline std::string ListLine(HWND d, int id, int index) {
    LRESULT length = SendDlgItemMessageW(d, id, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return std::string();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT got = SendDlgItemMessageW(d, id, LB_GETTEXT, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return Sjis(text);
}

// Selects line index of list box id as a click does.
inline void Pick(HWND d, int id, int index) {
    SendDlgItemMessageW(d, id, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
}

// Replaces the whole text of edit id as typing or pasting over a selection does (a multi-line
// edit tells nothing of a WM_SETTEXT). text is 932, as a memo is.
inline void Type(HWND d, int id, const char* text) {
    std::wstring typed = Wide(text);
    SendDlgItemMessageW(d, id, EM_SETSEL, 0, -1);
    SendDlgItemMessageW(d, id, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed.c_str()));
}

// The same with UTF-16 text, as pasting from another program does: text 932 cannot hold too.
inline void TypeWide(HWND d, int id, std::wstring_view text) {
    std::wstring typed(text);
    SendDlgItemMessageW(d, id, EM_SETSEL, 0, -1);
    SendDlgItemMessageW(d, id, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed.c_str()));
}

// Keys typed into control, as a Unicode window takes them: one WM_CHAR a UTF-16 unit, a
// character beyond U+FFFF as its two surrogates.
inline void TypeKeys(HWND control, std::wstring_view units) {
    for (wchar_t unit : units) SendMessageW(control, WM_CHAR, static_cast<WPARAM>(unit), 1);
}

// A button that may end the dialog: the dialog's thread takes the click in its own time.
inline void Press(HWND d, int id) { PostMessageW(GetDlgItem(d, id), BM_CLICK, 0, 0); }
// A button or radio clicked and done with before the next step.
inline void Click(HWND d, int id) { SendMessageW(GetDlgItem(d, id), BM_CLICK, 0, 0); }
