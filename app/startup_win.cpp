// Start-up in its fixed order, the message loop, and the release of everything at the end.
#include "app/startup_win.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <ctime>

#include "app/data_watch_win.h"
#include "app/interaction.h"
#include "app/main_window_win.h"
#include "app/minute_timer.h"
#include "app/process_state.h"
#include "app/shell_state_win.h"
#include "app/startup.h"
#include "app/sync_runner_win.h"
#include "base/win/handles.h"
#include "base/win/wide_text.h"
#include "calendar/holiday_rules.h"
#include "calendar/month_model.h"
#include "calendar/today.h"
#include "config/app_state.h"
#include "config/design.h"
#include "config/file_names.h"
#include "config/file_ops.h"
#include "config/named_designs.h"
#include "config/profile_access.h"
#include "config/profile_store.h"
#include "config/settings.h"
#include "memo/countdown.h"
#include "memo/memo_store.h"
#include "memo/undo_journal.h"
#include "memo/working_text.h"
#include "render/paint.h"
#include "view/view_layout.h"

namespace {
// Shows a running calendar, hidden or minimised ones too. True when there was one.
bool HandOverToRunning() {
    HWND running = FindWindowW(kWindowClass, nullptr);
    if (!running) return false;
    ShowWindow(running, IsIconic(running) ? SW_RESTORE : SW_SHOWNORMAL);
    BringWindowToTop(running);
    return true;
}

int ReadScreenKey(const char* form, int size, int def) {
    char key[32];
    std::snprintf(key, sizeof key, form, size);
    return ReadConfigInt(key, def);
}

// The major version of the shell library, 5 when it cannot tell.
int ShellMajorVersion() {
    struct VersionRecord { DWORD size, major, minor, build, platform; };
    typedef HRESULT(CALLBACK * GetVersionProc)(VersionRecord*);
    LoadedLibrary shell(L"Shell32.dll");
    if (!shell.get()) return 5;
    auto proc = reinterpret_cast<GetVersionProc>(
        reinterpret_cast<void*>(GetProcAddress(shell.get(), "DllGetVersion")));
    VersionRecord version = {sizeof version, 0, 0, 0, 0};
    if (!proc || proc(&version) < 0) return 5;
    return static_cast<int>(version.major);
}

// Brings back the first visible day of the last run ("TOP_DATE") through the row-scroll request.
void RestoreScrollPosition(const std::tm& now) {
    int topDate = ReadConfigInt("TOP_DATE", 0);
    if (topDate > 0) AnchorFirstDay(&g_nav, topDate, g_app.settings, now);
}

void LoadEverything(const char* commandLine, std::tm* now) {
    std::string program = ProgramFilePath();
    FormDataFileNames(CurrentEdition(), commandLine, program.c_str(), '\\', &g_files);
    SetMemoFiles(g_files);
    SetConfigPath(g_files.configPath);
    bool firstStart = !StampOfFile(g_files.configPath).exists;
    ReadSettings(&g_app);
    ReadDesign(&g_app);
    // A new user starts with the standard design (a failed write is told by the store); an
    // existing file reads as it always has.
    if (firstStart) (void)StartWithStandardDesign(g_files.programDir, '\\', &g_app);
    SetDrawMemoSize(ReadConfigInt("DRAWMEMOSIZE", 256));
    SetWorkingText("");
    LoadHolidayRules(g_files.holidayPath);
    std::time_t t = std::time(nullptr);
    *now = *std::localtime(&t);
    SetToday(*now);
    LoadCountdowns(g_files.memoPath);
    char form[256];
    ReadProfileText("CONFIG", "CDOWN_FORM", "", form, sizeof form);
    ApplyCountdownForm(form, g_countdowns.form);
}

void ReleaseEverything() {
    StopSync();
    StopDataWatch();
    ReleasePaintCache();
    ResetProcessState();
}

int MessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
}  // namespace

int RunCalendar(HINSTANCE instance, const char* commandLine, int showCommand) {
    PainterSession painter;  // ended on every way out
    ComApartment com;        // the window's accessible object is handed to readers through COM
    if (HandOverToRunning()) return 0;
    if (!RegisterMainWindowClass(instance)) return 0;
    // Version 6 of the common controls, which the manifest asks for, for every dialog.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                          ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    ResetProcessState();
    ResetShellState(&g_shell);
    SetEdition(kPainterEdition);
    // Writes that fail before the window exists are told once it does.
    ProfileSetWriteFailureListener(NoteWriteFailure);
    std::tm now;
    LoadEverything(commandLine, &now);
    g_shell.instance = instance;

    SIZE screen = ScreenSize();
    g_app.layout.winHeight = ReadScreenKey("WIN_HEIGHT_%d", screen.cy, 0);
    g_app.layout.dpi = 96;  // the kept height is in 96-dpi pixels
    if (g_app.settings.dayscrollKeep) RestoreScrollPosition(now);
    LayOutView(true);
    int width = g_app.layout.winWidth, height = g_app.layout.winHeight;
    int x = ReadScreenKey("WIN_POS_X_%d", screen.cx, CentredPosition(screen.cx, width));
    int y = ReadScreenKey("WIN_POS_Y_%d", screen.cy, CentredPosition(screen.cy, height));
    g_shell.shellVersion = ShellMajorVersion();

    HWND hwnd = CreateMainWindow(instance, x, y, width, height);
    if (!hwnd) {
        ReleaseEverything();
        return 0;
    }
    g_shell.mainWindow = hwnd;
    // Opened on a monitor of another scale than the screen's.
    if (WindowDpi(hwnd) != g_app.layout.dpi) RebuildAndResize(hwnd);
    ShowWindow(hwnd, showCommand);
    ZOrderPlacement z = ZOrderOf(ReadConfigInt("ZORDER", 0));
    g_interaction.alwaysOnTop = z == kZOrderTopmost;
    // The window is active already; activating it again would raise it back over the others.
    if (z != kZOrderUnchanged)
        SetWindowPos(hwnd, z == kZOrderTopmost ? HWND_TOPMOST : HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateWindow(hwnd);

    StartMinuteClock(now, g_app.settings.alarmTime);
    if (g_app.settings.useTasktray) AddTrayIcon(hwnd);
    SetTimer(hwnd, kMinuteTimer,
             FirstMinuteTimerDelay(g_app.settings.alarmStartup, g_minute.reference.tm_sec), nullptr);
    PostMessageW(hwnd, WM_SET_HOTKEY, g_app.settings.hotkey & 0xFFFF, 0);
    PostMessageW(hwnd, WM_WRITE_FAILED, 0, 0);
    g_undo.limit = ReadConfigInt("UNDO_SIZE", 9);
    StartDataWatch(hwnd);  // another program's changes to the memos and rules are shown as they come
    StartSyncSchedule(hwnd);

    int code = MessageLoop();
    ReleaseEverything();
    return code;
}
