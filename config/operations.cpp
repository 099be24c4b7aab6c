#include "config/operations.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/sjis.h"
#include "config/profile_access.h"
#include "resources/resource.h"

namespace {
// The built-in rows; g_operations starts as a copy and ResetOperations copies them back.
constexpr Operation kDefaultOperations[kOperationCount + 1] = {
    {"前月を表示", IDM_PREV_MONTH, kKeyPageUp, kMouseWheelForward, 3},
    {"次月を表示", IDM_NEXT_MONTH, kKeyPageDown, kMouseWheelBackward, 5},
    {"今月を表示", IDM_THIS_MONTH, kKeyHome, 0, 4},
    {"１年前を表示", IDM_PREV_YEAR, 0, kModCtrl | kMouseWheelForward, 0},
    {"１年後を表示", IDM_NEXT_YEAR, 0, kModCtrl | kMouseWheelBackward, 0},
    {"１行前スクロール", IDM_SCROLL_ROW_BACK, 0, 0, 0},
    {"１行後スクロール", IDM_SCROLL_ROW_FORWARD, 0, 0, 0},
    {"ｎ行前スクロール", IDM_SCROLL_UNIT_BACK, 0, kModShift | kMouseWheelForward, 0},
    {"ｎ行後スクロール", IDM_SCROLL_UNIT_FORWARD, 0, kModShift | kMouseWheelBackward, 0},
    {"カーソル上移動", IDM_CURSOR_UP, kKeyUp, 0, 0},
    {"カーソル下移動", IDM_CURSOR_DOWN, kKeyDown, 0, 0},
    // Named for where the cursor goes: one cell back is to the left, on the Left key. Stored
    // assignments name the rows by command, so the names may say so.
    {"カーソル左移動", IDM_CURSOR_PREV, kKeyLeft, 0, 0},
    {"カーソル右移動", IDM_CURSOR_NEXT, kKeyRight, 0, 0},
    {"メモ入力", IDM_MEMO_INPUT, kKeyReturn, kMouseLeftDouble, 0},
    {"メモ切り取り", IDM_MEMO_CUT, kModCtrl | 'X', 0, 0},
    {"メモコピー", IDM_MEMO_COPY, kModCtrl | 'C', 0, 0},
    {"メモ貼り付け", IDM_MEMO_PASTE, kModCtrl | 'V', 0, 0},
    {"メモ追加貼り付け", IDM_MEMO_APPEND_PASTE, kModCtrl | 'E', 0, 0},
    {"メモ消去", IDM_MEMO_DELETE, kKeyDelete, 0, 0},
    {"メモ編集を元に戻す", IDM_UNDO, kModCtrl | 'Z', 0, 0},
    {"メモ編集をやり直す", IDM_REDO, kModCtrl | 'Y', 0, 0},
    {"メモ検索", IDM_SEARCH, kModCtrl | 'F', 0, 0},
    {"当月のメモ消去", IDM_CLEAR_MONTH, kModCtrl | kKeyDelete, 0, 0},
    {"あと何日メモの入力", IDM_COUNTDOWN_INPUT, 0, kModCtrl | kMouseLeftDouble, 0},
    {"設定", IDM_SETTINGS, 0, 0, 1},
    {"休日/定例メモ設定", IDM_HOLIDAYS, 0, 0, 0},
    {"タグ文字設定", IDM_TAGS, 0, 0, 0},
    {"定型句設定", IDM_PHRASES, 0, 0, 0},
    {"定型句１貼り付け", IDM_PASTE_PHRASE_1, 0, 0, 0},
    {"定型句２貼り付け", IDM_PASTE_PHRASE_2, 0, 0, 0},
    {"定型句３貼り付け", IDM_PASTE_PHRASE_3, 0, 0, 0},
    {"システムメニュー", IDM_OPEN_WINDOW_MENU, 0, 0, 0},
    {"メモメニュー", IDM_OPEN_CELL_MENU, kKeyApps, 0, 0},
    {"カレンダーを隠す", IDM_HIDE, 0, 0, 6},
    {"カレンダーを終了", IDM_EXIT, 0, 0, 7},
    {"カレンダー形式切替", IDM_TOGGLE_CALENDAR_TYPE, 0, 0, 0},
    {"今日最上段表示切替", IDM_TOGGLE_TODAY_TOP, 0, 0, 0},
    {"メモ行数分表示切替", IDM_TOGGLE_ROW_EXTEND, 0, 0, 0},
    {"アラーム有無切替", IDM_TOGGLE_ALARM, 0, 0, 0},
    {"操作ボタン表示切替", IDM_TOGGLE_BUTTONS, 0, 0, 0},
    {"常に最前面表示切替", IDM_TOGGLE_TOPMOST, 0, 0, 2},
    {nullptr, 0, 0, 0, 0},
};

// The stored value of a KEYASSIGN / MOUSEASSIGN key; an absent or empty value keeps current.
void ReadAssignment(const char* section, const char* key, int* value) {
    char text[20];
    if (ReadProfileText(section, key, "", text, sizeof text) <= 0) return;
    // Anything but a whole decimal number (a hand-edited value) unbinds the row, and only it.
    char* end = nullptr;
    long number = std::strtol(text, &end, 10);
    *value = end && *end == 0 && number >= INT_MIN && number <= INT_MAX ? static_cast<int>(number) : 0;
}

// The name of a non-zero binding: the modifier prefixes and name, cut to 49 bytes on a whole
// character (formatted in more room first, so the cut never leaves half a character).
std::string NamedBinding(int value, const char* name) {
    char text[128];
    std::snprintf(text, sizeof text, "%s%s%s%s", (value & kModAlt) ? "Alt + " : "", (value & kModCtrl) ? "Ctrl + " : "",
                  (value & kModShift) ? "Shift + " : "", name ? name : "");
    SjisCut(text, 49);
    return text;
}

bool WriteAssignment(const char* section, const char* key, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return WriteProfileText(section, key, text).ok();
}
}  // namespace

Operation g_operations[kOperationCount + 1] = {};
namespace {
// Static initialisation of the live table from the defaults, before main.
struct InitOperations {
    InitOperations() { ResetOperations(); }
} g_initOperations;
}  // namespace

const unsigned short kAssignableKeys[kAssignableKeyCount] = {
    0x08, 0x09, 0x0D, 0x1B, 0x20,
    0x121, 0x122, 0x123, 0x124, 0x125, 0x126, 0x127, 0x128, 0x12D, 0x12E, 0x15D,
    0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39,
    0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x4B, 0x4C, 0x4D,
    0x4E, 0x4F, 0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A,
    0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6B,
    0x6D, 0x6E, 0x6F,
    0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B,
    0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xC0, 0xDB, 0xDC, 0xDD, 0xDE,
};

const char* const kMouseActionNames[7] = {
    "",
    "左ﾎﾞﾀﾝ ｸﾘｯｸ",
    "右ﾎﾞﾀﾝ ｸﾘｯｸ",
    "ﾎｲｰﾙ ｸﾘｯｸ",
    "左ﾎﾞﾀﾝ ﾀﾞﾌﾞﾙｸﾘｯｸ",
    "ﾎｲｰﾙ前回転",
    "ﾎｲｰﾙ後回転",
};

int AssignableKeyIndex(int virtualKey) {
    for (int i = 0; i < kAssignableKeyCount; ++i)
        if ((kAssignableKeys[i] & 0xFF) == (virtualKey & 0xFF)) return i;
    return -1;
}

void ResetOperations() { std::memcpy(g_operations, kDefaultOperations, sizeof g_operations); }

OperationBindings CurrentBindings() {
    OperationBindings b;
    for (int i = 0; i < kOperationCount; ++i) b.key[i] = g_operations[i].key, b.mouse[i] = g_operations[i].mouse;
    return b;
}

void SetBindings(const OperationBindings& b) {
    for (int i = 0; i < kOperationCount; ++i) g_operations[i].key = b.key[i], g_operations[i].mouse = b.mouse[i];
}

void ReadAssignments() {
    for (Operation* op = g_operations; op->name; ++op) {
        char key[16];
        std::snprintf(key, sizeof key, "%05d", op->command);
        ReadAssignment("KEYASSIGN", key, &op->key);
        ReadAssignment("MOUSEASSIGN", key, &op->mouse);
    }
}

bool WriteAssignments() {
    bool ok = true;
    for (const Operation* op = g_operations; op->name; ++op) {
        char key[16];
        std::snprintf(key, sizeof key, "%05d", op->command);
        ok &= WriteAssignment("KEYASSIGN", key, op->key);
        ok &= WriteAssignment("MOUSEASSIGN", key, op->mouse);
    }
    return ok;
}

int FindCommandByKey(int value) {
    for (const Operation* op = g_operations; op->name; ++op) {
        if (op->key != 0 && (op->key & ~0xFF00) == value) return op->command;
    }
    return 0;
}

int KeyOfCommand(int command) {
    for (const Operation* op = g_operations; op->name; ++op)
        if (op->command == command) return op->key;
    return 0;
}

const char* OperationName(int command) {
    for (const Operation* op = g_operations; op->name; ++op)
        if (op->command == command) return op->name;
    return "";
}

int FindCommandByMouse(int value) {
    for (const Operation* op = g_operations; op->name; ++op) {
        if (op->mouse != 0 && (op->mouse & ~0xFF00) == value) return op->command;
    }
    return 0;
}

std::string KeyBindingName(int value, const char* keyName) { return value ? NamedBinding(value, keyName) : "(なし)"; }

void MouseBindingName(int value, char* out, int outSize) {
    if (outSize <= 0) return;
    int action = value & 0xFF;
    const char* name = (action >= 1 && action <= 6) ? kMouseActionNames[action] : "";
    CopyField(out, static_cast<size_t>(outSize), value ? NamedBinding(value, name).c_str() : "(なし)");
}
