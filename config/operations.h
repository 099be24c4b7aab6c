// The operation table: every bindable operation with its key and mouse assignment.
#pragma once

struct Operation {
    const char* name;
    int command;
    int key;
    int keyEditing;
    int mouse;
    int mouseEditing;
    int button;  // 1..7 for the operations with a window button
};

constexpr int kOperationCount = 41;
extern Operation g_operations[kOperationCount + 1];  // ends with an empty row

constexpr int kAssignableKeyCount = 89;
extern const unsigned short kAssignableKeys[kAssignableKeyCount];

enum MouseAction {
    kMouseLeftClick = 1, kMouseRightClick, kMouseMiddleClick, kMouseLeftDouble, kMouseWheelForward,
    kMouseWheelBackward
};
extern const char* const kMouseActionNames[7];  // index by action code; 0 unused

constexpr int kModShift = 0x10000, kModCtrl = 0x20000, kModAlt = 0x40000;

void ResetOperations();  // the built-in defaults
void ReadAssignments();  // KEYASSIGN, MOUSEASSIGN of the configuration file
bool WriteAssignments();
int FindCommandByKey(int value);
// The key bound to the first row with this command, 0 for none.
int KeyOfCommand(int command);
int FindCommandByMouse(int value);

// "(なし)" for 0, else the modifier prefixes and the action name (at most outSize - 1 bytes).
void MouseBindingName(int value, char* out, int outSize);
