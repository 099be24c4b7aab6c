#include "app/tool_dialogs_win.h"

#include "app/main_window_win.h"
#include "app/shell_state_win.h"
#include "app/window_input_win.h"
#include "calendar/holiday_dialog_win.h"
#include "config/app_state.h"
#include "config/file_names.h"
#include "config/tag_dialog_win.h"
#include "config/tags.h"
#include "memo/phrase_dialog_win.h"
#include "memo/search_dialog_win.h"
#include "resources/resource.h"
#include "settings/settings_dialog_win.h"

namespace {
bool Search(HWND hwnd) {
    SearchDialog search = {hwnd, g_files.memoPath, &g_tags};
    OpenSearchDialog(hwnd, &search);
    return false;  // a search changes nothing the calendar shows
}

// The hot key is off while the settings are edited, so that trying one out does not fire it.
bool EditSettings(HWND hwnd) {
    SendMessageW(hwnd, WM_SET_HOTKEY, 0, 0);
    SettingsDialog dialog = {g_shell.shellVersion, g_app, CurrentBindings(), false};
    OpenSettingsDialog(hwnd, &dialog);
    SendMessageW(hwnd, WM_SET_HOTKEY, g_app.settings.hotkey & 0xFFFF, 0);
    return false;  // the dialog has had the calendar shown and rebuilt as it went
}
}  // namespace

bool OpenToolDialog(HWND hwnd, int command) {
    CommitQuickMemo(hwnd);
    switch (command) {
    case IDM_SEARCH: return Search(hwnd);
    case IDM_SETTINGS: return EditSettings(hwnd);
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
