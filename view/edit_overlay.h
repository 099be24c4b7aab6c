// The text being typed into a cell (an open quick memo or memo dialog): the view shows it in
// place of what the cell holds, so that the calendar previews the edit.
#pragma once
#include <string_view>

#include "base/cell_ids.h"

struct EditOverlay {
    int cell = kCellNone;              // the cell typed into: a day cell or kCellMemoBox
    int year = 0, month = 0, day = 0;  // the date typed for, when a day cell (month 1 to 12)
    std::string_view text;             // CR LF text as typed
};

// A day's memo shows the text typed for its date, wherever that date stands now.
inline bool OverlaysDate(const EditOverlay& o, int year, int month, int day) {
    return IsDayCell(o.cell) && o.year == year && o.month == month && o.day == day;
}
inline bool OverlaysMemoBox(const EditOverlay& o) { return o.cell == kCellMemoBox; }
