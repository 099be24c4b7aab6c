// The settings page "表示・アラーム": the form of the calendar, its buttons and rows, the tray
// icon, and when and how alarms are shown.
#include <string>
#include <vector>

#include "base/win/dialog_kit.h"
#include "resources/resource.h"
#include "settings/settings_form.h"
#include "settings/settings_session_win.h"

namespace {
void Check(HWND page, int id, bool on) { CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED); }
bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }
void Enable(HWND page, int id, bool on) { EnableWindow(GetDlgItem(page, id), on); }

bool BalloonsPossible(HWND page, const SettingsSession& s) {
    return s.shellVersion >= 5 && Checked(page, IDC_DISPLAY_USE_TASKTRAY);
}

// Which alarm controls can be used, from the boxes as they are now: the start-up alarm (S) and
// the time alarm (A) decide.
void EnableAlarmControls(HWND page, const SettingsSession& s) {
    bool a = Checked(page, IDC_DISPLAY_ALARM);
    bool startup = Checked(page, IDC_DISPLAY_ALARM_STARTUP) || !ItemText(page, IDC_DISPLAY_ALARM_STARTUP_TIME).empty();
    Enable(page, IDC_DISPLAY_ALARM_TIME, a);
    Enable(page, IDC_DISPLAY_ALARM_BY_MESSAGE, a || startup);
    bool balloons = (a || startup) && BalloonsPossible(page, s);
    Enable(page, IDC_DISPLAY_ALARM_BY_BALLOON, balloons);
    if (!balloons && (a || startup)) {
        Check(page, IDC_DISPLAY_ALARM_BY_MESSAGE, true);
        Check(page, IDC_DISPLAY_ALARM_BY_BALLOON, false);
    }
    for (int id : {IDC_DISPLAY_ALARM_SHOW_ALL, IDC_DISPLAY_ALARM_SHOW_TIMED, IDC_DISPLAY_ALARM_PAINT_TIME,
                   IDC_DISPLAY_ALARM_MEMO_SORT})
        Enable(page, id, a);
    Enable(page, IDC_DISPLAY_ALARM_CDOWN, startup);
    bool cdown = startup && Checked(page, IDC_DISPLAY_ALARM_CDOWN);
    Enable(page, IDC_DISPLAY_ALARM_CDOWN_DAY, cdown);
    Enable(page, IDC_DISPLAY_ALARM_CDOWN_PAST, cdown);
}

// The tray box decides whether a balloon can be chosen at all.
void OnTrayClick(HWND page, const SettingsSession& s) {
    bool startup = Checked(page, IDC_DISPLAY_ALARM_STARTUP) || !ItemText(page, IDC_DISPLAY_ALARM_STARTUP_TIME).empty();
    if (!(Checked(page, IDC_DISPLAY_ALARM) || startup) || s.shellVersion < 5) return;
    bool on = Checked(page, IDC_DISPLAY_USE_TASKTRAY);
    if (!on && Checked(page, IDC_DISPLAY_ALARM_BY_BALLOON)) {
        Check(page, IDC_DISPLAY_ALARM_BY_BALLOON, false);
        Check(page, IDC_DISPLAY_ALARM_BY_MESSAGE, true);
    }
    Enable(page, IDC_DISPLAY_ALARM_BY_BALLOON, on);
}

void OnCommand(HWND page, SettingsSession* s, int id, int code) {
    switch (id) {
    case IDC_DISPLAY_ALARM:
    case IDC_DISPLAY_ALARM_STARTUP:
    case IDC_DISPLAY_ALARM_CDOWN: EnableAlarmControls(page, *s); break;
    case IDC_DISPLAY_ALARM_STARTUP_TIME:
        if (code == EN_CHANGE) EnableAlarmControls(page, *s);
        break;
    case IDC_DISPLAY_USE_TASKTRAY: OnTrayClick(page, *s); break;
    default: break;
    }
    if (code == BN_CLICKED || code == CBN_SELCHANGE || code == EN_CHANGE) NoteSettingsChanged(page);
}

std::vector<std::string> Entries(std::initializer_list<const char*> texts) { return {texts.begin(), texts.end()}; }

INT_PTR OnMessage(HWND page, SettingsSession* s, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND: OnCommand(page, s, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    default: return FALSE;
    }
}
}  // namespace

void FillDisplayPage(HWND page, SettingsSession* s) {
    FillingScope filling(s->filling);
    SettingsForm f = FormOfSettings(s->work);
    FillList(page, IDC_DISPLAY_CALENDAR_TYPE, Entries({"テーブル", "リスト"}), f.calendarType);
    FillList(page, IDC_DISPLAY_BUTTON_SIZE, Entries({"小", "大", "表示しない"}), f.buttonSize);
    FillList(page, IDC_DISPLAY_BEGIN_WEEK, Entries({"日", "月", "火", "水", "木", "金", "土"}), f.beginWeek);
    FillList(page, IDC_DISPLAY_SHOW_MONTH, Entries({"しない", "月初のみ表示", "月初と今日のみ表示", "すべての日付で表示"}),
             f.showMonth);
    Check(page, IDC_DISPLAY_LIST_TODAY_TOP, f.listTodayTop);
    Check(page, IDC_DISPLAY_CELL_ROW_EXTEND, f.cellRowExtend);
    Check(page, IDC_DISPLAY_KEEP_WIN_HEIGHT, f.keepWinHeight);
    Check(page, IDC_DISPLAY_USE_TASKTRAY, f.useTasktray);
    Check(page, IDC_DISPLAY_DAYSCROLL_KEEP, f.dayscrollKeep);
    Check(page, IDC_DISPLAY_KEEP_DIALOG_POS, f.keepDialogPos);
    Check(page, IDC_DISPLAY_KEEP_DIALOG_SIZE, f.keepDialogSize);
    Check(page, IDC_DISPLAY_ALARM, f.alarm);
    Check(page, IDC_DISPLAY_ALARM_STARTUP, f.alarmStartup);
    Check(page, IDC_DISPLAY_ALARM_CDOWN, f.alarmCdown);
    Check(page, IDC_DISPLAY_ALARM_CDOWN_PAST, f.alarmCdownPast);
    Check(page, IDC_DISPLAY_ALARM_PAINT_TIME, f.alarmPaintTime);
    Check(page, IDC_DISPLAY_ALARM_MEMO_SORT, f.alarmMemoSort);
    SetItemText(page, IDC_DISPLAY_ALARM_STARTUP_TIME, f.alarmStartupTime);
    SetItemText(page, IDC_DISPLAY_ALARM_CDOWN_DAY, f.alarmCdownDay);
    SetItemText(page, IDC_DISPLAY_ALARM_TIME, f.alarmTime);
    CheckRadioButton(page, IDC_DISPLAY_ALARM_BY_MESSAGE, IDC_DISPLAY_ALARM_BY_BALLOON,
                     f.alarmByMessage ? IDC_DISPLAY_ALARM_BY_MESSAGE : IDC_DISPLAY_ALARM_BY_BALLOON);
    CheckRadioButton(page, IDC_DISPLAY_ALARM_SHOW_ALL, IDC_DISPLAY_ALARM_SHOW_TIMED,
                     f.alarmShowAll ? IDC_DISPLAY_ALARM_SHOW_ALL : IDC_DISPLAY_ALARM_SHOW_TIMED);
    SetItemText(s->frame, IDC_SETTINGS_STATUS, "");

    // At opening the balloon follows the stored tray setting alone; afterwards the boxes decide.
    bool a = f.alarm, startup = f.alarmStartup || !f.alarmStartupTime.empty();
    EnableAlarmControls(page, *s);
    Enable(page, IDC_DISPLAY_ALARM_BY_MESSAGE, a || startup);
    Enable(page, IDC_DISPLAY_ALARM_BY_BALLOON, f.useTasktray && s->shellVersion >= 5);
    CheckRadioButton(page, IDC_DISPLAY_ALARM_BY_MESSAGE, IDC_DISPLAY_ALARM_BY_BALLOON,
                     f.alarmByMessage ? IDC_DISPLAY_ALARM_BY_MESSAGE : IDC_DISPLAY_ALARM_BY_BALLOON);
}

INT_PTR CALLBACK DisplayPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return DialogProcOf<SettingsSession, OnMessage>(page, message, wParam, lParam);
}
