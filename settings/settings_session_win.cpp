#include "settings/settings_session_win.h"

#include <commctrl.h>

#include "base/win/dialog_kit.h"
#include "config/operations.h"
#include "render/place_font_win.h"
#include "resources/resource.h"
#include "settings/settings_form.h"
#include "view/view_layout.h"

namespace {
bool Checked(const SettingsSession& s, int id) {
    HWND c = SettingsControl(s, id);
    return c && SendMessageW(c, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string TextOf(const SettingsSession& s, int id) {
    HWND c = SettingsControl(s, id);
    return c ? ItemText(GetParent(c), id) : std::string();
}

int Chosen(const SettingsSession& s, int id) {
    HWND c = SettingsControl(s, id);
    int i = c ? static_cast<int>(SendMessageW(c, CB_GETCURSEL, 0, 0)) : 0;
    return i < 0 ? 0 : i;
}

// What every control of the three pages holds now.
SettingsForm ReadForm(const SettingsSession& s) {
    SettingsForm f;
    f.calendarType = Chosen(s, IDC_DISPLAY_CALENDAR_TYPE);
    f.buttonSize = Chosen(s, IDC_DISPLAY_BUTTON_SIZE);
    f.listTodayTop = Checked(s, IDC_DISPLAY_LIST_TODAY_TOP);
    f.cellRowExtend = Checked(s, IDC_DISPLAY_CELL_ROW_EXTEND);
    f.keepWinHeight = Checked(s, IDC_DISPLAY_KEEP_WIN_HEIGHT);
    f.useTasktray = Checked(s, IDC_DISPLAY_USE_TASKTRAY);
    f.beginWeek = Chosen(s, IDC_DISPLAY_BEGIN_WEEK);
    f.showMonth = Chosen(s, IDC_DISPLAY_SHOW_MONTH);
    f.dayscrollKeep = Checked(s, IDC_DISPLAY_DAYSCROLL_KEEP);
    f.keepDialogPos = Checked(s, IDC_DISPLAY_KEEP_DIALOG_POS);
    f.keepDialogSize = Checked(s, IDC_DISPLAY_KEEP_DIALOG_SIZE);
    f.alarm = Checked(s, IDC_DISPLAY_ALARM);
    f.alarmStartup = Checked(s, IDC_DISPLAY_ALARM_STARTUP);
    f.alarmCdown = Checked(s, IDC_DISPLAY_ALARM_CDOWN);
    f.alarmCdownPast = Checked(s, IDC_DISPLAY_ALARM_CDOWN_PAST);
    f.alarmPaintTime = Checked(s, IDC_DISPLAY_ALARM_PAINT_TIME);
    f.alarmMemoSort = Checked(s, IDC_DISPLAY_ALARM_MEMO_SORT);
    f.alarmStartupTime = TextOf(s, IDC_DISPLAY_ALARM_STARTUP_TIME);
    f.alarmCdownDay = TextOf(s, IDC_DISPLAY_ALARM_CDOWN_DAY);
    f.alarmTime = TextOf(s, IDC_DISPLAY_ALARM_TIME);
    f.alarmByMessage = Checked(s, IDC_DISPLAY_ALARM_BY_MESSAGE);
    f.alarmShowAll = Checked(s, IDC_DISPLAY_ALARM_SHOW_ALL);

    f.cellWidth = TextOf(s, IDC_DESIGN_CELL_WIDTH);
    f.cellWidthRatio = TextOf(s, IDC_DESIGN_CELL_WIDTH_RATIO);
    f.cellLine = TextOf(s, IDC_DESIGN_CELL_LINE);
    f.headForm = TextOf(s, IDC_DESIGN_HEAD_FORM);
    f.listWidth = TextOf(s, IDC_DESIGN_LIST_WIDTH);
    f.listHeadForm = TextOf(s, IDC_DESIGN_LIST_HEAD_FORM);
    f.titleForm = TextOf(s, IDC_DESIGN_TITLE_FORM);
    f.memoRow = TextOf(s, IDC_DESIGN_MEMO_ROW);

    f.hotkeyModifiers = (Checked(s, IDC_OPERATION_HOTKEY_ALT) ? 4 : 0) + (Checked(s, IDC_OPERATION_HOTKEY_CTRL) ? 2 : 0) +
                        (Checked(s, IDC_OPERATION_HOTKEY_SHIFT) ? 1 : 0) + (Checked(s, IDC_OPERATION_HOTKEY_WIN) ? 8 : 0);
    int key = Chosen(s, IDC_OPERATION_HOTKEY_KEY);  // 0 is "(なし)", then the key table
    f.hotkeyKey = key > 0 && key <= kAssignableKeyCount ? kAssignableKeys[key - 1] : 0;
    HotkeyToggle toggle = Checked(s, IDC_OPERATION_HOTKEY_MINIMIZE)    ? HotkeyToggle::kMinimise
                          : Checked(s, IDC_OPERATION_HOTKEY_TO_BOTTOM) ? HotkeyToggle::kToBottom
                                                                       : HotkeyToggle::kNothing;
    f.hotkeyToggle = static_cast<int>(toggle);
    f.keyassignEnable = Checked(s, IDC_OPERATION_KEYASSIGN_ENABLE);
    f.quickmemoEnable = Checked(s, IDC_OPERATION_QUICKMEMO_ENABLE);
    f.dayscrollUnit = TextOf(s, IDC_OPERATION_DAYSCROLL_UNIT);
    return f;
}
}  // namespace

HWND SettingsControl(const SettingsSession& s, int id) {
    for (HWND page : s.pages)
        if (HWND c = page ? GetDlgItem(page, id) : nullptr) return c;
    return nullptr;
}

void ShowSettingsPage(SettingsSession* s, int index) {
    SendDlgItemMessageW(s->frame, IDC_SETTINGS_TABS, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    for (int i = 0; i < kSettingsPageCount; ++i) ShowWindow(s->pages[i], i == index ? SW_SHOW : SW_HIDE);
}

void NoteSettingsChanged(HWND page) {
    SettingsSession* s = SessionOf(page);
    if (!s || !s->frame || s->filling) return;
    SendMessageW(s->frame, WM_SETTINGS_CHANGED, 0, 0);
    if (Checked(*s, IDC_DESIGN_LIVE_TEST)) PostMessageW(s->frame, WM_COMMAND, IDC_SETTINGS_TEST, 0);
}

void MakeWorkFonts(SettingsSession* s) {
    WindowDC screen(nullptr);
    for (int i = 0; i < kFontPlaceCount; ++i)
        s->fonts[i] = OwnedFont(CreatePlaceFont(screen.get(), s->work.design.fonts[i].logFont));
}

bool CollectSettings(SettingsSession* s) {
    HWND frame = s->frame;
    SetItemText(frame, IDC_SETTINGS_STATUS, "");
    // The widths are 96-dpi values; the desktop is measured in the window's pixels.
    int screenWidth = ScaleTo96(DesktopSize().cx, s->kept.layout.dpi);
    // "表示しない" keeps the size of the kept settings: after a test the calendar shows the copy.
    CollectResult r = CollectSettingsForm(ReadForm(*s), screenWidth, s->kept.settings.btnSize, &s->work);
    if (r.ok()) return true;
    SetItemText(frame, IDC_SETTINGS_STATUS, r.message);
    if (HWND bad = SettingsControl(*s, r.badControl)) {
        // The field may be on a page behind another: it is shown, so the user sees what to mend.
        for (int i = 0; i < kSettingsPageCount; ++i)
            if (GetParent(bad) == s->pages[i] && !IsWindowVisible(s->pages[i])) ShowSettingsPage(s, i);
        SetFocus(bad);
        // While every change is tested at once the user is still typing there: keep the caret.
        if (!Checked(*s, IDC_DESIGN_LIVE_TEST)) SendMessageW(bad, EM_SETSEL, 0, -1);
    }
    return false;
}
