#include "settings/operation_rows.h"

#include <gtest/gtest.h>

#include "config/operations.h"
#include "resources/resource.h"

TEST(OperationRows, RowShowsTheEditedBindingsByName) {
    ResetOperations();
    const Operation& prev = g_operations[0];  // 前月を表示: PageUp and wheel forward
    int key = KeyBindingFromList(KeyListIndexOf('X'), BindingModifiers(false, true, false));
    int mouse = MouseBindingFromList(0, kModCtrl);
    EXPECT_EQ(OperationRowText(prev.name, key, mouse, "X"), "前月を表示\tCtrl + X\t(なし)");
    const Operation& year = g_operations[3];
    EXPECT_EQ(OperationRowText(year.name, year.key, year.mouse, ""), "１年前を表示\t(なし)\tCtrl + ﾎｲｰﾙ前回転");
    ResetOperations();
}

TEST(OperationRows, ListIndexesAndBindingsMeet) {
    // Entry 0 is "(なし)"; PageUp's entry keeps its extended flag in the binding made from it.
    EXPECT_EQ(KeyListIndexOf(33), 6);
    EXPECT_EQ(KeyBindingFromList(6, kModShift), kModShift | 0x121);
    EXPECT_EQ(KeyListIndexOf(kModCtrl | 0x6C), 0);  // a key the table does not offer
    EXPECT_EQ(KeyBindingFromList(0, kModCtrl), 0);  // "(なし)" drops the modifiers too
    EXPECT_EQ(KeyBindingFromList(kAssignableKeyCount + 1, 0), 0);
    EXPECT_EQ(MouseListIndexOf(kModCtrl | kMouseLeftDouble), kMouseLeftDouble);
    EXPECT_EQ(MouseListIndexOf(7), 0);
    EXPECT_EQ(MouseBindingFromList(kMouseRightClick, BindingModifiers(true, false, true)),
              kModAlt | kModShift | kMouseRightClick);
    EXPECT_EQ(MouseListEntries()[kMouseWheelForward], kMouseActionNames[kMouseWheelForward]);
}

TEST(OperationRows, PageEventsTellRowsBindingsAndOtherChangesApart) {
    EXPECT_EQ(OperationPageEventOf(IDC_OPERATION_LIST, kNoteSelectionChanged), kRowChosen);
    EXPECT_EQ(OperationPageEventOf(IDC_OPERATION_LIST, 2), kPageIgnores);  // a double click
    EXPECT_EQ(OperationPageEventOf(IDC_OPERATION_MOUSE_SHIFT, kNoteClicked), kBindingChanged);
    EXPECT_EQ(OperationPageEventOf(IDC_OPERATION_HOTKEY_KEY, kNoteSelectionChanged), kPageSettingChanged);
    EXPECT_EQ(OperationPageEventOf(IDC_OPERATION_DAYSCROLL_UNIT, 0x100), kPageIgnores);  // focus
    EXPECT_EQ(OperationPageEventOf(IDC_DESIGN_CELL_WIDTH, kNoteTextChanged), kPageIgnores);
}
