#include "app/tool_dialogs_win.h"

#include "app/main_window_win.h"
#include "app/window_input_win.h"
#include "calendar/holiday_dialog_win.h"
#include "config/app_state.h"
#include "config/file_names.h"
#include "config/tag_dialog_win.h"
#include "memo/phrase_dialog_win.h"
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
    case IDM_PHRASES: {
        PhraseDialog dialog = {};
        OpenPhraseDialog(hwnd, &dialog);
        return false;  // phrases are read when they are pasted
    }
    case IDM_TAGS: {
        TagDialog dialog = {g_app.design.custColors, false};
        OpenTagDialog(hwnd, &dialog);
        return dialog.changed;
    }
    case IDM_HOLIDAYS: {
        HolidayDialog dialog = {g_files.holidayPath, false};
        OpenHolidayDialog(hwnd, &dialog);
        return true;  // saved or read back from the file: the calendar follows either way
    }
    default: return false;
    }
}
