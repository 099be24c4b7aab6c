// The real calendar driven from outside with the messages the system would send it: the title
// buttons' tooltips, the hot key while a quick memo is open, and the time alarm after the
// settings dialog switched it on.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/win/wide_text.h"
#include "config/operations.h"
#include "render/title_buttons.h"
#include "resources/resource.h"
#include "tests/app/running_calendar_win.h"

namespace {
std::string Folder(const std::string& config) { return config.substr(0, config.find_last_of('\\') + 1); }

// The text the window answers WM_GETTEXT with, in code page 932: a tooltip answers with its
// tool's text, which is not its window text as another process reads it.
std::string AnsweredText(HWND w) {
    wchar_t text[512] = L"";
    SendMessageW(w, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return Sjis(text);
}

// The visible top-level windows of the calendar's process with this class.
std::vector<HWND> WindowsOf(HWND calendar, const wchar_t* className) {
    struct Search {
        DWORD process;
        const wchar_t* className;
        std::vector<HWND> found;
    } search = {0, className, {}};
    GetWindowThreadProcessId(calendar, &search.process);
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD process = 0;
            GetWindowThreadProcessId(w, &process);
            wchar_t name[64] = L"";
            GetClassNameW(w, name, 64);
            if (process == s->process && IsWindowVisible(w) && lstrcmpiW(name, s->className) == 0) s->found.push_back(w);
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

// The value of key in section of the memo file, its bytes as stored (code page 932): read here
// rather than through the system's profile functions, which decode in the system's code page.
// No 932 trail byte is '\n', '\r' or '=', and a line never begins with one.
std::string StoredValue(const std::string& path, const std::string& section, const std::string& key) {
    std::string bytes;
    if (FILE* f = OpenFile(path.c_str(), "rb")) {
        char b[4096];
        for (size_t n; (n = std::fread(b, 1, sizeof b, f)) > 0;) bytes.append(b, n);
        std::fclose(f);
    }
    bool inSection = false;
    for (size_t start = 0; start < bytes.size();) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[') {
            inSection = line == "[" + section + "]";
            continue;
        }
        if (inSection && line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
    }
    return "";
}

std::string TodaysMemo(const std::string& config) {
    SYSTEMTIME t = Now();
    return StoredValue(YearMemoPath(config), std::to_string(t.wMonth), std::to_string(t.wDay));
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
        bool button = SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLIENT;
        if (button && runEnd < 0) runEnd = x;
        if (!button && runEnd >= 0) {
            centres.push_back((x + 1 + runEnd) / 2);
            runEnd = -1;
        }
    }
    ASSERT_EQ(centres.size(), static_cast<size_t>(kButtonCount));
    for (int i = 0; i < kButtonCount; ++i) {
        SetCursorPos(centres[i], y);
        PostMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(centres[i] - r.left, y - r.top));
        std::string want = OperationName(ButtonCommand(i)), shown;
        for (int tries = 0; tries < 60 && shown != want; ++tries) {
            Sleep(50);
            for (HWND tip : WindowsOf(w, TOOLTIPS_CLASSW)) shown = AnsweredText(tip);
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
    DeleteFileW(Wide(YearMemoPath(config)).c_str());  // the folder may be left from an earlier run
    RunningCalendar calendar(config);
    HWND w = calendar.window();
    ASSERT_NE(nullptr, w);
    POINT cell = TodaysCell();
    PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
    PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(cell.x, cell.y));
    PostMessageW(w, WM_CHAR, L'x', 0);  // a UTF-16 unit: the window is a Unicode window
    Sleep(300);
    // Something else in front, so that the hot key brings the calendar forward.
    HWND other = CreateWindowW(L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 700, 700, 50, 50, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_NE(w, GetForegroundWindow());
    PostMessageW(w, WM_HOTKEY, 1, 0);
    for (int i = 0; i < 40; ++i) {  // four seconds: past the highlight's three
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
        Sleep(100);
    }
    EXPECT_EQ(TodaysMemo(config), "") << "the quick memo was stored by the highlight's time-out";
    PostMessageW(w, WM_KEYDOWN, VK_RETURN, 0);  // Enter stores what is still being typed
    std::string stored;
    for (int i = 0; i < 40 && stored.empty(); ++i, Sleep(50)) stored = TodaysMemo(config);
    EXPECT_EQ(stored, "x");
    DestroyWindow(other);
    EXPECT_EQ(0, calendar.Close());
}

// Typed Japanese reaches the Unicode window as UTF-16 units, one WM_CHAR each, and is stored in
// code page 932 like every memo.
TEST(RunningWindow, QuickMemoTypedInJapaneseIsStoredInCodePage932) {
    std::string config = WriteConfig(
        "quick_japanese", "KEYASSIGN_ENABLE=1\r\nQUICKMEMO_ENABLE=1\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n");
    DeleteFileW(Wide(YearMemoPath(config)).c_str());  // the folder may be left from an earlier run
    RunningCalendar calendar(config);
    HWND w = calendar.window();
    ASSERT_NE(nullptr, w);
    POINT cell = TodaysCell();
    PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
    PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(cell.x, cell.y));
    for (wchar_t unit : std::wstring(L"会議x")) PostMessageW(w, WM_CHAR, unit, 0);
    Sleep(300);
    PostMessageW(w, WM_KEYDOWN, VK_RETURN, 0);
    std::string stored;
    for (int i = 0; i < 40 && stored.empty(); ++i, Sleep(50)) stored = TodaysMemo(config);
    EXPECT_EQ(stored, "会議x");  // the narrow literal is code page 932
    EXPECT_EQ(0, calendar.Close());
}

// A character the memo files cannot hold, typed as its two UTF-16 units, is left out of the quick
// memo and named in a message; the rest of what was typed is stored.
TEST(RunningWindow, QuickMemoLeavesOutACharacterTheMemoFilesCannotHold) {
    std::string config = WriteConfig(
        "quick_unheld", "KEYASSIGN_ENABLE=1\r\nQUICKMEMO_ENABLE=1\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n");
    DeleteFileW(Wide(YearMemoPath(config)).c_str());
    RunningCalendar calendar(config);
    HWND w = calendar.window();
    ASSERT_NE(nullptr, w);
    POINT cell = TodaysCell();
    PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
    PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(cell.x, cell.y));
    for (wchar_t unit : std::wstring(L"会\U0001F600x")) PostMessageW(w, WM_CHAR, unit, 0);
    HWND box = nullptr;
    for (int i = 0; i < 200 && !box; ++i, Sleep(25)) box = FindWindowW(L"#32770", L"Tessel");
    ASSERT_NE(nullptr, box) << "no message named the character";
    std::wstring told = WideWindowText(GetDlgItem(box, 0xFFFF));
    EXPECT_NE(told.find(L"「\U0001F600」(U+1F600)"), std::wstring::npos) << Sjis(told);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 200 && IsWindow(box); ++i) Sleep(10);
    PostMessageW(w, WM_KEYDOWN, VK_RETURN, 0);
    std::string stored;
    for (int i = 0; i < 40 && stored.empty(); ++i, Sleep(50)) stored = TodaysMemo(config);
    EXPECT_EQ(stored, "会x");
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
    char path[MAX_PATH], line[64];
    std::snprintf(path, sizeof path, "%smy_memo%d.ini", Folder(config).c_str(), due.wYear);
    std::snprintf(line, sizeof line, "%d:%02d \x89\xef\x8b\x63", due.wHour, due.wMinute);  // 会議
    // Written as the calendar keeps its memo files, in code page 932 whatever the system's is.
    FILE* memo = OpenFile(path, "wb");
    ASSERT_NE(nullptr, memo);
    std::fprintf(memo, "[%d]\r\n%d=%s\r\n", due.wMonth, due.wDay, line);
    std::fclose(memo);

    RunningCalendar calendar(config);
    HWND w = calendar.window();
    ASSERT_NE(nullptr, w);
    PostMessageW(w, WM_COMMAND, IDM_SETTINGS, 0);
    // The dialog exists before its pages are made: it is ready once it is shown.
    HWND settings = nullptr;
    for (int i = 0; i < 100; ++i, Sleep(50)) {
        settings = FindWindowW(L"#32770", L"カレンダーの設定");
        if (settings && IsWindowVisible(settings)) break;
    }
    ASSERT_TRUE(settings && IsWindowVisible(settings));
    HWND alarm = Control(settings, IDC_DISPLAY_ALARM), minutes = Control(settings, IDC_DISPLAY_ALARM_TIME);
    ASSERT_TRUE(alarm && minutes);
    SendMessageW(alarm, BM_CLICK, 0, 0);
    SendMessageW(minutes, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"30"));
    SendMessageW(Control(settings, IDC_SETTINGS_TEST), BM_CLICK, 0, 0);
    SendMessageW(Control(settings, IDOK), BM_CLICK, 0, 0);
    for (int i = 0; i < 100 && IsWindow(settings); ++i) Sleep(50);
    ASSERT_FALSE(IsWindow(settings));
    EXPECT_EQ(1, static_cast<int>(GetPrivateProfileIntW(L"CONFIG", L"ALARM", 0, Wide(config).c_str())));

    PostMessageW(w, WM_TIMER, 1, 0);  // the minute timer's run, now rather than at the next minute
    HWND box = nullptr;
    for (int i = 0; i < 100 && !box; ++i, Sleep(50))
        for (HWND d : WindowsOf(w, L"#32770"))
            if (AnsweredText(d).find(':') != std::string::npos) box = d;
    ASSERT_NE(nullptr, box) << "no alarm";
    EXPECT_EQ(ItemText(box, 0xFFFF), line);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 40 && IsWindow(box); ++i) Sleep(50);
    EXPECT_EQ(0, calendar.Close());
}
}  // namespace
