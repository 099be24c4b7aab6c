// What the settings page "操作" shows and takes: the rows of its operation list, the entries of
// its key and mouse lists, and the bindings made from them. The page's controls only carry these.
#pragma once
#include <string>
#include <vector>

#include "config/operations.h"

// The hot key's modifier byte (bits 8-15 of "HOTKEY").
constexpr int kHotkeyShift = 0x01, kHotkeyCtrl = 0x02, kHotkeyAlt = 0x04, kHotkeyWin = 0x08;

// One row of the operation list: the operation's name, then the names of its key and mouse
// bindings, tab-separated; keyName is the system's name of the key binding's key.
std::string OperationRowText(const char* name, int key, int mouse, const char* keyName);

// The key lists hold "(なし)" then the key table in order; the mouse list "(なし)" then the six
// actions. Index 0 is "(なし)".
std::vector<std::string> MouseListEntries();
// The entry of a binding's key (its low byte); 0 for no binding or a key not in the table.
int KeyListIndexOf(int binding);
int MouseListIndexOf(int binding);
// The binding chosen with the list's entry and the modifier bits (kModAlt, kModCtrl, kModShift);
// 0 for "(なし)" or no entry.
int KeyBindingFromList(int index, int modifiers);
int MouseBindingFromList(int index, int modifiers);
int BindingModifiers(bool alt, bool ctrl, bool shift);

// What a notification of one of the page's controls means to the page.
enum OperationPageEvent {
    kPageIgnores,         // focus and drop-down notes, or a control of no interest
    kRowChosen,           // the operation list's selection moved: show the row's bindings
    kBindingChanged,      // a key or mouse box changed: the selected row takes the boxes
    kPageSettingChanged,  // any other setting of the page changed
};
// id: the control; code: its notification (BN_CLICKED, LBN_SELCHANGE / CBN_SELCHANGE, EN_CHANGE).
OperationPageEvent OperationPageEventOf(int id, int code);

// The notification codes the page listens to, as the system numbers them.
constexpr int kNoteClicked = 0, kNoteSelectionChanged = 1, kNoteTextChanged = 0x300;
