// What a screen reader is told of the window: one item for each part a user can select or press,
// in reading order (title, buttons, countdown lines, day cells, memo box), with the names and
// values it speaks. The accessible object of the window is a thin layer over these.
#pragma once
#include <string>
#include <vector>

#include "calendar/holiday_rules.h"
#include "calendar/today.h"
#include "render/painter.h"
#include "view/edit_overlay.h"
#include "view/view_layout.h"

enum class AccessibleKind { kTitle, kButton, kCountdown, kDay, kMemoBox };

struct AccessibleItem {
    AccessibleKind kind = AccessibleKind::kTitle;
    int cell = kCellNone;  // the cell id of a day, the memo box or a countdown line
    int button = -1;       // title buttons: index as painted (0 the rightmost)
    std::string name;      // code page 932, as spoken
    std::string value;     // the memo's lines (CR LF), the memo box's text, the title as drawn
    CellRect rect = {};    // client pixels
};

// What the items are made from: the view on show and what the last paint learnt.
struct AccessibleSources {
    const ViewModel& view;
    const Today& today;
    const HolidayRuleTable& rules;
    const EditOverlay& editing;     // the text being typed stands in for the stored one
    const PaintResult& painted;     // the buttons, where they are shown
    const std::string& drawnTitle;  // the title bar's text as drawn
    int titleBottom;                // the title bar's height in client pixels
    int clientWidth;
};

std::vector<AccessibleItem> AccessibleItems(const AccessibleSources& sources);

// "2026年12月23日 水曜日", then "今日" for today, "祝日" for a day drawn as a holiday and each of
// its holiday texts.
std::string SpokenDayName(const DayCellRequest& day, bool today, bool holiday);

// The 1-based child id of the item of cell among items; 0 for none.
int AccessibleChildOfCell(const std::vector<AccessibleItem>& items, int cell);
// The child a screen reader reaches from child by direction: the next or previous in reading
// order, the first or last (from 0, the object itself), or the nearest item beside it on the
// screen. 0 for none.
enum class AccessibleDirection { kNext, kPrevious, kFirst, kLast, kUp, kDown, kLeft, kRight };
int AccessibleNeighbour(const std::vector<AccessibleItem>& items, int child, AccessibleDirection direction);
// The 1-based child id of the item that contains the client point; 0 for none.
int AccessibleChildAt(const std::vector<AccessibleItem>& items, int x, int y);

// What a screen reader is told after a message: the events to raise, each for a child id (0 the
// window's client object itself).
enum class AccessibleEventKind { kFocus, kSelection, kValueChange, kReorder };
struct AccessibleEvent {
    AccessibleEventKind kind;
    int child;
};
// What was last told: the items' names and places, their values, the current cell, the focus.
struct AccessibleSnapshot {
    std::string layout;  // every item's kind, cell, name and rectangle
    std::vector<std::string> values;
    int currentCell = kCellNone;
    bool focused = false;  // the window had the keyboard focus
};
AccessibleSnapshot SnapshotOf(const std::vector<AccessibleItem>& items, int currentCell, bool focused);
// Other items (a new month, a rebuilt view) are one reorder; among the same items a changed
// value is a value change of its child. A new current cell, the focus coming back or other items
// are a focus (while focused) and a selection of the current cell's child.
std::vector<AccessibleEvent> AccessibleChanges(const AccessibleSnapshot& before, const AccessibleSnapshot& after,
                                               const std::vector<AccessibleItem>& items);
