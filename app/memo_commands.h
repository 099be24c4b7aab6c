// What the memo commands do to the memo files, apart from the window: the memo of a cell,
// storing the working text into a cell, inserting pasted text, delete, and the replay of the
// undo journal.
#pragma once
#include <string>

enum InsertMode {
    kInsertReplace = 0,   // paste: the text replaces the memo
    kInsertNewLine = 1,   // append-paste: on a new line after the memo
    kInsertDirectly = 2,  // fixed phrase: right after the memo's last character
};

// The date of day cell k (first visible day + k). False for any other cell, and for a day outside
// the calendar's years.
bool DateOfCell(int cell, int* year, int* month, int* day);

// The memo a cell shows: the working text for the editing cell, the date memo of a day cell, the
// free memo of the memo box, nothing for anything else.
std::string MemoOfCell(int cell);
bool CellHasMemo(int cell);

// Stores the working text (sorted by alarm times when that is on) as the memo of the cell.
// Each of these returns false when a memo did not reach its file (the working text is kept, so
// nothing typed is lost).
bool CommitToCell(int cell);

// Pastes text into the cell: control bytes other than CR and LF are dropped, the result is
// committed, and the working text is what it was before.
bool InsertTextIntoCell(int cell, const char* text, InsertMode mode);

// Delete: a countdown line's memo is deleted as the countdown dialog does; any other cell's memo
// is emptied.
bool DeleteCellMemo(int* currentCell);

bool CanUndoMemo();
bool CanRedoMemo();
// Replays one group of the journal; false when there is none, or when a change did not reach its
// file (the position then stays, so the same step can be tried again).
bool UndoMemoChange(int* currentCell);
bool RedoMemoChange(int* currentCell);
