#include "app/memo_dialogs_win.h"

#include "app/interaction.h"
#include "app/main_window_win.h"
#include "app/memo_commands.h"
#include "app/quick_memo.h"
#include "app/settings_keeping.h"
#include "app/window_input_win.h"
#include "base/cell_ids.h"
#include "base/win/owner_notes.h"
#include "calendar/civil_date.h"
#include "calendar/today.h"
#include "config/app_state.h"
#include "config/file_names.h"
#include "memo/alarm_time.h"
#include "memo/countdown.h"
#include "memo/countdown_dialog_win.h"
#include "memo/date_memo_dialog_win.h"
#include "memo/free_memo_dialog_win.h"
#include "view/view_layout.h"

bool OpenMemoInput(HWND hwnd) {
    CommitQuickMemo(hwnd);
    const Settings& s = g_app.settings;
    int cell = g_interaction.currentCell;
    int y, m, d;
    if (DateOfCell(cell, &y, &m, &d)) {
        DateMemoDialog dialog = {y, m, d, LocalDayNumber(g_view.firstDay), static_cast<int>(g_view.cells.size()),
                                 s.cellRowExtend != 0, s.dlgplacementKeep, SortsMemosByTime(s), g_files.memoPath,
                                 g_app.design.custColors, false};
        OpenDateMemoDialog(hwnd, &dialog);
        return true;
    }
    if (cell == kCellMemoBox) {
        FreeMemoDialog dialog = {s.dlgplacementKeep, g_app.design.memoRow, g_app.design.custColors, false};
        OpenFreeMemoDialog(hwnd, &dialog);
        return true;
    }
    return IsCountdownCell(cell) && OpenCountdownInput(hwnd);
}

bool OpenCountdownInput(HWND hwnd) {
    CommitQuickMemo(hwnd);
    int cell = g_interaction.currentCell;
    CountdownDialog dialog = {-1, g_today.date.tm_year + 1900, g_today.date.tm_mon + 1, g_today.date.tm_mday,
                              g_today.dayNumber, cell, false};
    if (IsCountdownCell(cell) && CellIndex(cell) < CountdownCount()) dialog.line = CellIndex(cell);
    else DateOfCell(cell, &dialog.year, &dialog.month, &dialog.day);
    OpenCountdownDialog(hwnd, &dialog);
    g_interaction.currentCell = dialog.currentCell;
    return dialog.changed;
}

namespace {
// 適用 or OK of the settings dialog: what it edited is kept and written, and the window follows.
void KeepSettings(HWND hwnd, SettingsToKeep* keep) {
    KeepEditedSettings(keep, g_files.programDir, '\\');
    FollowKeptSettings(hwnd, keep->trayBefore);
}

// The month of a day (a search hit) shown from its start, the day current and highlighted.
void ShowDay(HWND hwnd, int value) {
    int year = value / 10000, month = value / 100 % 100, day = value % 100;
    ResetNavigation(&g_nav);
    g_nav.monthOffset = 12 * (year - (g_today.date.tm_year + 1900)) + month - 1 - g_today.date.tm_mon;
    RebuildAndResize(hwnd);
    int index = DayNumberOf(year, month, day) - LocalDayNumber(g_view.firstDay);
    if (index < 0 || index >= static_cast<int>(g_view.cells.size()) || index > kMaxCellIndex) return;
    g_interaction.currentCell = kCellDayBase + index;
    SelectCell(hwnd, g_interaction.currentCell, true);
}
}  // namespace

void OnDialogNote(HWND hwnd, WPARAM note, LPARAM cell) {
    switch (note) {
    case kNoteRepaintCell: RepaintCell(hwnd, static_cast<int>(cell)); break;
    case kNoteRebuild: RebuildAndResize(hwnd); break;
    case kNoteSelect:
    case kNoteSelectBriefly:
        g_interaction.currentCell = static_cast<int>(cell);
        SelectCell(hwnd, static_cast<int>(cell), note == kNoteSelectBriefly);
        break;
    case kNotePreview: ShowSettingsInForce(hwnd, *reinterpret_cast<const AppState*>(cell)); break;
    case kNoteSettingsKept: KeepSettings(hwnd, reinterpret_cast<SettingsToKeep*>(cell)); break;
    case kNoteShowDay: ShowDay(hwnd, static_cast<int>(cell)); break;
    case kNoteStored:
        if (g_app.settings.useTasktray) RefreshTrayTip();
        break;
    default: break;
    }
}
