// The working text buffer every memo text passes through on its way to the store, and which cell
// is being edited (an open quick memo or memo dialog), whose drawing shows that buffer.
#pragma once
#include <string>
#include <string_view>

#include "base/cell_ids.h"

struct WorkingText {
    std::string text;
};

struct MemoEditState {
    int highlightedCell;      // the selected cell drawn with a frame, kCellNone when none
    int editingCell;          // cell whose text is the working text, kCellNone when none
    int year, month, day;     // the editing day cell's date (month 1 to 12)
    int startPos;             // length of the working text when quick typing began
    bool outerFrame;          // a quick memo (not a dialog) is open
};

extern WorkingText g_work;
extern MemoEditState g_edit;

// Replaces the text; text may be a part of the working text itself.
void SetWorkingText(std::string_view text);
// Byte c at p: it replaces the byte there, or is added when p is the length; a zero byte ends the
// text at p. A position past the end changes nothing.
void PutWorkingByte(int p, char c);
const char* WorkingTextOrEmpty();
// The text emptied and its memory given back; nothing is being edited.
void ReleaseWorkingText();

// The editing cell is the day cell of this date / the memo box.
bool IsEditingDate(int year, int month, int day);
bool IsEditingFreeMemo();
// Makes cell the editing cell; date is that of a day cell (ignored for others).
void BeginEditing(int cell, int year, int month, int day);
void EndEditing();
