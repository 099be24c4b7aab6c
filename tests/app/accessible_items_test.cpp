// What a screen reader is told of a laid-out month: names, values, places, neighbours and the
// events after a change, from a real layout of real files and the shipped holiday rules.
#include "app/accessible_items.h"

#include <gtest/gtest.h>

#include <string>

#include "calendar/holiday_rules.h"
#include "calendar/today.h"
#include "config/operations.h"
#include "memo/memo_store.h"
#include "render/title_buttons.h"
#include "tests/view/layout_files.h"

namespace {
class AccessibleMonth : public LayoutFiles {
protected:
    void SetUp() override {
        LayoutFiles::SetUp();
        ASSERT_GT(LoadHolidayRules((std::string(TESSEL_SOURCE_DIR) + "/data/tessel_holiday.ini").c_str()), 0);
        ASSERT_TRUE(WriteMemo(2026, 11, 3, "会議\r\n買い物", false).ok());
        ASSERT_TRUE(WriteFreeMemo("いつものメモ", st.design.memoRow).ok());
        in.now = Date(2026, 11, 10);
        Lay();
        for (int i = 0; i < kButtonCount; ++i) painted.buttons[i] = {300 - 12 * i, 2, 310 - 12 * i, 14};
        painted.buttonsShown = true;
    }
    void TearDown() override {
        ReleaseHolidayRules();
        LayoutFiles::TearDown();
    }
    std::vector<AccessibleItem> Items() {
        return AccessibleItems(AccessibleSources{view, result.today, g_holidayRules, editing, painted, title,
                                                 st.layout.titleHeight, 320});
    }
    const AccessibleItem& Day(const std::vector<AccessibleItem>& items, int month, int day) {
        for (const AccessibleItem& item : items)
            if (item.kind == AccessibleKind::kDay && view.days[CellIndex(item.cell)].month == month &&
                view.days[CellIndex(item.cell)].day == day)
                return item;
        ADD_FAILURE() << "no cell for " << month << "/" << day;
        return items.front();
    }
    int ChildOf(const std::vector<AccessibleItem>& items, const AccessibleItem& item) {
        return static_cast<int>(&item - items.data()) + 1;
    }
    PaintResult painted = {};
    EditOverlay editing;
    std::string title = "令和8年11月";
};

TEST_F(AccessibleMonth, ReadingOrderNamesAndValues) {
    std::vector<AccessibleItem> items = Items();
    ASSERT_EQ(items.size(), 1u + kButtonCount + view.cells.size() + 1u);  // no countdown memos
    EXPECT_EQ(items[0].kind, AccessibleKind::kTitle);
    EXPECT_EQ(items[0].name, "2026年11月");
    EXPECT_EQ(items[0].value, "令和8年11月");
    for (int i = 0; i < kButtonCount; ++i) {  // left to right
        const AccessibleItem& b = items[1 + i];
        EXPECT_EQ(b.kind, AccessibleKind::kButton);
        EXPECT_EQ(b.button, kButtonCount - 1 - i);
        EXPECT_EQ(b.name, OperationName(ButtonCommand(b.button)));
        EXPECT_FALSE(b.name.empty());
    }
    const AccessibleItem& holiday = Day(items, 11, 3);
    EXPECT_EQ(holiday.name, "2026年11月3日 火曜日 祝日 文化の日");
    EXPECT_EQ(holiday.value, "会議\r\n買い物");
    EXPECT_EQ(Day(items, 11, 10).name, "2026年11月10日 火曜日 今日");
    EXPECT_EQ(Day(items, 11, 10).value, "");
    EXPECT_EQ(Day(items, 11, 1).name, "2026年11月1日 日曜日");
    const AccessibleItem& box = items.back();
    EXPECT_EQ(box.kind, AccessibleKind::kMemoBox);
    EXPECT_EQ(box.cell, kCellMemoBox);
    EXPECT_EQ(box.value, "いつものメモ");
    EXPECT_EQ(box.rect.left, view.memoBox.left);
    EXPECT_EQ(holiday.rect.top, view.cells[CellIndex(holiday.cell)].top);
}

TEST_F(AccessibleMonth, TheTextBeingTypedStandsInForTheStoredOne) {
    editing = EditOverlay{kCellDayBase + 2, 2026, 11, 3, "打ち合わせ"};
    EXPECT_EQ(Day(Items(), 11, 3).value, "打ち合わせ");
    editing = EditOverlay{kCellMemoBox, 0, 0, 0, "書きかけ"};
    EXPECT_EQ(Items().back().value, "書きかけ");
}

TEST_F(AccessibleMonth, PlacesAndNeighbours) {
    std::vector<AccessibleItem> items = Items();
    const AccessibleItem& third = Day(items, 11, 3);
    int child = ChildOf(items, third);
    EXPECT_EQ(AccessibleChildAt(items, third.rect.left + 1, third.rect.top + 1), child);
    EXPECT_EQ(AccessibleChildAt(items, painted.buttons[0].left + 1, 3), ChildOf(items, items[kButtonCount]));
    EXPECT_EQ(AccessibleChildAt(items, 1, 1), 1);  // the title band beside the buttons
    EXPECT_EQ(AccessibleChildOfCell(items, third.cell), child);
    EXPECT_EQ(AccessibleNeighbour(items, child, AccessibleDirection::kRight), ChildOf(items, Day(items, 11, 4)));
    EXPECT_EQ(AccessibleNeighbour(items, child, AccessibleDirection::kLeft), ChildOf(items, Day(items, 11, 2)));
    EXPECT_EQ(AccessibleNeighbour(items, child, AccessibleDirection::kDown), ChildOf(items, Day(items, 11, 10)));
    EXPECT_EQ(AccessibleNeighbour(items, ChildOf(items, Day(items, 11, 10)), AccessibleDirection::kUp), child);
    EXPECT_EQ(AccessibleNeighbour(items, child, AccessibleDirection::kNext), child + 1);
    EXPECT_EQ(AccessibleNeighbour(items, 0, AccessibleDirection::kFirst), 1);
    EXPECT_EQ(AccessibleNeighbour(items, 0, AccessibleDirection::kLast), static_cast<int>(items.size()));
    EXPECT_EQ(AccessibleNeighbour(items, static_cast<int>(items.size()), AccessibleDirection::kNext), 0);
}

TEST_F(AccessibleMonth, EventsForWhatChanged) {
    std::vector<AccessibleItem> items = Items();
    const AccessibleItem& third = Day(items, 11, 3);
    int child = ChildOf(items, third);
    AccessibleSnapshot before = SnapshotOf(items, kCellNone, true);
    EXPECT_TRUE(AccessibleChanges(before, SnapshotOf(items, kCellNone, true), items).empty());

    // A new current cell: its focus and selection.
    AccessibleSnapshot moved = SnapshotOf(items, third.cell, true);
    std::vector<AccessibleEvent> events = AccessibleChanges(before, moved, items);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, AccessibleEventKind::kFocus);
    EXPECT_EQ(events[0].child, child);
    EXPECT_EQ(events[1].kind, AccessibleEventKind::kSelection);
    // Without the keyboard focus only the selection.
    events = AccessibleChanges(SnapshotOf(items, kCellNone, false), SnapshotOf(items, third.cell, false), items);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, AccessibleEventKind::kSelection);

    // A memo stored: the value change of its cell, nothing else.
    ASSERT_TRUE(WriteMemo(2026, 11, 3, "会議", false).ok());
    Lay();
    std::vector<AccessibleItem> after = Items();
    events = AccessibleChanges(moved, SnapshotOf(after, third.cell, true), after);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, AccessibleEventKind::kValueChange);
    EXPECT_EQ(events[0].child, child);

    // The next month: a reorder, and the current cell told again.
    AccessibleSnapshot november = SnapshotOf(after, third.cell, true);
    nav.monthRequest = 1;
    Lay();
    std::vector<AccessibleItem> december = Items();
    events = AccessibleChanges(november, SnapshotOf(december, third.cell, true), december);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, AccessibleEventKind::kReorder);
    EXPECT_EQ(events[0].child, 0);
    EXPECT_EQ(events[1].kind, AccessibleEventKind::kFocus);
    EXPECT_EQ(events[1].child, AccessibleChildOfCell(december, third.cell));
}
}  // namespace
