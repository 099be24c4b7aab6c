// The operation table: every bindable operation with its key and mouse assignment.
#pragma once
#include <string>

// Virtual-key codes the default bindings use: the platform's values, named for portable code.
enum KeyCode : int {
    kKeyReturn = 0x0D, kKeyPageUp = 0x21, kKeyPageDown = 0x22, kKeyHome = 0x24, kKeyLeft = 0x25, kKeyUp = 0x26,
    kKeyRight = 0x27, kKeyDown = 0x28, kKeyDelete = 0x2E, kKeyApps = 0x5D
};

struct Operation {
    const char* name;
    int command;
    int key;
    int mouse;
    int button;  // 1..7 for the operations with a window button
};

constexpr int kOperationCount = 41;
extern Operation g_operations[kOperationCount + 1];  // ends with an empty row

constexpr int kAssignableKeyCount = 89;
extern const unsigned short kAssignableKeys[kAssignableKeyCount];
// The key table entry of a virtual-key code (its low byte), -1 when it is not in the table.
int AssignableKeyIndex(int virtualKey);

enum MouseAction {
    kMouseLeftClick = 1, kMouseRightClick, kMouseMiddleClick, kMouseLeftDouble, kMouseWheelForward,
    kMouseWheelBackward
};
extern const char* const kMouseActionNames[7];  // index by action code; 0 unused

constexpr int kModShift = 0x10000, kModCtrl = 0x20000, kModAlt = 0x40000;

void ResetOperations();  // the built-in defaults

// The key and mouse binding of every row, apart from the table: what the settings dialog edits
// and hands back to be kept.
struct OperationBindings {
    int key[kOperationCount];
    int mouse[kOperationCount];
};
OperationBindings CurrentBindings();
void SetBindings(const OperationBindings& bindings);

void ReadAssignments();  // KEYASSIGN, MOUSEASSIGN of the configuration file
bool WriteAssignments();
int FindCommandByKey(int value);
// The key bound to the first row with this command, 0 for none.
int KeyOfCommand(int command);
// The name of the first row with this command ("" for none): what the title buttons' tips say.
const char* OperationName(int command);
int FindCommandByMouse(int value);

// A binding's name: "(なし)" for 0, else "Alt + ", "Ctrl + ", "Shift + " for the modifiers that
// are set, then the key's name as the system gives it (at most 49 bytes) or the action's name
// (at most outSize - 1 bytes).
std::string KeyBindingName(int value, const char* keyName);
void MouseBindingName(int value, char* out, int outSize);
