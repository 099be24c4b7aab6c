// What the settings dialog's controls hold when they are collected, and the checks that take it
// into the working copy with the dialog's messages. Without windows, so tests call it directly.
#pragma once
#include <string>

#include "config/app_state.h"

// The entries of the button size list.
enum ButtonChoice { kButtonChoiceSmall = 0, kButtonChoiceLarge = 1, kButtonChoiceHidden = 2 };

// The controls' contents: texts of the edits as typed, states of the boxes, indexes of the lists.
struct SettingsForm {
    // Page "表示・アラーム".
    int calendarType = 0;  // list index: the CalendarType
    int buttonSize = 0;    // a ButtonChoice
    bool listTodayTop = false, cellRowExtend = false, keepWinHeight = false, useTasktray = false;
    int beginWeek = 0, showMonth = 0;
    bool dayscrollKeep = false, keepDialogPos = false, keepDialogSize = false;
    bool alarm = false, alarmStartup = false, alarmCdown = false, alarmCdownPast = false;
    bool alarmPaintTime = false, alarmMemoSort = false;
    std::string alarmStartupTime, alarmCdownDay, alarmTime;
    bool alarmByMessage = true;  // radio "メッセージボックスを表示する" selected
    bool alarmShowAll = true;    // radio "日付メモの内容すべて" selected
    // Page "デザイン".
    std::string cellWidth, cellWidthRatio, cellLine, headForm, listWidth, listHeadForm, titleForm, memoRow;
    // Page "操作".
    int hotkeyModifiers = 0;  // Alt 4, Ctrl 2, Shift 1, Win 8
    int hotkeyKey = 0;        // virtual-key code of the chosen key, 0 for "(なし)"
    int hotkeyToggle = 0;     // the HotkeyToggle: 0 なにもしない, 1 最小化, 2 最背面
    bool keyassignEnable = false, quickmemoEnable = false;
    std::string dayscrollUnit;
};

// The outcome of collecting: the control of the first bad entry (0 when all were good) and the
// status line's message for it.
struct CollectResult {
    int badControl = 0;
    std::string message;
    bool ok() const { return badControl == 0; }
};

// Takes the form into work in the dialog's order, checking as it goes. Fields before the first
// bad one stay taken. screenWidth: the desktop's width in 96-dpi pixels, the unit of the widths
// it limits; liveButtonSize: BTN_SIZE of the kept settings, whose size bit "表示しない" keeps.
CollectResult CollectSettingsForm(const SettingsForm& form, int screenWidth, int liveButtonSize, AppState* work);

// The form as the working copy fills it (the opposite of collecting).
SettingsForm FormOfSettings(const AppState& work);
