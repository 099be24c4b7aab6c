#include "config/operations.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "app/cursor_ring.h"
#include "base/cell_ids.h"
#include "config/app_state.h"
#include "resources/resource.h"
#include "tests/config/config_test_files.h"

namespace {
struct Row {
    const char* name;
    int command, key, mouse, button;
};
// The built-in table as the user knows it from the settings page.
const Row kExpected[kOperationCount] = {
    {"前月を表示", 40013, 33, 5, 3},
    {"次月を表示", 40014, 34, 6, 5},
    {"今月を表示", 40030, 36, 0, 4},
    {"１年前を表示", 40057, 0, 131077, 0},
    {"１年後を表示", 40058, 0, 131078, 0},
    {"１行前スクロール", 40068, 0, 0, 0},
    {"１行後スクロール", 40069, 0, 0, 0},
    {"ｎ行前スクロール", 40070, 0, 65541, 0},
    {"ｎ行後スクロール", 40071, 0, 65542, 0},
    {"カーソル上移動", 104, 38, 0, 0},
    {"カーソル下移動", 105, 40, 0, 0},
    {"カーソル左移動", 106, 37, 0, 0},
    {"カーソル右移動", 107, 39, 0, 0},
    {"メモ入力", 40025, 13, 4, 0},
    {"メモ切り取り", 40026, 131160, 0, 0},
    {"メモコピー", 40027, 131139, 0, 0},
    {"メモ貼り付け", 40028, 131158, 0, 0},
    {"メモ追加貼り付け", 40029, 131141, 0, 0},
    {"メモ消去", 40053, 46, 0, 0},
    {"メモ編集を元に戻す", 40063, 131162, 0, 0},
    {"メモ編集をやり直す", 40064, 131161, 0, 0},
    {"メモ検索", 40065, 131142, 0, 0},
    {"当月のメモ消去", 40019, 131118, 0, 0},
    {"あと何日メモの入力", 40066, 0, 131076, 0},
    {"設定", 40016, 0, 0, 1},
    {"休日/定例メモ設定", 40054, 0, 0, 0},
    {"タグ文字設定", 40024, 0, 0, 0},
    {"定型句設定", 40051, 0, 0, 0},
    {"定型句１貼り付け", 40031, 0, 0, 0},
    {"定型句２貼り付け", 40032, 0, 0, 0},
    {"定型句３貼り付け", 40033, 0, 0, 0},
    {"システムメニュー", 40055, 0, 0, 0},
    {"メモメニュー", 40056, 93, 0, 0},
    {"カレンダーを隠す", 40003, 0, 0, 6},
    {"カレンダーを終了", 40001, 0, 0, 7},
    {"カレンダー形式切替", 40059, 0, 0, 0},
    {"今日最上段表示切替", 40060, 0, 0, 0},
    {"メモ行数分表示切替", 40061, 0, 0, 0},
    {"アラーム有無切替", 40062, 0, 0, 0},
    {"操作ボタン表示切替", 40004, 0, 0, 0},
    {"常に最前面表示切替", 40005, 0, 0, 2},
};

class Operations : public ::testing::Test {
protected:
    void SetUp() override { ResetOperations(); }
    void TearDown() override { ResetOperations(); }
};

std::string MouseName(int value, int size = 50) {
    char out[64];
    MouseBindingName(value, out, size);
    return out;
}
}  // namespace

TEST_F(Operations, TableHoldsTheFortyOneRowsWithTheirDefaults) {
    for (int i = 0; i < kOperationCount; ++i) {
        const Operation& op = g_operations[i];
        ASSERT_NE(op.name, nullptr) << i;
        EXPECT_STREQ(op.name, kExpected[i].name) << i;
        EXPECT_EQ(op.command, kExpected[i].command) << i;
        EXPECT_EQ(op.key, kExpected[i].key) << i;
        EXPECT_EQ(op.mouse, kExpected[i].mouse) << i;
        EXPECT_EQ(op.button, kExpected[i].button) << i;
    }
    EXPECT_EQ(g_operations[kOperationCount].name, nullptr);
    EXPECT_EQ(g_operations[kOperationCount].command, 0);
}

// The settings page lists the rows by name: a row says where it moves the cursor in the table.
TEST_F(Operations, CursorRowsAreNamedForTheWayTheyMove) {
    CursorRing table = {false, 35, 0, 0, 3};
    for (const Operation* op = g_operations; op->name; ++op) {
        if (op->command != IDM_CURSOR_PREV && op->command != IDM_CURSOR_NEXT) continue;
        int step = MoveCursor(kCellDayBase + 10, op->command, table) - (kCellDayBase + 10);
        EXPECT_STREQ(op->name, step < 0 ? "カーソル左移動" : "カーソル右移動") << op->command;
        EXPECT_EQ(op->key, step < 0 ? 37 : 39) << op->command;  // on the arrow key of that side
    }
}

TEST_F(Operations, ResetRestoresEveryRow) {
    for (int i = 0; i < kOperationCount; ++i) {
        g_operations[i].key = 1234;
        g_operations[i].mouse = 77;
    }
    ResetOperations();
    for (int i = 0; i < kOperationCount; ++i) {
        EXPECT_EQ(g_operations[i].key, kExpected[i].key);
        EXPECT_EQ(g_operations[i].mouse, kExpected[i].mouse);
    }
}

TEST(AssignableKeys, AreTheEightyNineKeysInOrder) {
    const unsigned short head[] = {0x08, 0x09, 0x0D, 0x1B, 0x20, 0x121, 0x122, 0x123,
                                   0x124, 0x125, 0x126, 0x127, 0x128, 0x12D, 0x12E, 0x15D};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(kAssignableKeys[i], head[i]) << i;
    for (int i = 0; i < 10; ++i) EXPECT_EQ(kAssignableKeys[16 + i], 0x30 + i);
    for (int i = 0; i < 26; ++i) EXPECT_EQ(kAssignableKeys[26 + i], 0x41 + i);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(kAssignableKeys[52 + i], 0x60 + i);
    EXPECT_EQ(kAssignableKeys[64], 0x6D);  // the keypad separator 0x6C is not offered
    EXPECT_EQ(kAssignableKeys[66], 0x6F);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(kAssignableKeys[67 + i], 0x70 + i);
    const unsigned short tail[] = {0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xC0, 0xDB, 0xDC, 0xDD, 0xDE};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(kAssignableKeys[79 + i], tail[i]) << i;
    std::set<unsigned short> distinct(kAssignableKeys, kAssignableKeys + kAssignableKeyCount);
    EXPECT_EQ(distinct.size(), 89u);
}

TEST_F(Operations, FindCommandIgnoresKeyFlagsAndTakesTheUpperRow) {
    EXPECT_EQ(FindCommandByKey(33), 40013);
    EXPECT_EQ(FindCommandByKey(kModCtrl | 'X'), 40026);
    EXPECT_EQ(FindCommandByKey('X'), 0);  // without Ctrl nothing is bound
    EXPECT_EQ(FindCommandByKey(106), 0);
    EXPECT_EQ(FindCommandByKey(37), 106);  // Left moves back
    g_operations[0].key = 289;  // PageUp with the extended flag, as the settings page stores it
    EXPECT_EQ(FindCommandByKey(33), 40013);
    g_operations[0].key = kModShift | 0x170;  // Shift + F1 stored with its flag byte
    EXPECT_EQ(FindCommandByKey(kModShift | 0x70), 40013);
    EXPECT_EQ(FindCommandByKey(0x70), 0);
    g_operations[40].key = 36;  // Home on two rows: the upper one wins
    EXPECT_EQ(FindCommandByKey(36), 40030);
    g_operations[2].key = 0;
    EXPECT_EQ(FindCommandByKey(36), 40005);
}

TEST_F(Operations, FindCommandByMouse) {
    EXPECT_EQ(FindCommandByMouse(kMouseWheelForward), 40013);
    EXPECT_EQ(FindCommandByMouse(kMouseWheelBackward), 40014);
    EXPECT_EQ(FindCommandByMouse(kModCtrl | kMouseWheelForward), 40057);
    EXPECT_EQ(FindCommandByMouse(kModShift | kMouseWheelBackward), 40071);
    EXPECT_EQ(FindCommandByMouse(kMouseLeftDouble), 40025);
    EXPECT_EQ(FindCommandByMouse(kModCtrl | kMouseLeftDouble), 40066);
    EXPECT_EQ(FindCommandByMouse(kMouseRightClick), 0);
    EXPECT_EQ(FindCommandByMouse(kModAlt | kMouseWheelForward), 0);
    g_operations[13].mouse = kMouseRightClick;
    EXPECT_EQ(FindCommandByMouse(kMouseRightClick), 40025);
}

TEST_F(Operations, AssignmentsGoThroughTheirSections) {
    TempFolder dir;
    std::string path = dir.File("tessel.ini");
    UseConfig(path);
    WriteIni(path, {"[KEYASSIGN]", "40013=", "40014=0", "00104=289", "40001=131153", "[MOUSEASSIGN]", "40025=2"});
    ReadAssignments();
    EXPECT_EQ(g_operations[0].key, 33);
    EXPECT_EQ(g_operations[1].key, 0);
    EXPECT_EQ(g_operations[9].key, 289);
    EXPECT_EQ(g_operations[34].key, kModCtrl | 'Q');
    EXPECT_EQ(g_operations[13].mouse, kMouseRightClick);
    EXPECT_EQ(g_operations[0].mouse, kMouseWheelForward);
    EXPECT_EQ(FindCommandByKey(kModCtrl | 'Q'), 40001);

    WriteAssignments();
    for (int i = 0; i < kOperationCount; ++i) {
        char key[8];
        std::snprintf(key, sizeof key, "%05d", g_operations[i].command);
        EXPECT_EQ(StoredValue(path, "KEYASSIGN", key), std::to_string(g_operations[i].key)) << key;
        EXPECT_EQ(StoredValue(path, "MOUSEASSIGN", key), std::to_string(g_operations[i].mouse)) << key;
    }
    EXPECT_EQ(StoredValue(path, "KEYASSIGN", "00104"), "289");
    EXPECT_EQ(StoredValue(path, "KEYASSIGN", "40068"), "0");
    EXPECT_EQ(StoredValue(path, "KEYASSIGN", "104"), "<missing>");
}

TEST(MouseBindingName, NamesModifiersThenTheAction) {
    EXPECT_EQ(MouseName(0), "(なし)");
    EXPECT_EQ(MouseName(131077), "Ctrl + ﾎｲｰﾙ前回転");
    EXPECT_EQ(MouseName(kModAlt | kModCtrl | kModShift | kMouseLeftClick), "Alt + Ctrl + Shift + 左ﾎﾞﾀﾝ ｸﾘｯｸ");
    EXPECT_EQ(MouseName(kMouseLeftDouble), "左ﾎﾞﾀﾝ ﾀﾞﾌﾞﾙｸﾘｯｸ");
    EXPECT_EQ(MouseName(kModShift | kMouseWheelBackward), "Shift + ﾎｲｰﾙ後回転");
    EXPECT_EQ(MouseName(kModCtrl | kMouseWheelForward, 8), "Ctrl + ");  // cut to the buffer
}

TEST(KeyBindingName, NamesModifiersThenTheSystemsKeyName) {
    EXPECT_EQ(KeyBindingName(kModCtrl | 'X', "X"), "Ctrl + X");
    EXPECT_EQ(KeyBindingName(0, "X"), "(なし)");
    // A long name is cut to 49 bytes on a whole character.
    std::string longName(42, 'A');
    longName[35] = '\x95', longName[36] = '\x5c';  // 表
    EXPECT_EQ(KeyBindingName(kModCtrl | kModAlt | 'A', longName.c_str()), "Alt + Ctrl + " + longName.substr(0, 35));
}

TEST_F(Operations, EditedBindingsAreInForceOnlyWhenKept) {
    OperationBindings edited = CurrentBindings();
    EXPECT_EQ(edited.key[0], 33);
    edited.key[0] = kModCtrl | 'X';
    edited.mouse[0] = 0;
    EXPECT_EQ(FindCommandByMouse(kMouseWheelForward), 40013);
    SetBindings(edited);
    EXPECT_EQ(g_operations[0].key, kModCtrl | 'X');
    EXPECT_EQ(FindCommandByMouse(kMouseWheelForward), 0);
    EXPECT_EQ(g_operations[1].key, 34);  // rows not edited keep theirs
}
