// The memo search dialog (134 "メモ検索"): the date memos that contain a keyword, listed by date,
// sorted by a click on a column header and copied to the clipboard as tab-separated lines.
#pragma once
#include <windows.h>

#include "config/tags.h"

// The result list's columns: the date and the memo text.
constexpr int kSearchColumnWidths[2] = {70, 370};
inline const char* const kSearchColumnTitles[2] = {"日付", "メモ"};

struct SearchDialog {
    HWND clipboardOwner;  // the calendar window: Copy puts the rows on the clipboard in its name
    const char* memoPath;  // the common memo file: the year memo files beside it are searched
    const TagTable* tags;  // the tag words taken out of the rows
};

// Modal over owner. A search changes nothing, so it ends with IDCANCEL whichever way it closes.
// A double click on a hit tells the owner to show that day (kNoteShowDay, base/win/owner_notes.h);
// the dialog stays open for the next hit.
INT_PTR OpenSearchDialog(HWND owner, SearchDialog* dialog);
