// The real calendar program, started beside this test program, seen from outside: its window's
// class and styles, the z-order that "ZORDER" asks for, positions remembered per screen size,
// and a second start while the first is hidden.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/main_window_win.h"
#include "base/win/wide_text.h"
#include "resources/resource.h"
#include "tests/app/running_calendar_win.h"

namespace {

TEST(MainWindow, ClassAndStylesOfTheEdition) {
    ASSERT_EQ(nullptr, FindWindowW(L"Tessel", nullptr)) << "a calendar is already running";
    RunningCalendar calendar(WriteConfig("styles", "WIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n"));
    HWND w = calendar.window();
    ASSERT_NE(nullptr, w);
    LONG style = GetWindowLongW(w, GWL_STYLE), ex = GetWindowLongW(w, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_EQ(TESSEL_CLASSIC ? 0 : WS_EX_LAYERED, ex & WS_EX_LAYERED);
    EXPECT_FALSE(ex & WS_EX_TOPMOST);
    EXPECT_EQ(static_cast<ULONG_PTR>(CS_DBLCLKS), GetClassLongPtrW(w, GCL_STYLE));
    EXPECT_EQ(L"Tessel", WideWindowText(w));
    EXPECT_EQ(0, calendar.Close());
}

// Icon group 101 lists a 16 x 16 and a 32 x 32 image, each an icon resource of its own that
// really is that size (asking LoadImage for a size would scale a single image to it).
TEST(MainWindow, ProgramCarriesIcon101InBothSizes) {
    HMODULE program = LoadLibraryExW(Wide(ProgramBesideUs()).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, program);
    HRSRC group = FindResourceW(program, MAKEINTRESOURCEW(101), RT_GROUP_ICON);
    ASSERT_NE(nullptr, group);
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(program, group)));
    ASSERT_NE(nullptr, directory);
    // The directory: reserved, type and count (16 bits each), then entries of 14 bytes that begin
    // with the width and the height (0 standing for 256).
    int count = directory[4] | directory[5] << 8;
    bool listed16 = false, listed32 = false;
    for (int i = 0; i < count; ++i) {
        const BYTE* entry = directory + 6 + 14 * i;
        listed16 = listed16 || (entry[0] == 16 && entry[1] == 16);
        listed32 = listed32 || (entry[0] == 32 && entry[1] == 32);
    }
    EXPECT_TRUE(listed16);
    EXPECT_TRUE(listed32);
    int ids[2] = {0, 0};
    for (int k = 0; k < 2; ++k) {
        int size = k ? 32 : 16;
        ids[k] = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC image = FindResourceW(program, MAKEINTRESOURCEW(ids[k]), RT_ICON);
        ASSERT_NE(nullptr, image) << size;
        auto* bits = static_cast<BYTE*>(LockResource(LoadResource(program, image)));
        ASSERT_NE(nullptr, bits) << size;
        // Width and height 0: the image at its own size.
        HICON icon = CreateIconFromResourceEx(bits, SizeofResource(program, image), TRUE, 0x00030000, 0, 0,
                                              LR_DEFAULTCOLOR);
        ASSERT_NE(nullptr, icon) << size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm = {};
        GetObjectW(info.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(size, bm.bmWidth);
        EXPECT_EQ(size, bm.bmHeight);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    EXPECT_NE(ids[0], ids[1]);
    FreeLibrary(program);
}

// A hand-edited countdown form is shown as text, not run: the calendar starts and stays.
TEST(MainWindow, HostileCountdownFormsStartNormally) {
    std::string config = WriteConfig("cdownform", "CDOWN_FORM=%n%s%s%s (,) %n%s%d,%n,%s,%n,%s,%x\r\n");
    std::string memo = config.substr(0, config.size() - 4) + "_memo.ini";
    FILE* f = OpenFile(memo.c_str(), "wb");
    ASSERT_NE(nullptr, f);
    std::fprintf(f, "[COUNTDOWN]\r\n01=2030,1,1,%%n%%s\r\n02=2020,5,5,past\r\n03=\r\n");
    std::fclose(f);
    RunningCalendar calendar(config);
    ASSERT_NE(nullptr, calendar.window());
    Sleep(300);
    EXPECT_TRUE(IsWindow(calendar.window()));
    EXPECT_EQ(0, calendar.Close());
}

TEST(MainWindow, ZOrderOneStartsTopmost) {
    RunningCalendar calendar(WriteConfig("topmost", "ZORDER=1\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n"));
    ASSERT_NE(nullptr, calendar.window());
    EXPECT_TRUE(GetWindowLongW(calendar.window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(0, calendar.Close());
}

// Where "ZORDER" 2 places the window (the bottom) cannot be seen here: Wine restacks a newly
// mapped window after the program has placed it. What can be seen: it is not made topmost.
TEST(MainWindow, ZOrderTwoIsNotTopmost) {
    RunningCalendar calendar(WriteConfig("bottom", "ZORDER=2\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n"));
    ASSERT_NE(nullptr, calendar.window());
    EXPECT_FALSE(GetWindowLongW(calendar.window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(0, calendar.Close());
}

TEST(MainWindow, MovesAreWrittenPerScreenSizeButNotWhileMinimised) {
    std::string config = WriteConfig("move", "WIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n");
    RunningCalendar calendar(config);
    HWND w = calendar.window();
    ASSERT_NE(nullptr, w);
    std::string x = ScreenKey("WIN_POS_X_%d", true), y = ScreenKey("WIN_POS_Y_%d", false);
    SetWindowPos(w, nullptr, 333, 222, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(333, WaitForValue(config, x, 333));
    EXPECT_EQ(222, WaitForValue(config, y, 222));
    SetWindowPos(w, nullptr, -40, 250, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(-40, WaitForValue(config, x, -40));  // signed: partly off the screen's left edge
    ShowWindow(w, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(w));
    Sleep(300);
    EXPECT_EQ(-40, static_cast<int>(GetPrivateProfileIntW(L"CONFIG", Wide(x).c_str(), 0, Wide(config).c_str())));
    EXPECT_EQ(250, static_cast<int>(GetPrivateProfileIntW(L"CONFIG", Wide(y).c_str(), 0, Wide(config).c_str())));
    EXPECT_EQ(0, calendar.Close());
}

TEST(MainWindow, SecondStartShowsTheHiddenFirstAndReadsNothing) {
    RunningCalendar calendar(WriteConfig("first", "WIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n"));
    HWND w = calendar.window();
    ASSERT_NE(nullptr, w);
    ShowWindow(w, SW_MINIMIZE);  // hidden as the calendar hides itself: minimised, then hidden
    ShowWindow(w, SW_HIDE);
    ASSERT_FALSE(IsWindowVisible(w));

    // A start that went on would write its configuration at once.
    std::string second = WriteConfig("second", "");
    DeleteFileW(Wide(second).c_str());
    std::wstring command = L"\"" + Wide(ProgramBesideUs()) + L"\" " + Wide(second);  // CreateProcessW writes into it
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    bool ended = WaitForSingleObject(pi.hProcess, 15000) == WAIT_OBJECT_0;
    DWORD code = 1;
    if (!ended) TerminateProcess(pi.hProcess, 1);
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_TRUE(ended);
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(Exists(second));
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_FALSE(IsIconic(w));
    EXPECT_EQ(w, FindWindowW(L"Tessel", nullptr));
    EXPECT_EQ(0, calendar.Close());
}

// Ctrl + Alt + F12 as the "HOTKEY" value (modifier byte 0x06) and as platform flags.
constexpr int kHotkeySetting = 0x067B;
constexpr UINT kHotkeyFlags = MOD_CONTROL | MOD_ALT;

HWND WaitForMessageBox(DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 50) {
        if (HWND box = FindWindowW(L"#32770", L"Tessel")) return box;
        Sleep(50);
    }
    return nullptr;
}

TEST(MainWindow, HotkeyIsRegisteredWithItsModifiers) {
    char lines[128];
    std::snprintf(lines, sizeof lines, "HOTKEY=%d\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n", kHotkeySetting);
    RunningCalendar calendar(WriteConfig("hotkey", lines));
    ASSERT_NE(nullptr, calendar.window());
    Sleep(200);
    EXPECT_EQ(nullptr, FindWindowW(L"#32770", L"Tessel"));
    // The calendar holds exactly this combination now, so we cannot have it.
    EXPECT_FALSE(RegisterHotKey(nullptr, 7, kHotkeyFlags, 0x7B));
    EXPECT_EQ(static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED), GetLastError());
    EXPECT_TRUE(RegisterHotKey(nullptr, 8, MOD_CONTROL, 0x7B));  // without Alt it is free
    UnregisterHotKey(nullptr, 8);
    EXPECT_EQ(0, calendar.Close());
}

TEST(MainWindow, HotkeyTakenElsewhereIsReported) {
    ASSERT_TRUE(RegisterHotKey(nullptr, 9, kHotkeyFlags, 0x7B));
    char lines[128];
    std::snprintf(lines, sizeof lines, "HOTKEY=%d\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n", kHotkeySetting);
    std::string config = WriteConfig("hotkey_taken", lines);
    RunningCalendar calendar(config);
    ASSERT_NE(nullptr, calendar.window());
    HWND box = WaitForMessageBox(5000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("指定のホットキーは他のアプリで登録済みです", ItemText(box, 0xFFFF));
    EXPECT_EQ(calendar.window(), GetWindow(box, GW_OWNER));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 40 && IsWindow(box); ++i) Sleep(50);
    EXPECT_FALSE(IsWindow(box));
    EXPECT_EQ(kHotkeySetting, static_cast<int>(GetPrivateProfileIntW(L"CONFIG", L"HOTKEY", 0, Wide(config).c_str())));
    EXPECT_EQ(0, calendar.Close());
    UnregisterHotKey(nullptr, 9);
}

// Wine's stand-in for the notification area is visible exactly while it holds icons.
bool TrayShowsIcons() {
    HWND tray = FindWindowW(nullptr, L"Wine System Tray");
    return tray && IsWindowVisible(tray);
}

TEST(MainWindow, TrayIconLivesAsLongAsTheWindow) {
    ASSERT_FALSE(TrayShowsIcons()) << "some other program has a tray icon";
    RunningCalendar calendar(WriteConfig("tray", "USE_TASKTRAY=1\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n"));
    ASSERT_NE(nullptr, calendar.window());
    bool shown = false;
    for (int i = 0; i < 40 && !(shown = TrayShowsIcons()); ++i) Sleep(50);
    EXPECT_TRUE(shown);
    EXPECT_EQ(0, calendar.Close());
    bool gone = false;
    for (int i = 0; i < 40 && !(gone = !TrayShowsIcons()); ++i) Sleep(50);
    EXPECT_TRUE(gone);
}

// The tray menu grays the item that would change nothing.
TEST(MainWindow, TrayMenuGraysWhatTheWindowAlreadyIs) {
    for (bool visible : {true, false}) {
        OwnedMenu menu = LoadTrayMenu(visible);
        ASSERT_TRUE(menu);
        HMENU popup = GetSubMenu(menu.get(), 0);
        EXPECT_EQ(visible, (GetMenuState(popup, IDM_SHOW, MF_BYCOMMAND) & MF_GRAYED) != 0);
        EXPECT_EQ(!visible, (GetMenuState(popup, IDM_HIDE, MF_BYCOMMAND) & MF_GRAYED) != 0);
        EXPECT_EQ(0u, GetMenuState(popup, IDM_EXIT, MF_BYCOMMAND) & MF_GRAYED);
    }
}

// Waits until the window is shown (or hidden and minimised).
bool WaitShown(HWND w, bool shown) {
    for (int i = 0; i < 60; ++i) {
        if (shown ? IsWindowVisible(w) && !IsIconic(w) : !IsWindowVisible(w) && IsIconic(w)) return true;
        Sleep(50);
    }
    return false;
}

HWND WaitForMenu(bool open) {
    HWND menu = nullptr;
    for (int i = 0; i < 60; ++i) {
        menu = FindWindowW(L"#32768", nullptr);
        if ((menu && IsWindowVisible(menu)) == open) break;
        Sleep(50);
    }
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

TEST(MainWindow, TrayClicksAndTheTrayMenuHideAndShow) {
    RunningCalendar calendar(WriteConfig("traymenu", "USE_TASKTRAY=1\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n"));
    HWND w = calendar.window();
    ASSERT_NE(nullptr, w);
    const UINT notify = WM_USER + 100;
    PostMessageW(w, notify, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitShown(w, false)) << "a double click hides by minimising first";
    PostMessageW(w, notify, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitShown(w, true));
    PostMessageW(w, notify, 0, WM_MOUSEMOVE);  // not a click: nothing
    Sleep(200);
    EXPECT_TRUE(IsWindowVisible(w));
    ASSERT_EQ(nullptr, WaitForMenu(false));

    // The menu at the icon: "隠す(&H)", then "表示する(&S)" by their accelerators.
    PostMessageW(w, notify, 0, WM_RBUTTONUP);
    HWND menu = WaitForMenu(true);
    ASSERT_NE(nullptr, menu);
    PostMessageW(menu, WM_CHAR, L'h', 0);
    EXPECT_TRUE(WaitShown(w, false));
    EXPECT_EQ(nullptr, WaitForMenu(false));
    PostMessageW(w, notify, 0, WM_RBUTTONUP);
    menu = WaitForMenu(true);
    ASSERT_NE(nullptr, menu);
    PostMessageW(menu, WM_CHAR, L's', 0);
    EXPECT_TRUE(WaitShown(w, true));
    EXPECT_EQ(0, calendar.Close());
}

}  // namespace
