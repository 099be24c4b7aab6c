#include "app/accessible_items.h"

#include <string>

#include "calendar/civil_date.h"
#include "calendar/month_model.h"
#include "config/operations.h"
#include "render/title_buttons.h"
#include "view/day_cell.h"

namespace {
std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        if (!out.empty()) out += "\r\n";
        out += line;
    }
    return out;
}

std::string YearMonth(int year, int month) { return std::to_string(year) + "年" + std::to_string(month) + "月"; }

AccessibleItem ItemOf(AccessibleKind kind) {
    AccessibleItem item;
    item.kind = kind;
    return item;
}

bool Empty(const CellRect& r) { return r.right <= r.left || r.bottom <= r.top; }
}  // namespace

std::string SpokenDayName(const DayCellRequest& day, bool today, bool holiday) {
    static const char* const kWeekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
    std::string name = YearMonth(day.year, day.month) + std::to_string(day.day) + "日 ";
    name += kWeekdays[(day.weekday % 7 + 7) % 7];
    name += "曜日";
    if (today) name += " 今日";
    if (holiday) name += " 祝日";
    for (const std::string& text : day.holidayTexts)
        if (!text.empty()) name += " " + text;
    return name;
}

std::vector<AccessibleItem> AccessibleItems(const AccessibleSources& s) {
    std::vector<AccessibleItem> items;
    const ViewModel& v = s.view;
    AccessibleItem title = ItemOf(AccessibleKind::kTitle);
    title.name = YearMonth(v.displayedMonth.tm_year + 1900, v.displayedMonth.tm_mon + 1);
    title.value = s.drawnTitle;
    title.rect = {0, 0, s.clientWidth, s.titleBottom};
    items.push_back(std::move(title));
    if (s.painted.buttonsShown) {
        for (int i = kButtonCount - 1; i >= 0; --i) {  // left to right
            const ButtonRect& b = s.painted.buttons[i];
            AccessibleItem button = ItemOf(AccessibleKind::kButton);
            button.button = i;
            button.name = OperationName(ButtonCommand(i));
            button.rect = {b.left, b.top, b.right, b.bottom};
            items.push_back(std::move(button));
        }
    }
    for (size_t i = 0; i < v.countdowns.size(); ++i) {
        const CountdownLine& line = v.countdowns[i];
        AccessibleItem item = ItemOf(AccessibleKind::kCountdown);
        item.cell = kCellCountdownBase + static_cast<int>(i);
        item.name = line.dateText + line.lead + line.number + line.tail;
        item.rect = {line.left, line.top, line.right, line.bottom};
        items.push_back(std::move(item));
    }
    for (size_t i = 0; i < v.cells.size() && i < v.days.size(); ++i) {
        const DayCellRequest& day = v.days[i];
        AccessibleItem item = ItemOf(AccessibleKind::kDay);
        item.cell = kCellDayBase + static_cast<int>(i);
        bool today = DayNumberOf(day.year, day.month, day.day) == s.today.dayNumber;
        item.name = SpokenDayName(day, today, IsHolidayEntry(EntryOf(v.model, static_cast<int>(i))));
        item.value = Joined(DayCellLines(day, s.editing));
        item.rect = v.cells[i];
        items.push_back(std::move(item));
    }
    if (!Empty(v.memoBox)) {
        AccessibleItem box = ItemOf(AccessibleKind::kMemoBox);
        box.cell = kCellMemoBox;
        box.name = "メモ";
        box.value = OverlaysMemoBox(s.editing) ? std::string(s.editing.text) : v.memoBoxText;
        box.rect = v.memoBox;
        items.push_back(std::move(box));
    }
    return items;
}

int AccessibleChildOfCell(const std::vector<AccessibleItem>& items, int cell) {
    if (cell == kCellNone) return 0;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].cell == cell) return static_cast<int>(i) + 1;
    return 0;
}

int AccessibleChildAt(const std::vector<AccessibleItem>& items, int x, int y) {
    // Buttons lie on the title band: the later, smaller item wins.
    int found = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const CellRect& r = items[i].rect;
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) found = static_cast<int>(i) + 1;
    }
    return found;
}

int AccessibleNeighbour(const std::vector<AccessibleItem>& items, int child, AccessibleDirection direction) {
    const int count = static_cast<int>(items.size());
    switch (direction) {
    case AccessibleDirection::kFirst: return child == 0 && count > 0 ? 1 : 0;
    case AccessibleDirection::kLast: return child == 0 ? count : 0;
    case AccessibleDirection::kNext: return child >= 1 && child < count ? child + 1 : 0;
    case AccessibleDirection::kPrevious: return child > 1 && child <= count ? child - 1 : 0;
    default: break;
    }
    if (child < 1 || child > count) return 0;
    const CellRect& from = items[child - 1].rect;
    int best = 0;
    long bestDistance = 0;
    for (int i = 0; i < count; ++i) {
        const CellRect& r = items[i].rect;
        if (i == child - 1) continue;
        bool across = r.left < from.right && from.left < r.right;   // shares columns
        bool along = r.top < from.bottom && from.top < r.bottom;    // shares rows
        long distance = -1;
        switch (direction) {
        case AccessibleDirection::kUp: if (across && r.bottom <= from.top) distance = from.top - r.bottom; break;
        case AccessibleDirection::kDown: if (across && r.top >= from.bottom) distance = r.top - from.bottom; break;
        case AccessibleDirection::kLeft: if (along && r.right <= from.left) distance = from.left - r.right; break;
        case AccessibleDirection::kRight: if (along && r.left >= from.right) distance = r.left - from.right; break;
        default: break;
        }
        if (distance >= 0 && (best == 0 || distance < bestDistance)) {
            best = i + 1;
            bestDistance = distance;
        }
    }
    return best;
}

AccessibleSnapshot SnapshotOf(const std::vector<AccessibleItem>& items, int currentCell, bool focused) {
    AccessibleSnapshot s;
    s.currentCell = currentCell;
    s.focused = focused;
    for (const AccessibleItem& item : items) {
        const CellRect& r = item.rect;
        s.layout += std::to_string(static_cast<int>(item.kind)) + ' ' + std::to_string(item.cell) + ' ' + item.name +
                    ' ' + std::to_string(r.left) + ',' + std::to_string(r.top) + ',' + std::to_string(r.right) + ',' +
                    std::to_string(r.bottom) + '\n';
        s.values.push_back(item.value);
    }
    return s;
}

std::vector<AccessibleEvent> AccessibleChanges(const AccessibleSnapshot& before, const AccessibleSnapshot& after,
                                               const std::vector<AccessibleItem>& items) {
    std::vector<AccessibleEvent> events;
    bool relaid = before.layout != after.layout;
    if (relaid) {
        events.push_back({AccessibleEventKind::kReorder, 0});
    } else {
        for (size_t i = 0; i < after.values.size() && i < before.values.size(); ++i)
            if (before.values[i] != after.values[i])
                events.push_back({AccessibleEventKind::kValueChange, static_cast<int>(i) + 1});
    }
    bool moved = before.currentCell != after.currentCell || (after.focused && !before.focused);
    int child = AccessibleChildOfCell(items, after.currentCell);
    if (child && (moved || relaid)) {
        if (after.focused) events.push_back({AccessibleEventKind::kFocus, child});
        events.push_back({AccessibleEventKind::kSelection, child});
    }
    return events;
}
