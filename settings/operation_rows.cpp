#include "settings/operation_rows.h"

#include "resources/resource.h"

namespace {
constexpr char kNone[] = "(なし)";
constexpr int kMouseActionCount = 6;
}  // namespace

std::string OperationRowText(const char* name, int key, int mouse, const char* keyName) {
    char mouseName[50];
    MouseBindingName(mouse, mouseName, sizeof mouseName);
    return std::string(name) + "\t" + KeyBindingName(key, keyName) + "\t" + mouseName;
}

std::vector<std::string> MouseListEntries() {
    std::vector<std::string> entries{kNone};
    for (int action = 1; action <= kMouseActionCount; ++action) entries.push_back(kMouseActionNames[action]);
    return entries;
}

int KeyListIndexOf(int binding) { return binding ? AssignableKeyIndex(binding) + 1 : 0; }

int MouseListIndexOf(int binding) {
    int action = binding & 0xFF;
    return action >= 1 && action <= kMouseActionCount ? action : 0;
}

int KeyBindingFromList(int index, int modifiers) {
    return index >= 1 && index <= kAssignableKeyCount ? kAssignableKeys[index - 1] | modifiers : 0;
}

int MouseBindingFromList(int index, int modifiers) {
    return index >= 1 && index <= kMouseActionCount ? index | modifiers : 0;
}

int BindingModifiers(bool alt, bool ctrl, bool shift) {
    return (alt ? kModAlt : 0) | (ctrl ? kModCtrl : 0) | (shift ? kModShift : 0);
}

OperationPageEvent OperationPageEventOf(int id, int code) {
    switch (id) {
    case IDC_OPERATION_LIST: return code == kNoteSelectionChanged ? kRowChosen : kPageIgnores;
    case IDC_OPERATION_KEY:
    case IDC_OPERATION_MOUSE: return code == kNoteSelectionChanged ? kBindingChanged : kPageIgnores;
    case IDC_OPERATION_KEY_ALT:
    case IDC_OPERATION_KEY_CTRL:
    case IDC_OPERATION_KEY_SHIFT:
    case IDC_OPERATION_MOUSE_ALT:
    case IDC_OPERATION_MOUSE_CTRL:
    case IDC_OPERATION_MOUSE_SHIFT: return code == kNoteClicked ? kBindingChanged : kPageIgnores;
    case IDC_OPERATION_HOTKEY_KEY: return code == kNoteSelectionChanged ? kPageSettingChanged : kPageIgnores;
    case IDC_OPERATION_HOTKEY_ALT:
    case IDC_OPERATION_HOTKEY_CTRL:
    case IDC_OPERATION_HOTKEY_SHIFT:
    case IDC_OPERATION_HOTKEY_WIN:
    case IDC_OPERATION_HOTKEY_DO_NOTHING:
    case IDC_OPERATION_HOTKEY_MINIMIZE:
    case IDC_OPERATION_HOTKEY_TO_BOTTOM:
    case IDC_OPERATION_KEYASSIGN_ENABLE:
    case IDC_OPERATION_QUICKMEMO_ENABLE: return code == kNoteClicked ? kPageSettingChanged : kPageIgnores;
    case IDC_OPERATION_DAYSCROLL_UNIT:
    case IDC_OPERATION_BUTTON_ORDER: return code == kNoteTextChanged ? kPageSettingChanged : kPageIgnores;
    default: return kPageIgnores;
    }
}
