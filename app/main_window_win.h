// The calendar window: its class, its procedure and the operations the shell runs on it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/accessible_items.h"

#include "base/win/handles.h"
#include "render/paint.h"
#include "render/painter.h"
#include "view/view_layout.h"

constexpr UINT WM_TRAY_NOTIFY = WM_USER + 100;
constexpr UINT WM_SET_HOTKEY = WM_USER + 102;
// Posted by the profile store's listener: files could not be written; tell the user.
constexpr UINT WM_WRITE_FAILED = WM_APP + 1;
constexpr UINT_PTR kMinuteTimer = 1;
extern const wchar_t kWindowClass[];  // "Tessel": also how a second start finds the running one

bool RegisterMainWindowClass(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance, int x, int y, int width, int height);

// The client rectangle of the desktop window.
SIZE ScreenSize();
// What BuildLayout is handed: the screen measured now (fonts are made at the window's dpi from
// then on), the rules and the countdown memos.
LayoutInputs CurrentLayoutInputs();
// Lays the view out from the shell's records and keeps the result; with store, the window height
// and first day go to the configuration too.
void LayOutView(bool store);
// The dpi of the monitor hwnd is on (the screen's when the system cannot tell, or hwnd is null).
int WindowDpi(HWND hwnd);

// The profile store's listener: reminds the main window (if there is one yet) to tell the user.
void NoteWriteFailure();

// What the last paint learnt (the buttons' rectangles, the caret).
const PaintResult& LastPaint();
// The items a screen reader is told of, from the view on show and the last paint.
std::vector<AccessibleItem> ShownAccessibleItems(HWND hwnd);
// Paints the shell's view as the request asks, as the files hold it now: the memos of what either
// edition draws are read again first. Answers what the painting learnt.
PaintResult PaintCalendar(const PaintRequest& request);

// Rebuilds the view and fits the window to it, keeping its position, then repaints it whole.
void RebuildAndResize(HWND hwnd);
// The settings dialog asks for other settings to be shown (a preview, or the kept ones back):
// they are put in force, the view is laid out and shown for them; nothing is written.
void ShowSettingsInForce(HWND hwnd, const AppState& state);
// The settings in force were kept: the tray icon follows "USE_TASKTRAY" (it was trayBefore), the
// view is rebuilt and its height kept.
void FollowKeptSettings(HWND hwnd, bool trayBefore);
// Adds rect (the whole client area when null) to the pending repaint rectangle.
void RequestRepaint(HWND hwnd, const RECT* rect);

// Tray icon (tray_win.cpp).
bool AddTrayIcon(HWND hwnd);
void RemoveTrayIcon();
// The tooltip with today's date and memo, when the icon is there.
void RefreshTrayTip();
// An alarm as a balloon from the icon; false when there is no icon (or the shell is too old).
bool ShowTrayBalloon(const std::string& caption, const std::string& text);
// Menu 123 with the item that would change nothing grayed: "表示する(&S)" while the window is
// visible, "隠す(&H)" while it is not.
OwnedMenu LoadTrayMenu(bool windowVisible);
// WM_TRAY_NOTIFY: clicks on the icon.
void OnTrayNotify(HWND hwnd, LPARAM lParam);

// WM_SET_HOTKEY (hotkey_win.cpp): registers hot key id 1 for the value, or removes it for 0.
void OnSetHotkey(HWND hwnd, WPARAM value);
