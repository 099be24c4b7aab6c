// The quick memo: typing straight into the current day cell or the memo box. The text being
// typed is the working text; the cell draws it as it grows; Enter or leaving the cell stores it,
// Escape or Backspace back to the start drops it.
#pragma once
#include <string>

class QuickMemoHost {
  public:
    virtual void RebuildAndResize() = 0;
    virtual void Select(int cell, bool timeout) = 0;
    virtual void RefreshTray() = 0;  // after a store: the tray icon's tip shows today's memo

  protected:
    ~QuickMemoHost() = default;
};

bool QuickMemoOpen();

// Printable characters typed on cell: the first one and those already waiting behind it. Blanks
// do not open a quick memo; the first other character opens one on the cell's memo and a new line.
void QuickMemoType(int cell, const std::string& chars, QuickMemoHost& host);
// Removes the last character typed (a double-byte one whole); back at the start, closes the quick
// memo without storing anything.
void QuickMemoBackspace(int currentCell, QuickMemoHost& host);
// Closes an open quick memo without storing; the highlight goes.
void QuickMemoEscape(QuickMemoHost& host);
// The memo under an open quick memo may have been changed by another program: what is typed
// goes behind the memo as it is stored now, so that storing it loses neither.
void QuickMemoFollowStored();
// Stores the text in its cell (lines sorted by alarm time when that is on), closes the quick memo
// and has the tray tip refreshed. False, and the quick memo stays open with everything typed, when
// the store failed.
bool QuickMemoCommit(QuickMemoHost& host);
