// The real calendar with a configuration file it may not write: the user is told once, in a
// message box naming the file and the reason, and the file stays as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "base/win/wide_text.h"
#include "tests/app/running_calendar_win.h"

namespace {

std::string Bytes(const std::string& path) {
    std::string s;
    FILE* f = OpenFile(path.c_str(), "rb");
    if (!f) return s;
    char b[4096];
    size_t n;
    while ((n = std::fread(b, 1, sizeof b, f)) > 0) s.append(b, n);
    std::fclose(f);
    return s;
}

// The message box of the calendar ("#32770" titled "Tessel"), or null after ms.
HWND WaitForBox(DWORD ms) {
    for (DWORD waited = 0; waited <= ms; waited += 50) {
        if (HWND box = FindWindowW(L"#32770", L"Tessel")) return box;
        Sleep(50);
    }
    return nullptr;
}

TEST(WriteFailure, ReadOnlyConfigurationIsToldOnceAndKept) {
    ASSERT_EQ(nullptr, FindWindowW(L"Tessel", nullptr)) << "a calendar is already running";
    std::string config = WriteConfig("readonly", "");
    std::string before = Bytes(config);
    ASSERT_TRUE(SetFileAttributesW(Wide(config).c_str(), FILE_ATTRIBUTE_READONLY));
    RunningCalendar calendar(config);
    ASSERT_NE(nullptr, calendar.window());

    // The start writes the window height: it fails, and the user hears of it.
    HWND box = WaitForBox(10000);
    ASSERT_NE(nullptr, box);
    std::string text = ItemText(box, 0xFFFF);  // a message box's text, in code page 932
    EXPECT_NE(text.find(config), std::string::npos) << text;
    EXPECT_NE(text.find("読み取り専用"), std::string::npos) << text;

    // More failed writes to the same file (a move writes the position) bring no second box.
    RECT r;
    GetWindowRect(calendar.window(), &r);
    SetWindowPos(calendar.window(), nullptr, r.left + 7, r.top + 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(box, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 20 && IsWindow(box); ++i) Sleep(50);
    EXPECT_FALSE(IsWindow(box));
    EXPECT_EQ(nullptr, WaitForBox(700));
    EXPECT_EQ(Bytes(config), before);

    // Writable again: the next move reaches the file.
    ASSERT_TRUE(SetFileAttributesW(Wide(config).c_str(), FILE_ATTRIBUTE_NORMAL));
    SetWindowPos(calendar.window(), nullptr, r.left + 11, r.top + 13, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(WaitForValue(config, ScreenKey("WIN_POS_X_%d", true), r.left + 11), r.left + 11);
    EXPECT_EQ(0, calendar.Close());
}

}  // namespace
