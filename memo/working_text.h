// The working text buffer every memo text passes through on its way to the store, and which cell
// is being edited (an open quick memo or memo dialog), whose drawing shows that buffer.
#pragma once
#include "base/cell_ids.h"

struct WorkingText {
    char* text;    // zero-terminated; null only before the first Set and after release
    int capacity;  // always a multiple of 256
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

// Replaces the contents with n bytes of text and a terminating zero. The capacity becomes
// (n / 256 + 1) * 256; a buffer of another capacity is taken anew.
void SetWorkingText(const char* text, int n);
void SetWorkingText(const char* text);
// Stores byte c at p, growing the buffer (contents kept) in 256-byte steps when p lies beyond it.
// Callers write the terminating zero themselves.
void PutWorkingByte(int p, char c);
const char* WorkingTextOrEmpty();
void ReleaseWorkingText();

// The editing cell is the day cell of this date / the memo box.
bool IsEditingDate(int year, int month, int day);
bool IsEditingFreeMemo();
// Makes cell the editing cell; date is that of a day cell (ignored for others).
void BeginEditing(int cell, int year, int month, int day);
void EndEditing();
