// The real calendar driven from outside with the messages the system would send it: the title
// buttons' tooltips, the hot key while a quick memo is open, and the time alarm after the
// settings dialog switched it on.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "config/operations.h"
#include "render/title_buttons.h"
#include "resources/resource.h"
#include "tests/app/running_calendar_win.h"

namespace {
std::string Folder(const std::string& config) { return config.substr(0, config.find_last_of('\\') + 1); }

std::string WindowText(HWND w) {
    char text[512] = "";
    SendMessageA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// The visible top-level windows of the calendar's process with this class.
std::vector<HWND> WindowsOf(HWND calendar, const char* className) {
    struct Search {
        DWORD process;
        const char* className;
        std::vector<HWND> found;
    } search = {0, className, {}};
    GetWindowThreadProcessId(calendar, &search.process);
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD process = 0;
            GetWindowThreadProcessId(w, &process);
            char name[64] = "";
            GetClassNameA(w, name, sizeof name);
            if (process == s->process && IsWindowVisible(w) && lstrcmpiA(name, s->className) == 0) s->found.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A control of the dialog or of one of its pages, by its id.
HWND Control(HWND dialog, int id) {
    struct Search {
        int id;
        HWND found;
    } search = {id, nullptr};
    EnumChildWindows(
        dialog,
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (GetDlgCtrlID(w) != s->id) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

SYSTEMTIME Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t;
}

// Today's cell in the default table: 64-pixel columns, rows 75 pixels apart below a 40-pixel head.
POINT TodaysCell() {
    SYSTEMTIME t = Now();
    SYSTEMTIME first = t;
    first.wDay = 1;
    FILETIME f;
    SystemTimeToFileTime(&first, &f);
    FileTimeToSystemTime(&f, &first);  // fills in the weekday of the 1st
    int index = first.wDayOfWeek + t.wDay - 1;
    return {(index % 7) * 64 + 30, 40 + (index / 7) * 75 + 26};
}

std::string YearMemoPath(const std::string& config) {
    char path[MAX_PATH];
    std::snprintf(path, sizeof path, "%smy_memo%d.ini", Folder(config).c_str(), Now().wYear);
    return path;
}

std::string TodaysMemo(const std::string& config) {
    SYSTEMTIME t = Now();
    char section[8], key[8], value[256] = "";
    std::string path = YearMemoPath(config);
    std::snprintf(section, sizeof section, "%d", t.wMonth);
    std::snprintf(key, sizeof key, "%d", t.wDay);
    GetPrivateProfileStringA(section, key, "", value, sizeof value, path.c_str());
    return value;
}

// The config file is named my.ini by WriteConfig: its memos are my_memo*.ini beside it.
TEST(RunningWindow, TitleButtonsNameTheirCommandsInTooltips) {
    RunningCalendar calendar(WriteConfig("tips", "BTN_SIZE=1\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n"));
    HWND w = calendar.window();
    ASSERT_NE(nullptr, w);
    RECT r;
    GetWindowRect(w, &r);
    // The buttons are where the title band answers HTCLIENT, from the right: the first is exit.
    int y = r.top + 9;
    std::vector<int> centres;
    for (int x = r.right - 1, runEnd = -1; x >= r.left; --x) {
        bool button = SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLIENT;
        if (button && runEnd < 0) runEnd = x;
        if (!button && runEnd >= 0) {
            centres.push_back((x + 1 + runEnd) / 2);
            runEnd = -1;
        }
    }
    ASSERT_EQ(centres.size(), static_cast<size_t>(kButtonCount));
    for (int i = 0; i < kButtonCount; ++i) {
        SetCursorPos(centres[i], y);
        PostMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(centres[i] - r.left, y - r.top));
        std::string want = OperationName(ButtonCommand(i)), shown;
        for (int tries = 0; tries < 60 && shown != want; ++tries) {
            Sleep(50);
            for (HWND tip : WindowsOf(w, TOOLTIPS_CLASSA)) shown = WindowText(tip);
        }
        EXPECT_EQ(shown, want) << "button " << i;
    }
    SetCursorPos(10, 600);
    EXPECT_EQ(0, calendar.Close());
}

// The hot key brings the calendar forward without the highlight's time-out, which would store
// an open quick memo three seconds later.
TEST(RunningWindow, HotkeyLeavesAnOpenQuickMemoOpen) {
    std::string config = WriteConfig(
        "hotkey_quick", "KEYASSIGN_ENABLE=1\r\nQUICKMEMO_ENABLE=1\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n");
    DeleteFileA(YearMemoPath(config).c_str());  // the folder may be left from an earlier run
    RunningCalendar calendar(config);
    HWND w = calendar.window();
    ASSERT_NE(nullptr, w);
    POINT cell = TodaysCell();
    PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
    PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(cell.x, cell.y));
    PostMessageA(w, WM_CHAR, 'x', 0);
    Sleep(300);
    // Something else in front, so that the hot key brings the calendar forward.
    HWND other = CreateWindowA("STATIC", "other", WS_POPUP | WS_VISIBLE, 700, 700, 50, 50, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_NE(w, GetForegroundWindow());
    PostMessageA(w, WM_HOTKEY, 1, 0);
    for (int i = 0; i < 40; ++i) {  // four seconds: past the highlight's three
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        Sleep(100);
    }
    EXPECT_EQ(TodaysMemo(config), "") << "the quick memo was stored by the highlight's time-out";
    PostMessageA(w, WM_KEYDOWN, VK_RETURN, 0);  // Enter stores what is still being typed
    std::string stored;
    for (int i = 0; i < 40 && stored.empty(); ++i, Sleep(50)) stored = TodaysMemo(config);
    EXPECT_EQ(stored, "x");
    DestroyWindow(other);
    EXPECT_EQ(0, calendar.Close());
}

// Started with alarms off, then switched on in the settings with a longer look-ahead, tried with
// テスト and kept with OK: the next minute's run announces the line that is now within reach.
TEST(RunningWindow, AlarmsSwitchedOnInTheSettingsAnnounceWhatIsDue) {
    std::string config = WriteConfig("alarm_settings", "ALARM=0\r\nALARM_TIME=5\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n");
    // A line 20 minutes from now (on tomorrow's memo when that crosses midnight).
    SYSTEMTIME now = Now();
    FILETIME f;
    SystemTimeToFileTime(&now, &f);
    ULARGE_INTEGER ticks = {{f.dwLowDateTime, f.dwHighDateTime}};
    ticks.QuadPart += 20ULL * 60 * 10000000;
    f = {ticks.LowPart, ticks.HighPart};
    SYSTEMTIME due;
    FileTimeToSystemTime(&f, &due);
    char path[MAX_PATH], section[8], key[8], line[64];
    std::snprintf(path, sizeof path, "%smy_memo%d.ini", Folder(config).c_str(), due.wYear);
    std::snprintf(section, sizeof section, "%d", due.wMonth);
    std::snprintf(key, sizeof key, "%d", due.wDay);
    std::snprintf(line, sizeof line, "%d:%02d \x89\xef\x8b\x63", due.wHour, due.wMinute);  // 会議
    ASSERT_TRUE(WritePrivateProfileStringA(section, key, line, path));

    RunningCalendar calendar(config);
    HWND w = calendar.window();
    ASSERT_NE(nullptr, w);
    PostMessageA(w, WM_COMMAND, IDM_SETTINGS, 0);
    // The dialog exists before its pages are made: it is ready once it is shown.
    HWND settings = nullptr;
    for (int i = 0; i < 100; ++i, Sleep(50)) {
        settings = FindWindowA("#32770", "カレンダーの設定");
        if (settings && IsWindowVisible(settings)) break;
    }
    ASSERT_TRUE(settings && IsWindowVisible(settings));
    HWND alarm = Control(settings, IDC_DISPLAY_ALARM), minutes = Control(settings, IDC_DISPLAY_ALARM_TIME);
    ASSERT_TRUE(alarm && minutes);
    SendMessageA(alarm, BM_CLICK, 0, 0);
    SendMessageA(minutes, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("30"));
    SendMessageA(Control(settings, IDC_SETTINGS_TEST), BM_CLICK, 0, 0);
    SendMessageA(Control(settings, IDOK), BM_CLICK, 0, 0);
    for (int i = 0; i < 100 && IsWindow(settings); ++i) Sleep(50);
    ASSERT_FALSE(IsWindow(settings));
    EXPECT_EQ(1, static_cast<int>(GetPrivateProfileIntA("CONFIG", "ALARM", 0, config.c_str())));

    PostMessageA(w, WM_TIMER, 1, 0);  // the minute timer's run, now rather than at the next minute
    HWND box = nullptr;
    for (int i = 0; i < 100 && !box; ++i, Sleep(50))
        for (HWND d : WindowsOf(w, "#32770"))
            if (WindowText(d).find(':') != std::string::npos) box = d;
    ASSERT_NE(nullptr, box) << "no alarm";
    char text[256] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_EQ(std::string(text), line);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 40 && IsWindow(box); ++i) Sleep(50);
    EXPECT_EQ(0, calendar.Close());
}
}  // namespace
