#include "app/window_input_win.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/accessible_win.h"
#include "app/commands.h"
#include "app/context_menu_win.h"
#include "app/cursor_ring.h"
#include "app/interaction.h"
#include "app/memo_dialogs_win.h"
#include "app/tool_dialogs_win.h"
#include "app/main_window_win.h"
#include "app/pointer.h"
#include "app/quick_memo.h"
#include "app/sync_runner_win.h"
#include "base/win/clipboard_win.h"
#include "base/win/handles.h"
#include "base/win/wide_text.h"
#include "calendar/civil_date.h"
#include "calendar/today.h"
#include "config/app_state.h"
#include "config/operations.h"
#include "config/profile_access.h"
#include "memo/countdown.h"
#include "memo/memo_text_win.h"
#include "memo/working_text.h"
#include "render/place_font_win.h"
#include "render/title_buttons.h"
#include "resources/resource.h"
#include "view/view_layout.h"

namespace {
// The modifier keys down now, as the bits of a key or mouse value.
int Modifiers() {
    int m = 0;
    if (GetKeyState(VK_MENU) & 0x8000) m |= kModAlt;
    if (GetKeyState(VK_CONTROL) & 0x8000) m |= kModCtrl;
    if (GetKeyState(VK_SHIFT) & 0x8000) m |= kModShift;
    return m;
}

void Post(HWND hwnd, int command) { PostMessageW(hwnd, WM_COMMAND, static_cast<WPARAM>(command), 0); }

// A bound mouse action replaces the window's own reaction: true when one was posted.
bool RunMouseBinding(HWND hwnd, int action) {
    int command = FindCommandByMouse(action | Modifiers());
    if (!command) return false;
    Post(hwnd, command);
    return true;
}

bool ButtonsShown() { return ButtonLookOf(g_app.settings.btnSize).shown; }

// The window seen by the commands and the quick memo.
class WindowHost : public CommandHost, public QuickMemoHost {
  public:
    explicit WindowHost(HWND hwnd) : hwnd_(hwnd) {}
    void DestroyWindow() override { ::DestroyWindow(hwnd_); }
    void ShowWindow() override {
        ::ShowWindow(hwnd_, SW_RESTORE);
        ::ShowWindow(hwnd_, SW_SHOW);
    }
    void HideWindow() override {
        ::ShowWindow(hwnd_, SW_MINIMIZE);
        ::ShowWindow(hwnd_, SW_HIDE);
    }
    void SetTopmost(bool topmost) override {
        SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW);
    }
    void RebuildAndResize() override { ::RebuildAndResize(hwnd_); }
    void Select(int cell, bool timeout) override { SelectCell(hwnd_, cell, timeout); }
    void RightClickAt(int x, int y) override { PostMessageW(hwnd_, WM_RBUTTONUP, 0, MAKELPARAM(x, y)); }
    bool PutOnClipboard(const std::string& text) override { return PutTextOnClipboard(hwnd_, text); }
    // A text with a character the memo files cannot hold is not pasted at all: what it says
    // would be lost in part.
    bool ClipboardText(std::string* text) override {
        char32_t unheld = 0;
        if (!TextOnClipboard(hwnd_, text, &unheld)) return false;
        if (!unheld) return true;
        ShowMessage(hwnd_, UnheldMemoMessage(unheld), "Tessel", MB_OK | MB_ICONWARNING);
        text->clear();
        return false;
    }
    bool Confirm(const std::string& text, const char* caption) override {
        return ShowMessage(hwnd_, text, caption, MB_OKCANCEL) == IDOK;
    }
    void RefreshTray() override { RefreshTrayTip(); }
    bool OpenMemoDialog() override { return OpenMemoInput(hwnd_); }
    bool OpenCountdownDialog() override { return OpenCountdownInput(hwnd_); }
    bool OpenToolDialog(int command) override { return ::OpenToolDialog(hwnd_, command); }
    bool SyncNow() override { return StartSync(hwnd_, SyncCause::kAsked); }

  private:
    HWND hwnd_;
};

// Unbound (or with other modifiers held), a double click opens the input of what it hits, as
// "メモ入力" does for the current cell; a single click makes it current and selects it for a
// while.
void ClickCell(HWND hwnd, int cell, bool doubleClick) {
    g_interaction.currentCell = cell;
    if (doubleClick) Post(hwnd, IDM_MEMO_INPUT);
    else SelectCell(hwnd, cell, true);
}

// Today's cell when today is on show, else none.
int TodayCell() {
    int index = g_today.dayNumber - LocalDayNumber(g_view.firstDay);
    bool shown = index >= 0 && index < static_cast<int>(g_view.cells.size()) && index <= kMaxCellIndex;
    return shown ? kCellDayBase + index : kCellNone;
}

CursorRing RingNow() {
    return CursorRing{ShowsList(g_app.settings), static_cast<int>(g_view.cells.size()), CountdownCount(),
                      g_app.design.memoRow, g_interaction.cursorColumn};
}
}  // namespace

void RepaintCell(HWND hwnd, int cell) {
    CellRect r;
    if (!CellBounds(cell, &r)) return;
    RECT rect = {r.left, r.top, r.right, r.bottom};
    RequestRepaint(hwnd, &rect);
}

// Leaving the cell of an open quick memo stores what was typed first.
void CommitQuickMemo(HWND hwnd) {
    WindowHost host(hwnd);
    QuickMemoCommit(host);
}

void SelectCell(HWND hwnd, int cell, bool timeout) {
    if (QuickMemoOpen() && g_edit.editingCell != cell) CommitQuickMemo(hwnd);
    RepaintCell(hwnd, g_edit.highlightedCell);
    g_edit.highlightedCell = cell;
    if (IsDayCell(cell)) g_interaction.cursorColumn = CellIndex(cell) % 7;
    RepaintCell(hwnd, cell);
    KillTimer(hwnd, kHighlightTimer);
    if (timeout) SetTimer(hwnd, kHighlightTimer, 3000, nullptr);
}

void OnHighlightTimer(HWND hwnd) {
    KillTimer(hwnd, kHighlightTimer);
    SelectCell(hwnd, kCellNone, false);
}

LRESULT OnHitTest(HWND hwnd, LPARAM lParam) {
    POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ScreenToClient(hwnd, &p);
    RECT client;
    GetClientRect(hwnd, &client);
    HitInputs in = {ButtonsShown() ? &LastPaint() : nullptr, g_app.settings.keepWinHeight != 0, client.right,
                    client.bottom, GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXBORDER),
                    g_app.layout.titleHeight};
    switch (HitTestWindow(p.x, p.y, in)) {
    case kHitCaption: return HTCAPTION;
    case kHitLeft: return HTLEFT;
    case kHitRight: return HTRIGHT;
    case kHitTop: return HTTOP;
    case kHitBottom: return HTBOTTOM;
    default: return HTCLIENT;
    }
}

bool OnSetCursor(HWND hwnd) {
    if (!ButtonsShown()) return false;
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(hwnd, &p);
    if (ButtonAt(p.x, p.y, LastPaint()) < 0) return false;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return true;
}

void OnLeftButton(HWND hwnd, LPARAM lParam, bool doubleClick) {
    CommitQuickMemo(hwnd);
    int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
    if (ButtonsShown()) {
        int button = ButtonAt(x, y, LastPaint());
        if (button >= 0) {
            Post(hwnd, ButtonCommand(button));
            return;
        }
    }
    if (RunMouseBinding(hwnd, doubleClick ? kMouseLeftDouble : kMouseLeftClick)) return;
    if (int cell = DayCellAt(x, y)) ClickCell(hwnd, cell, doubleClick);
    if (InMemoBox(x, y)) ClickCell(hwnd, kCellMemoBox, doubleClick);
    else if (int line = CountdownLineAt(x, y)) ClickCell(hwnd, line, doubleClick);
}

void OnAccessibleRequest(HWND hwnd, WPARAM request, LPARAM target) {
    int cell = static_cast<int>(target);
    switch (request) {
    case kAccessibleSelect:
        CommitQuickMemo(hwnd);
        g_interaction.currentCell = cell;
        SelectCell(hwnd, cell, true);
        break;
    case kAccessibleDefaultAction:
        // What a double click on the cell does, bound or not.
        CommitQuickMemo(hwnd);
        g_interaction.currentCell = cell;
        if (!RunMouseBinding(hwnd, kMouseLeftDouble)) ClickCell(hwnd, cell, true);
        break;
    case kAccessiblePress:
        if (cell >= 0 && cell < kButtonCount) Post(hwnd, ButtonCommand(cell));
        break;
    default: break;
    }
}

void OnMiddleButton(HWND hwnd) { RunMouseBinding(hwnd, kMouseMiddleClick); }

void OnRightButtonUp(HWND hwnd, int x, int y) {
    CommitQuickMemo(hwnd);
    if (RunMouseBinding(hwnd, kMouseRightClick)) return;
    MenuChoice choice = ChooseMenu(x, y, g_app.layout.titleHeight, g_app.layout.headHeight);
    if (!choice.menu) return;
    g_interaction.currentCell = choice.target;
    SelectCell(hwnd, choice.target, false);
    POINT at = {x, y};
    ClientToScreen(hwnd, &at);
    ShowContextMenu(hwnd, choice, at);
    SelectCell(hwnd, choice.target, true);
}

void OnNonClientRightButtonUp(HWND hwnd, LPARAM lParam) {
    POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ScreenToClient(hwnd, &p);
    OnRightButtonUp(hwnd, p.x, p.y);
}

void OnMouseWheel(HWND hwnd, WPARAM wParam) {
    CommitQuickMemo(hwnd);
    int action = static_cast<short>(HIWORD(wParam)) > 0 ? kMouseWheelForward : kMouseWheelBackward;
    int command = FindCommandByMouse(action | Modifiers());
    if (command && QueueWheelCommand(command)) SetTimer(hwnd, kWheelTimer, 50, nullptr);
}

void OnWheelTimer(HWND hwnd) {
    KillTimer(hwnd, kWheelTimer);
    for (int command : TakeWheelCommands()) Post(hwnd, command);
}

void OnKeyDown(HWND hwnd, WPARAM wParam) {
    if (!g_app.settings.keyassignEnable) return;
    if (wParam == VK_RETURN && QuickMemoOpen()) {
        WindowHost host(hwnd);
        if (QuickMemoCommit(host)) SelectCell(hwnd, g_interaction.currentCell, true);
        return;  // a failed store keeps what was typed; the store has told the user
    }
    int command = FindCommandByKey(static_cast<int>(wParam & 0xFFFF) | Modifiers());
    if (command == 0) return;
    if (command >= IDM_CURSOR_UP && command <= IDM_CURSOR_NEXT) {
        g_interaction.currentCell = MoveCursor(g_interaction.currentCell, command, RingNow());
        SelectCell(hwnd, g_interaction.currentCell, true);
        return;
    }
    if (QuickMemoOpen()) return;  // typing: keys bound to other commands are letters
    Post(hwnd, command);
    SelectCell(hwnd, g_interaction.currentCell, true);
}

// Typed characters go into the quick memo of the current day cell or memo box.
void OnChar(HWND hwnd, WPARAM wParam) {
    const Settings& s = g_app.settings;
    int cell = g_interaction.currentCell;
    if (!s.keyassignEnable || (!IsDayCell(cell) && cell != kCellMemoBox)) return;
    WindowHost host(hwnd);
    // A Unicode window: each WM_CHAR is one UTF-16 unit (a character beyond the first 65536
    // comes as two).
    unsigned code = static_cast<unsigned>(wParam) & 0xFFFF;
    if (code == VK_ESCAPE) {
        QuickMemoEscape(host);
        return;
    }
    if (!s.quickmemoEnable) return;
    if (code == VK_BACK) {
        QuickMemoBackspace(cell, host);
        return;
    }
    if (code < 0x20) return;
    // What is already waiting comes in the same step, so a burst of typing repaints once.
    std::wstring typed(1, static_cast<wchar_t>(code));
    MSG waiting;
    while (PeekMessageW(&waiting, hwnd, WM_CHAR, WM_CHAR, PM_REMOVE))
        if ((waiting.wParam & 0xFFFF) >= 0x20) typed += static_cast<wchar_t>(waiting.wParam & 0xFFFF);
    // The memo files hold code page 932: a character it cannot hold is left out and named.
    char32_t leftOut = 0;
    std::string chars = SjisHeld(typed, &leftOut);
    if (!chars.empty()) QuickMemoType(cell, chars, host);
    if (leftOut) ShowMessage(hwnd, UnheldMemoMessage(leftOut), "Tessel", MB_OK | MB_ICONWARNING);
}

// The input method composes in the memo's font, at the caret the last paint found.
void OnImeComposition(HWND hwnd, UINT message) {
    const Settings& s = g_app.settings;
    if (!s.keyassignEnable || !s.quickmemoEnable) return;
    if (message == WM_IME_STARTCOMPOSITION) {
        ImeContext ime(hwnd);
        if (ime.get()) {
            const LogFontA& place = g_app.design.fonts[g_edit.highlightedCell == kCellMemoBox ? kFontMemo : kFontDmemo].logFont;
            LOGFONTW lf = SystemLogFont(place);
            if (lf.lfHeight > 0) lf.lfHeight = -MulDiv(lf.lfHeight, WindowDpi(hwnd), 72);
            ImmSetCompositionFontW(ime.get(), &lf);
        }
        if (g_interaction.currentCell) SelectCell(hwnd, g_interaction.currentCell, false);
    }
    {
        ImeContext ime(hwnd);
        COMPOSITIONFORM form = {};
        form.dwStyle = CFS_POINT;
        if (g_edit.highlightedCell) form.ptCurrentPos = {LastPaint().caretX, LastPaint().caretY};
        if (ime.get()) ImmSetCompositionWindow(ime.get(), &form);
    }
    if (message == WM_IME_ENDCOMPOSITION && g_interaction.currentCell && !QuickMemoOpen())
        SelectCell(hwnd, g_interaction.currentCell, true);
}

void OnCommand(HWND hwnd, WPARAM wParam) {
    WindowHost host(hwnd);
    RunCommand(LOWORD(wParam), host);
}

// Pressed once it brings the calendar forward; pressed again it sends it away as
// "HOTKEY_TOGGLE" says.
void OnHotkey(HWND hwnd) {
    if (GetForegroundWindow() == hwnd) {
        switch (g_app.settings.hotkeyToggle) {
        case HotkeyToggle::kMinimise: Post(hwnd, IDM_HIDE); break;
        case HotkeyToggle::kToBottom:
            ShowWindow(hwnd, SW_HIDE);
            ShowWindow(hwnd, SW_SHOWNA);
            SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            break;
        case HotkeyToggle::kNothing: break;
        }
        return;
    }
    SetForegroundWindow(hwnd);
    Post(hwnd, IDM_SHOW);
    // An open quick memo keeps its cell and its frame: the highlight's time-out would store it.
    if (QuickMemoOpen()) return;
    // Brought forward by the keyboard, the window has its focus on today (where today is shown).
    if (int today = TodayCell()) g_interaction.currentCell = today;
    if (g_app.settings.keyassignEnable) SelectCell(hwnd, g_interaction.currentCell, true);
}

void OnSize(HWND hwnd, WPARAM type) {
    if (type == SIZE_RESTORED) SetTimer(hwnd, kResizeTimer, 100, nullptr);
}

// A new client size becomes the cell or list width, and with a kept height the window height.
void OnResizeTimer(HWND hwnd) {
    KillTimer(hwnd, kResizeTimer);
    RECT client;
    GetClientRect(hwnd, &client);
    Design& d = g_app.design;
    LayoutMetrics& m = g_app.layout;
    bool list = ShowsList(g_app.settings);
    (list ? d.listWidth : d.cellWidth) = DesignWidthOfClient(client.right, list, m.dpi);
    bool rebuild = false;
    if (client.right != m.winWidth) {
        WriteConfigInt(list ? "LIST_WIDTH" : "CELL_WIDTH", list ? d.listWidth : d.cellWidth);
        rebuild = true;
    }
    if (client.bottom != m.winHeight) {
        m.winHeight = client.bottom;
        rebuild = true;
    }
    if (rebuild) RebuildAndResize(hwnd);
}
