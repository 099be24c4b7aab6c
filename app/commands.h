// The command table: what each command id does, when its menu item is grayed or checked, and
// whether the window is rebuilt (R) and the view settings written (S) afterwards. Menus, title
// buttons, key and mouse assignments and the wheel all end here.
#pragma once
#include <string>

// What a command asks of the window it runs in.
class CommandHost {
  public:
    virtual void DestroyWindow() = 0;
    virtual void ShowWindow() = 0;
    virtual void HideWindow() = 0;
    virtual void SetTopmost(bool topmost) = 0;
    virtual void RebuildAndResize() = 0;
    // Makes cell the highlighted one (the frame fades after 3 seconds with timeout).
    virtual void Select(int cell, bool timeout) = 0;
    // As a right click at this client point.
    virtual void RightClickAt(int x, int y) = 0;
    // The clipboard, as the system's OEM text (Shift-JIS here) only.
    virtual bool PutOnClipboard(const std::string& text) = 0;
    virtual bool ClipboardText(std::string* text) = 0;  // false when it holds none
    // A question with OK and Cancel; true for OK.
    virtual bool Confirm(const std::string& text, const char* caption) = 0;
    virtual void RefreshTray() = 0;
    // The memo dialog of the current cell (date memo, free memo or countdown), or the countdown
    // dialog; true when the dialog was open (and may have changed memos).
    virtual bool OpenMemoDialog() = 0;
    virtual bool OpenCountdownDialog() = 0;
    // The phrase, tag, search or holiday dialog of the command; true when it may have changed
    // what the calendar shows.
    virtual bool OpenToolDialog(int command) = 0;
    // Starts a sync with the online calendar on the worker; false when one is running already.
    virtual bool SyncNow() = 0;

  protected:
    ~CommandHost() = default;
};

// Which steps of the view stay within the calendar's years: the others are grayed.
struct NavigationReach {
    bool monthBack, monthForward, yearBack, yearForward;
    bool rowBack, rowForward, unitBack, unitForward;  // a row, and "DAYSCROLL_UNIT" rows
};

// What a menu item's state depends on.
struct MenuState {
    int menu;                // the menu resource being filled in: some rules hold in one menu only
    bool keysShown;          // key bindings work ("KEYASSIGN_ENABLE"), so items name their keys
    bool awayFromThisMonth;  // another month is shown, or the view is scrolled
    bool buttonsShown;
    bool alwaysOnTop;
    bool canUndo, canRedo;
    bool targetHasMemo;
    bool clipboardHasText;  // text of at least one byte
    NavigationReach reach;
};

// The reach of the view the shell shows.
NavigationReach NavigationReachNow();

// kAfterTrayTip: the command may have changed today's memo, which the tray icon's tip shows.
enum CommandEffect { kAfterNothing = 0, kAfterRebuild = 1, kAfterSaveView = 2, kAfterTrayTip = 4 };

struct CommandSpec {
    int id;
    int after;  // CommandEffect bits, when the command did something
    bool (*run)(CommandHost& host);  // false: it found nothing to do
    bool (*grayed)(const MenuState& state);   // null: never
    bool (*checked)(const MenuState& state);  // null: never
};

// The command's row, or null for an id that does nothing.
const CommandSpec* FindCommand(int id);

// Runs the command and its after-effects; false for an id that does nothing.
bool RunCommand(int id, CommandHost& host);
