#include "settings/settings_form.h"

#include <cstdio>
#include <cstring>

#include "base/fields.h"
#include "base/sjis.h"
#include "config/design.h"
#include "config/settings.h"
#include "resources/resource.h"

namespace {
std::string RangeMessage(int lo, int hi) {
    char text[64];
    std::snprintf(text, sizeof text, "%d～%dの数値を入力してください", lo, hi);
    return text;
}

constexpr char kAtLeastZero[] = "0以上の数値を入力してください";
constexpr char kWeekdayLabels[] = "日,月,…,土の順にｶﾝﾏ区切りで指定してください";

// The number of comma-separated fields of a label text (as they are split when stored).
int LabelCount(const std::string& text) {
    char copy[256];
    CopyField(copy, sizeof copy, text.c_str());
    char* items[16];
    return SplitFields(copy, ',', items, 16);
}

CollectResult Bad(int control, std::string message) { return CollectResult{control, std::move(message)}; }
}  // namespace

CollectResult CollectSettingsForm(const SettingsForm& f, int screenWidth, int liveButtonSize, AppState* work) {
    Settings& s = work->settings;
    Design& d = work->design;
    s.calendarType = static_cast<CalendarType>(f.calendarType);

    int cellWidth = LeadingNumber(f.cellWidth.c_str());
    if (cellWidth < 10 || cellWidth > screenWidth / 7) return Bad(IDC_DESIGN_CELL_WIDTH, RangeMessage(10, screenWidth / 7));
    d.cellWidth = cellWidth;
    SetRatios(&d, f.cellWidthRatio.c_str());
    int cellLine = LeadingNumber(f.cellLine.c_str());
    if (cellLine < 0) return Bad(IDC_DESIGN_CELL_LINE, kAtLeastZero);
    d.cellLine = cellLine;
    if (LabelCount(f.headForm) < 7) return Bad(IDC_DESIGN_HEAD_FORM, kWeekdayLabels);
    SetHeadLabels(&d, f.headForm.c_str());
    int listWidth = LeadingNumber(f.listWidth.c_str());
    if (listWidth < 10 || listWidth > screenWidth) return Bad(IDC_DESIGN_LIST_WIDTH, RangeMessage(10, screenWidth));
    d.listWidth = listWidth;
    if (!f.listHeadForm.empty() && LabelCount(f.listHeadForm) < 7) return Bad(IDC_DESIGN_LIST_HEAD_FORM, kWeekdayLabels);
    SetListHeadLabels(&d, f.listHeadForm.c_str());

    s.listTodayTop = f.listTodayTop;
    s.cellRowExtend = f.cellRowExtend;
    s.keepWinHeight = f.keepWinHeight;
    std::memset(d.titleForm, 0, sizeof d.titleForm);
    CopyField(d.titleForm, sizeof d.titleForm, f.titleForm.c_str());
    // Hiding the buttons keeps the size they had, so showing them again brings it back.
    if (f.buttonSize == kButtonChoiceHidden) s.btnSize = kButtonsHidden | (liveButtonSize & kButtonsLarge);
    else s.btnSize = f.buttonSize == kButtonChoiceLarge ? kButtonsLarge : 0;
    s.beginWeek = f.beginWeek;
    s.showMonth = f.showMonth;
    int memoRow = LeadingNumber(f.memoRow.c_str());
    if (memoRow < 0) return Bad(IDC_DESIGN_MEMO_ROW, kAtLeastZero);
    d.memoRow = memoRow;

    s.useTasktray = f.useTasktray;
    s.alarm = f.alarm;
    s.alarmPaintTime = f.alarmPaintTime;
    s.alarmMemoSort = f.alarmMemoSort;
    s.alarmStartup = f.alarmStartup;
    char times[sizeof s.alarmStartupTime] = "";
    if (!f.alarmStartupTime.empty()) {
        NormaliseStartupTimes(f.alarmStartupTime.c_str(), times, sizeof times);
        if (!times[0]) return Bad(IDC_DISPLAY_ALARM_STARTUP_TIME, "\"時：分\"の形式で入力してください");
    }
    std::memcpy(s.alarmStartupTime, times, sizeof times);

    s.alarmCdown = f.alarmCdown;
    if (f.alarmCdown) {
        int days = LeadingNumber(f.alarmCdownDay.c_str());
        if (days < 0 || days > 9999) return Bad(IDC_DISPLAY_ALARM_CDOWN_DAY, RangeMessage(0, 9999));
        s.alarmCdownDay = days;
        s.alarmCdownPast = f.alarmCdownPast;
    }
    if (f.alarm) {
        int minutes = LeadingNumber(f.alarmTime.c_str());
        if (minutes < 0) return Bad(IDC_DISPLAY_ALARM_TIME, kAtLeastZero);
        s.alarmTime = minutes;
        s.alarmShow = f.alarmShowAll ? AlarmShow::kWholeMemo : AlarmShow::kTimedLines;
    }
    if (f.alarm || f.alarmStartup || times[0]) s.alarmType = f.alarmByMessage ? AlarmType::kMessageBox : AlarmType::kBalloon;

    s.hotkey = f.hotkeyKey ? (f.hotkeyModifiers << 8) + (f.hotkeyKey & 0xFF) : 0;
    s.hotkeyToggle = static_cast<HotkeyToggle>(f.hotkeyToggle);
    s.keyassignEnable = f.keyassignEnable;
    s.quickmemoEnable = f.quickmemoEnable;
    int unit = LeadingNumber(f.dayscrollUnit.c_str());
    if (unit < 1) return Bad(IDC_OPERATION_DAYSCROLL_UNIT, "1以上の数値を入力してください");
    s.dayscrollUnit = unit;

    s.dayscrollKeep = f.dayscrollKeep;
    s.dlgplacementKeep = (f.keepDialogPos ? 1 : 0) + (f.keepDialogSize ? 2 : 0);
    return CollectResult{};
}

SettingsForm FormOfSettings(const AppState& work) {
    const Settings& s = work.settings;
    const Design& d = work.design;
    SettingsForm f;
    f.calendarType = static_cast<int>(s.calendarType);
    ButtonLook look = ButtonLookOf(s.btnSize);
    f.buttonSize = !look.shown ? kButtonChoiceHidden : look.large ? kButtonChoiceLarge : kButtonChoiceSmall;
    f.listTodayTop = s.listTodayTop, f.cellRowExtend = s.cellRowExtend, f.keepWinHeight = s.keepWinHeight;
    f.useTasktray = s.useTasktray;
    f.beginWeek = s.beginWeek, f.showMonth = s.showMonth;
    f.dayscrollKeep = s.dayscrollKeep;
    f.keepDialogPos = (s.dlgplacementKeep & 1) != 0, f.keepDialogSize = (s.dlgplacementKeep & 2) != 0;
    f.alarm = s.alarm, f.alarmStartup = s.alarmStartup, f.alarmCdown = s.alarmCdown;
    f.alarmCdownPast = s.alarmCdownPast, f.alarmPaintTime = s.alarmPaintTime, f.alarmMemoSort = s.alarmMemoSort;
    f.alarmStartupTime.assign(s.alarmStartupTime, strnlen(s.alarmStartupTime, sizeof s.alarmStartupTime));
    f.alarmCdownDay = std::to_string(s.alarmCdownDay);
    f.alarmTime = std::to_string(s.alarmTime);
    f.alarmByMessage = s.alarmType == AlarmType::kMessageBox;
    f.alarmShowAll = s.alarmShow == AlarmShow::kWholeMemo;
    char buf[256];
    f.cellWidth = std::to_string(d.cellWidth);
    RatiosText(d, buf, sizeof buf);
    f.cellWidthRatio = buf;
    f.cellLine = std::to_string(d.cellLine);
    HeadLabelsText(d, buf, sizeof buf);
    f.headForm = buf;
    f.listWidth = std::to_string(d.listWidth);
    ListHeadLabelsText(d, buf, sizeof buf);
    f.listHeadForm = buf;
    f.titleForm.assign(d.titleForm, strnlen(d.titleForm, sizeof d.titleForm));
    f.memoRow = std::to_string(d.memoRow);
    f.hotkeyModifiers = (s.hotkey >> 8) & 0xFF;
    f.hotkeyKey = s.hotkey & 0xFF;
    f.hotkeyToggle = static_cast<int>(s.hotkeyToggle);
    f.keyassignEnable = s.keyassignEnable, f.quickmemoEnable = s.quickmemoEnable;
    f.dayscrollUnit = std::to_string(s.dayscrollUnit);
    return f;
}
