#include "app/tool_dialogs_win.h"

#include "app/main_window_win.h"
#include "app/window_input_win.h"
#include "memo/search_dialog_win.h"
#include "resources/resource.h"

namespace {
bool Search(HWND hwnd) {
    SearchDialog search = {hwnd};
    OpenSearchDialog(hwnd, &search);
    return false;  // a search changes nothing the calendar shows
}
}  // namespace

bool OpenToolDialog(HWND hwnd, int command) {
    CommitQuickMemo(hwnd);
    switch (command) {
    case IDM_SEARCH: return Search(hwnd);
    default: return false;
    }
}
