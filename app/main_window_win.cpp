// The calendar window's class and procedure. Each message goes to one small handler; after
// every message handled here the date is checked, so a new day rebuilds the view.
#include "app/main_window_win.h"

#include <cstdio>
#include <ctime>
#include <utility>
#include <vector>

#include "app/accessible_win.h"
#include "app/button_tips_win.h"
#include "app/data_watch_win.h"
#include "app/interaction.h"
#include "app/memo_dialogs_win.h"
#include "app/minute_timer.h"
#include "app/shell_state_win.h"
#include "app/window_input_win.h"
#include "app/startup.h"
#include "app/sync_runner_win.h"
#include "base/win/handles.h"
#include "base/win/wide_text.h"
#include "base/win/owner_notes.h"
#include "calendar/holiday_rules.h"
#include "calendar/today.h"
#include "config/app_state.h"
#include "config/profile_access.h"
#include "config/profile_store.h"
#include "config/tags.h"
#include "config/write_failure_text.h"
#include "memo/countdown.h"
#include "memo/working_text.h"
#include "render/paint.h"
#include "render/place_font_win.h"
#include "render/title_text.h"
#include "resources/resource.h"

const wchar_t kWindowClass[] = L"Tessel";

namespace {
RECT g_pending;         // the pending repaint rectangle
PaintResult g_painted;  // what the last paint learnt: buttons, caret
OwnedWindow g_buttonTips;

std::tm LocalNow() {
    std::time_t now = std::time(nullptr);
    return *std::localtime(&now);
}

PaintRect AsPaintRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// What is being typed, and where: the view shows it in place of what the cell holds.
EditOverlay CurrentEditOverlay() {
    return EditOverlay{g_edit.editingCell, g_edit.year, g_edit.month, g_edit.day, g_work.text};
}

PaintContext CurrentPaintContext() {
    return PaintContext{g_edit.highlightedCell, CurrentEditOverlay(), g_edit.outerFrame, g_interaction.alwaysOnTop,
                        &g_tags};
}

bool SameButtons(const PaintResult& a, const PaintResult& b) {
    if (a.buttonsShown != b.buttonsShown) return false;
    for (int i = 0; i < kButtonCount; ++i) {
        const ButtonRect &x = a.buttons[i], &y = b.buttons[i];
        if (x.left != y.left || x.top != y.top || x.right != y.right || x.bottom != y.bottom) return false;
    }
    return true;
}

// Keeps what the paint learnt: the buttons' tips follow them, the input method's window follows
// the quick memo's caret.
void KeepPaintResult(HWND hwnd, const PaintResult& result) {
    if (!SameButtons(result, g_painted)) PlaceButtonTips(g_buttonTips.get(), hwnd, result);
    g_painted = result;
    if (!result.caretShown) return;
    ImeContext ime(hwnd);
    if (!ime.get()) return;
    COMPOSITIONFORM form = {};
    form.dwStyle = CFS_POINT;
    form.ptCurrentPos = {result.caretX, result.caretY};
    ImmSetCompositionWindow(ime.get(), &form);
}

void OnCreate(HWND hwnd) {
    g_buttonTips.reset(CreateButtonTips(hwnd));
    SIZE screen = ScreenSize();
    PaintRect all = {0, 0, screen.cx, screen.cy};  // the first paint draws everything
    WindowDC dc(hwnd);
    KeepPaintResult(hwnd, PaintCalendar(PaintRequest{hwnd, dc.get(), all, all}));
    SetRectEmpty(&g_pending);
}

void OnPaint(HWND hwnd) {
    PaintScope paint(hwnd);
    PaintRequest request = {hwnd, paint.dc(), AsPaintRect(g_pending), AsPaintRect(paint.updateRect())};
    SetRectEmpty(&g_pending);
    KeepPaintResult(hwnd, PaintCalendar(request));
}

void OnDestroy() {
    PostQuitMessage(0);
    DisconnectAccessible();
    g_buttonTips.reset();
    if (g_app.settings.useTasktray) RemoveTrayIcon();
}

// Positions are kept per screen size; a minimised (or hidden) calendar keeps its old one.
void WritePosition(int x, int y) {
    SIZE screen = ScreenSize();
    char key[32];
    std::snprintf(key, sizeof key, "WIN_POS_X_%d", static_cast<int>(screen.cx));
    WriteConfigInt(key, x);
    std::snprintf(key, sizeof key, "WIN_POS_Y_%d", static_cast<int>(screen.cy));
    WriteConfigInt(key, y);
}

// Every write replaces the configuration file: a drag by the title band writes its position
// once, when it ends, not at each of its steps.
void OnMove(HWND hwnd, LPARAM lParam) {
    if (IsIconic(hwnd) || g_interaction.dragging) return;
    WritePosition(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

void OnEnterMove() { g_interaction.dragging = true; }

void OnExitMove(HWND hwnd) {
    g_interaction.dragging = false;
    if (IsIconic(hwnd)) return;
    RECT r;
    GetWindowRect(hwnd, &r);
    WritePosition(r.left, r.top);
}

// An alarm in a message box, or as a balloon when asked for and the tray icon is there. The timer
// waits while a box is open; what came due meanwhile is not announced.
void Announce(const AlarmNotice& notice) {
    if (g_app.settings.alarmType == AlarmType::kBalloon && ShowTrayBalloon(notice.caption, notice.text)) return;
    MessageBoxExW(nullptr, Wide(notice.text).c_str(), Wide(notice.caption).c_str(), MB_OK | MB_SETFOREGROUND | MB_TOPMOST,
                  0x400);
    MessageBoxClosed(LocalNow(), &g_minute, g_app.settings.alarmTime);
}

// The minute timer: a new day, the alarms, the tooltip, then one second after the next minute.
void OnMinuteTimer(HWND hwnd) {
    KillTimer(hwnd, kMinuteTimer);
    std::tm now = LocalNow();
    MinuteRun run = RunMinute(now, &g_minute, g_app, g_countdowns.form);
    if (run.newDay) {
        ReanchorAtMidnight(&g_nav, g_view.firstDay, g_app.settings, now);
        if (IsIconic(hwnd)) LayOutView(true);
        else RebuildAndResize(hwnd);
    }
    if (run.alarm) Announce(run.notice);
    if (g_app.settings.useTasktray) RefreshTrayTip();
    SetTimer(hwnd, kMinuteTimer, NextRunDelay(g_minute), nullptr);
}

void OnTimer(HWND hwnd, WPARAM id) {
    switch (id) {
    case kMinuteTimer: OnMinuteTimer(hwnd); break;
    case kResizeTimer: OnResizeTimer(hwnd); break;
    case kHighlightTimer: OnHighlightTimer(hwnd); break;
    case kWheelTimer: OnWheelTimer(hwnd); break;
    case kSyncTimer: OnSyncTimer(hwnd); break;
    default: break;
    }
}

// One message box for each file whose writes began to fail. More failures may arrive while a box
// is open; they are shown after it, not in a second box over it.
void OnWriteFailed(HWND hwnd) {
    if (g_shell.showingWriteFailures) return;
    g_shell.showingWriteFailures = true;
    for (std::vector<WriteFailure> failures; !(failures = ProfileTakeWriteFailures()).empty();)
        for (const WriteFailure& failure : failures)
            ShowMessage(hwnd, WriteFailureMessage(failure), "Tessel", MB_OK | MB_ICONWARNING);
    g_shell.showingWriteFailures = false;
}

// A view moved away keeps its first day over midnight, whichever message notices the new day.
void CheckDateChange(HWND hwnd) {
    std::tm now = LocalNow();
    if (LocalDayNumber(now) == g_today.dayNumber) return;
    ReanchorAtMidnight(&g_nav, g_view.firstDay, g_app.settings, now);
    RebuildAndResize(hwnd);
}

// Another monitor or scale: the view is laid out anew at the window's dpi, in the place the
// system suggests.
void OnDpiChanged(HWND hwnd, LPARAM lParam) {
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    ReleasePaintCache();  // fonts and buttons were made for the old scale
    // Its size is the new layout's, which the suggestion is up to rounding.
    SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
    RebuildAndResize(hwnd);
}

// Hit testing and cursor setting are answered without the date check; a handled message runs it.
LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST: return OnHitTest(hwnd, lParam);
    case WM_SETCURSOR: return OnSetCursor(hwnd) ? TRUE : DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_CREATE: OnCreate(hwnd); break;
    case WM_PAINT: OnPaint(hwnd); break;
    case WM_DESTROY: OnDestroy(); return 0;  // the window is going: no date check
    case WM_MOVE: OnMove(hwnd, lParam); break;
    case WM_ENTERSIZEMOVE: OnEnterMove(); break;
    case WM_EXITSIZEMOVE: OnExitMove(hwnd); break;
    case WM_SIZE: OnSize(hwnd, wParam); break;
    case WM_DPICHANGED: OnDpiChanged(hwnd, lParam); break;
    case WM_TIMER: OnTimer(hwnd, wParam); break;
    case WM_LBUTTONDOWN: OnLeftButton(hwnd, lParam, false); break;
    case WM_LBUTTONDBLCLK: OnLeftButton(hwnd, lParam, true); break;
    case WM_MBUTTONDOWN: OnMiddleButton(hwnd); break;
    case WM_RBUTTONUP: OnRightButtonUp(hwnd, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))); break;
    case WM_NCLBUTTONDBLCLK: PostMessageW(hwnd, WM_COMMAND, IDM_TOGGLE_BUTTONS, 0); break;
    case WM_NCRBUTTONDOWN: break;  // handled, or the button's release never arrives
    case WM_NCRBUTTONUP: OnNonClientRightButtonUp(hwnd, lParam); break;
    case WM_MOUSEWHEEL: OnMouseWheel(hwnd, wParam); return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_KEYDOWN: OnKeyDown(hwnd, wParam); break;
    case WM_CHAR: OnChar(hwnd, wParam); break;
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION: OnImeComposition(hwnd, message); return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_SYSKEYDOWN: OnKeyDown(hwnd, wParam); return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_COMMAND: OnCommand(hwnd, wParam); break;
    case WM_HOTKEY: OnHotkey(hwnd); break;
    case WM_SET_HOTKEY: OnSetHotkey(hwnd, wParam); break;
    case WM_TRAY_NOTIFY: OnTrayNotify(hwnd, lParam); break;
    case WM_WRITE_FAILED: OnWriteFailed(hwnd); break;
    case WM_DATA_FILES_CHANGED: OnDataFilesChanged(hwnd); break;
    case WM_SYNC_DONE: OnSyncDone(hwnd); break;
    case WM_DIALOG_NOTE: OnDialogNote(hwnd, wParam, lParam); break;
    case WM_GETOBJECT: return OnGetObject(hwnd, wParam, lParam);
    case WM_ACCESSIBLE_REQUEST: OnAccessibleRequest(hwnd, wParam, lParam); break;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    CheckDateChange(hwnd);
    CheckOwnMemoChange(hwnd);
    NoteAccessibleChanges(hwnd);
    return 0;
}
}  // namespace

SIZE ScreenSize() {
    RECT r;
    GetClientRect(GetDesktopWindow(), &r);
    return {r.right - r.left, r.bottom - r.top};
}

int WindowDpi(HWND hwnd) {
    // Missing before Windows 10 1607: looked up, not linked.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    UINT dpi = hwnd && dpiForWindow ? dpiForWindow(hwnd) : 0;
    if (dpi > 0) return static_cast<int>(dpi);
    WindowDC screen(nullptr);
    return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

LayoutInputs CurrentLayoutInputs() {
    LayoutInputs in = {};
    in.now = LocalNow();
    in.dpi = WindowDpi(g_shell.mainWindow);
    in.logPixelsY = in.dpi;
    SetPlaceFontDpi(in.dpi);
    in.buttonHeight = ButtonBitmapHeight(g_app.settings.btnSize) * ButtonScale(in.dpi);
    in.measure = &PainterLayoutMeasure();
    in.rules = &g_holidayRules;
    in.countdowns = &g_countdowns;
    in.editing = CurrentEditOverlay();
    return in;
}

void LayOutView(bool store) {
    LayoutResult result = BuildLayout(g_app, g_nav, CurrentLayoutInputs());
    if (store) StoreLayoutResult(result, ScreenSize().cy);
    KeepLayout(std::move(result));
}

bool RegisterMainWindowClass(HINSTANCE instance) {
    HWND running = FindWindowW(kWindowClass, nullptr);
    if (running) {  // started meanwhile
        if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
        SetForegroundWindow(running);
        return false;
    }
    WNDCLASSW wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TESSEL));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(1);  // system colour 0, plus 1
    wc.lpszClassName = kWindowClass;
    return RegisterClassW(&wc) != 0;
}

HWND CreateMainWindow(HINSTANCE instance, int x, int y, int width, int height) {
    DWORD exStyle = WS_EX_TOOLWINDOW;
    if (CurrentEdition() == kLayeredEdition) exStyle |= WS_EX_LAYERED;
    return CreateWindowExW(exStyle, kWindowClass, kWindowClass, WS_POPUP, x, y, width, height, nullptr,
                           nullptr, instance, nullptr);
}

const PaintResult& LastPaint() { return g_painted; }

std::vector<AccessibleItem> ShownAccessibleItems(HWND hwnd) {
    char title[256];
    FormatTitle(g_app.design.titleForm, g_view.displayedMonth, title, sizeof title);
    std::string drawn = title;
    RECT client;
    GetClientRect(hwnd, &client);
    EditOverlay editing = CurrentEditOverlay();
    return AccessibleItems(AccessibleSources{g_view, g_today, g_holidayRules, editing, g_painted, drawn,
                                             g_app.layout.titleHeight, client.right});
}

PaintResult PaintCalendar(const PaintRequest& request) {
    RECT pending = {request.pending.left, request.pending.top, request.pending.right, request.pending.bottom};
    RECT update = {request.update.left, request.update.top, request.update.right, request.update.bottom};
    RECT both;
    if (UnionRect(&both, &pending, &update))
        ReadShownMemos(&g_view, CellRect{both.left, both.top, both.right, both.bottom}, g_app.design.memoRow);
    return PaintWindow(request, g_app, g_view, CurrentPaintContext());
}

void NoteWriteFailure() {
    if (g_shell.mainWindow) PostMessageW(g_shell.mainWindow, WM_WRITE_FAILED, 0, 0);
}

namespace {
// The window takes the laid-out size where it stands and is repainted whole.
void FitWindow(HWND hwnd) {
    SetWindowPos(hwnd, nullptr, 0, 0, g_app.layout.winWidth, g_app.layout.winHeight,
                 SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
    RequestRepaint(hwnd, nullptr);
}
}  // namespace

void RebuildAndResize(HWND hwnd) {
    LayOutView(true);
    FitWindow(hwnd);
}

// The time alarm's reference stays where it is: moved on to now, it would skip the lines that
// came due while alarms were off, or that a longer look-ahead now reaches.
void ShowSettingsInForce(HWND hwnd, const AppState& state) {
    g_app = state;
    LayOutView(false);
    FitWindow(hwnd);
}

void FollowKeptSettings(HWND hwnd, bool trayBefore) {
    if (g_app.settings.useTasktray && !trayBefore) AddTrayIcon(hwnd);
    if (!g_app.settings.useTasktray && trayBefore) RemoveTrayIcon();
    RebuildAndResize(hwnd);
}

void RequestRepaint(HWND hwnd, const RECT* rect) {
    RECT area;
    if (rect) area = *rect;
    else GetClientRect(hwnd, &area);
    UnionRect(&g_pending, &g_pending, &area);
    InvalidateRect(hwnd, &area, FALSE);
}
