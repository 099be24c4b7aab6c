#include "app/memo_dialogs_win.h"

#include "app/interaction.h"
#include "app/main_window_win.h"
#include "app/memo_commands.h"
#include "app/quick_memo.h"
#include "app/window_input_win.h"
#include "base/cell_ids.h"
#include "base/win/owner_notes.h"
#include "calendar/civil_date.h"
#include "calendar/today.h"
#include "config/app_state.h"
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
                                 s.cellRowExtend != 0, s.dlgplacementKeep, false};
        OpenDateMemoDialog(hwnd, &dialog);
        return true;
    }
    if (cell == kCellMemoBox) {
        FreeMemoDialog dialog = {s.dlgplacementKeep, false};
        OpenFreeMemoDialog(hwnd, &dialog);
        return true;
    }
    return IsCountdownCell(cell) && OpenCountdownInput(hwnd);
}

bool OpenCountdownInput(HWND hwnd) {
    CommitQuickMemo(hwnd);
    int cell = g_interaction.currentCell;
    CountdownDialog dialog = {-1, g_today.date.tm_year + 1900, g_today.date.tm_mon + 1, g_today.date.tm_mday, cell, false};
    if (IsCountdownCell(cell) && CellIndex(cell) < CountdownCount()) dialog.line = CellIndex(cell);
    else DateOfCell(cell, &dialog.year, &dialog.month, &dialog.day);
    OpenCountdownDialog(hwnd, &dialog);
    g_interaction.currentCell = dialog.currentCell;
    return dialog.changed;
}

void OnDialogNote(HWND hwnd, WPARAM note, LPARAM cell) {
    switch (note) {
    case kNoteRepaintCell: RepaintCell(hwnd, static_cast<int>(cell)); break;
    case kNoteRebuild: RebuildAndResize(hwnd); break;
    case kNoteSelect:
    case kNoteSelectBriefly:
        g_interaction.currentCell = static_cast<int>(cell);
        SelectCell(hwnd, static_cast<int>(cell), note == kNoteSelectBriefly);
        break;
    case kNotePreview: ShowSettingsInForce(hwnd); break;
    case kNoteSettingsKept: FollowKeptSettings(hwnd, cell != 0); break;
    case kNoteStored:
        if (g_app.settings.useTasktray) RefreshTrayTip();
        break;
    default: break;
    }
}
