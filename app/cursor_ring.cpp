#include "app/cursor_ring.h"

#include "base/cell_ids.h"
#include "resources/resource.h"

namespace {
int Step(int command, bool list) {
    switch (command) {
    case IDM_CURSOR_UP: return list ? -1 : -7;
    case IDM_CURSOR_DOWN: return list ? 1 : 7;
    case IDM_CURSOR_PREV: return -1;
    case IDM_CURSOR_NEXT: return 1;
    default: return 0;
    }
}
}  // namespace

int MoveCursor(int current, int command, const CursorRing& ring) {
    int z = Step(command, ring.list);
    if (z == 0) return current;
    int result;
    bool memoBoxKept = false;  // the memo box moving back: it stands for "the cell before it"
    if (IsDayCell(current)) {
        int k = CellIndex(current) + z;
        if (k < 0) result = kCellCountdownBase + ((ring.countdowns - 1) & kCellIndexMask);
        else if (k >= ring.dayCells) result = kCellMemoBox;
        else result = kCellDayBase + k;
    } else if (current == kCellMemoBox) {
        result = z > 0 ? kCellCountdownBase : kCellMemoBox;
        memoBoxKept = z < 0;
    } else if (IsCountdownCell(current)) {
        result = kCellCountdownBase + ((CellIndex(current) + (z < 0 ? -1 : 1)) & kCellIndexMask);
    } else {
        result = z < 0 ? kCellMemoBox : kCellCountdownBase;
    }
    // Each step of the ring that is not there passes the cursor on, until one stands.
    for (int guard = 0; guard < 8; ++guard) {
        if (result == kCellMemoBox) {
            if (ring.memoRows > 0 && !memoBoxKept) break;
            memoBoxKept = false;
            if (z > 0) result = kCellCountdownBase;
            else if (z == -1) result = kCellDayBase + ring.dayCells - 1;
            else return kCellDayBase + ring.dayCells - 7 + ring.cursorColumn;
        } else if (IsCountdownCell(result)) {
            if (CellIndex(result) < ring.countdowns) break;
            if (z < 0) result = kCellMemoBox;
            else if (z == 1) return kCellDayBase;
            else return kCellDayBase + ring.cursorColumn;
        } else {
            break;
        }
    }
    return result;
}
