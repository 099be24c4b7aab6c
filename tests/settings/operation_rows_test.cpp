#include "settings/operation_rows.h"

#include <gtest/gtest.h>

#include "config/operations.h"
#include "resources/resource.h"

namespace {
class OperationRows : public ::testing::Test {
protected:
    void SetUp() override { ResetOperations(), StartEditingBindings(); }
    void TearDown() override { ResetOperations(); }
};
}  // namespace

TEST_F(OperationRows, RowShowsTheEditedBindingsByName) {
    Operation& prev = g_operations[0];  // 前月を表示: PageUp and wheel forward
    prev.keyEditing = KeyBindingFromList(KeyListIndexOf('X'), BindingModifiers(false, true, false));
    prev.mouseEditing = MouseBindingFromList(0, kModCtrl);
    EXPECT_EQ(OperationRowText(prev, "X"), "前月を表示\tCtrl + X\t(なし)");
    EXPECT_EQ(prev.key, 33);  // the binding itself waits for the settings to be kept
    const Operation& year = g_operations[3];  // １年前を表示: no key, Ctrl + wheel forward
    EXPECT_EQ(OperationRowText(year, ""), "１年前を表示\t(なし)\tCtrl + ﾎｲｰﾙ前回転");
}

TEST_F(OperationRows, KeyListIndexesFollowTheKeyTable) {
    // Entry 0 is "(なし)"; PageUp's entry keeps its extended flag in the binding made from it.
    int pageUp = KeyListIndexOf(33);
    EXPECT_EQ(pageUp, 6);
    EXPECT_EQ(KeyBindingFromList(pageUp, kModShift), kModShift | 0x121);
    EXPECT_EQ(KeyListIndexOf(kModShift | 0x121), pageUp);
    EXPECT_EQ(KeyListIndexOf(0), 0);
    EXPECT_EQ(KeyListIndexOf(kModCtrl | 0x6C), 0);  // a key the table does not offer
    EXPECT_EQ(KeyBindingFromList(0, kModCtrl), 0);  // "(なし)" drops the modifiers too
    EXPECT_EQ(KeyBindingFromList(-1, 0), 0);
    EXPECT_EQ(KeyBindingFromList(kAssignableKeyCount, 0), 0xDE);
    EXPECT_EQ(KeyBindingFromList(kAssignableKeyCount + 1, 0), 0);
    for (int i = 1; i <= kAssignableKeyCount; ++i) EXPECT_EQ(KeyListIndexOf(KeyBindingFromList(i, kModAlt)), i);
}

TEST_F(OperationRows, MouseListIndexesAreTheActions) {
    std::vector<std::string> entries = MouseListEntries();
    ASSERT_EQ(entries.size(), 7u);
    EXPECT_EQ(entries[0], "(なし)");
    EXPECT_EQ(entries[kMouseWheelForward], kMouseActionNames[kMouseWheelForward]);
    EXPECT_EQ(MouseListIndexOf(kModCtrl | kMouseLeftDouble), kMouseLeftDouble);
    EXPECT_EQ(MouseListIndexOf(7), 0);
    EXPECT_EQ(MouseBindingFromList(kMouseRightClick, BindingModifiers(true, false, true)),
              kModAlt | kModShift | kMouseRightClick);
    EXPECT_EQ(MouseBindingFromList(7, 0), 0);
}

TEST(OperationPageEvent, TellsRowsBindingsAndOtherChangesApart) {
    EXPECT_EQ(OperationPageEventOf(IDC_OPERATION_LIST, kNoteSelectionChanged), kRowChosen);
    EXPECT_EQ(OperationPageEventOf(IDC_OPERATION_LIST, 2), kPageIgnores);  // a double click
    EXPECT_EQ(OperationPageEventOf(IDC_OPERATION_KEY, kNoteSelectionChanged), kBindingChanged);
    EXPECT_EQ(OperationPageEventOf(IDC_OPERATION_MOUSE_SHIFT, kNoteClicked), kBindingChanged);
    EXPECT_EQ(OperationPageEventOf(IDC_OPERATION_KEY_ALT, kNoteClicked), kBindingChanged);
    EXPECT_EQ(OperationPageEventOf(IDC_OPERATION_HOTKEY_WIN, kNoteClicked), kPageSettingChanged);
    EXPECT_EQ(OperationPageEventOf(IDC_OPERATION_HOTKEY_KEY, kNoteSelectionChanged), kPageSettingChanged);
    EXPECT_EQ(OperationPageEventOf(IDC_OPERATION_HOTKEY_KEY, 7), kPageIgnores);  // dropped down
    EXPECT_EQ(OperationPageEventOf(IDC_OPERATION_DAYSCROLL_UNIT, kNoteTextChanged), kPageSettingChanged);
    EXPECT_EQ(OperationPageEventOf(IDC_OPERATION_DAYSCROLL_UNIT, 0x100), kPageIgnores);  // focus
    EXPECT_EQ(OperationPageEventOf(IDC_OPERATION_HOTKEY_MINIMIZE, kNoteClicked), kPageSettingChanged);
    EXPECT_EQ(OperationPageEventOf(IDC_DESIGN_CELL_WIDTH, kNoteTextChanged), kPageIgnores);
}
