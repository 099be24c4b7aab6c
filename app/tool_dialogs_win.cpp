#include "app/tool_dialogs_win.h"

#include "app/main_window_win.h"
#include "app/window_input_win.h"
#include "resources/resource.h"

bool OpenToolDialog(HWND hwnd, int command) {
    CommitQuickMemo(hwnd);
    switch (command) {
    default: return false;
    }
}
