// Collecting the settings dialog's controls: every check with its message and the control it
// points at, and the values stored as the dialog stores them.
#include "settings/settings_form.h"

#include <gtest/gtest.h>

#include <cstring>

#include "config/design.h"
#include "config/profile_access.h"
#include "config/profile_store.h"
#include "config/settings.h"
#include "resources/resource.h"

namespace {
class SettingsFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ProfileStoreReset();
        SetConfigPath("/nonexistent/tessel-settings-form.ini");  // every key its default
        ResetAppState(&state);
        ReadSettings(&state);
        ReadDesign(&state);
        form = FormOfSettings(state);
    }
    CollectResult Collect(int screenWidth = 1280) { return CollectSettingsForm(form, screenWidth, 0, &state); }
    AppState state;
    SettingsForm form;
};

TEST_F(SettingsFormTest, TheFilledFormCollectsBackToTheSameSettings) {
    AppState before = state;
    ASSERT_TRUE(Collect().ok());
    EXPECT_EQ(std::memcmp(&before.settings, &state.settings, sizeof state.settings), 0);
    EXPECT_TRUE(DesignEquals(before, state));
    EXPECT_EQ(before.design.cellWidth, state.design.cellWidth);
    EXPECT_EQ(before.design.listWidth, state.design.listWidth);
}

TEST_F(SettingsFormTest, WidthsAreCheckedAgainstTheScreen) {
    form.cellWidth = "9";
    CollectResult r = Collect(1280);
    EXPECT_EQ(r.badControl, IDC_DESIGN_CELL_WIDTH);
    EXPECT_EQ(r.message, "10～182の数値を入力してください");
    form.cellWidth = "183";
    EXPECT_EQ(Collect(1280).badControl, IDC_DESIGN_CELL_WIDTH);
    form.cellWidth = "182";
    form.listWidth = "1281";
    r = Collect(1280);
    EXPECT_EQ(r.badControl, IDC_DESIGN_LIST_WIDTH);
    EXPECT_EQ(r.message, "10～1280の数値を入力してください");
    EXPECT_EQ(state.design.cellWidth, 182);  // taken before the bad entry
}

TEST_F(SettingsFormTest, WeekdayLabelsNeedSevenItemsTheListLabelsMayBeEmpty) {
    form.headForm = "a,b,c,d,e,f";
    CollectResult r = Collect();
    EXPECT_EQ(r.badControl, IDC_DESIGN_HEAD_FORM);
    EXPECT_EQ(r.message, "日,月,…,土の順にｶﾝﾏ区切りで指定してください");
    form.headForm = "日,月,火,水,木,金,土";
    form.listHeadForm = "";
    ASSERT_TRUE(Collect().ok());
    EXPECT_STREQ(HeadLabel(state.design, 6), "土");
    form.listHeadForm = "x";
    EXPECT_EQ(Collect().badControl, IDC_DESIGN_LIST_HEAD_FORM);
}

// List labels whose first one is empty are labels all the same: the form shows them, and the
// dialog's OK keeps them instead of emptying them.
TEST_F(SettingsFormTest, ListLabelsWithAnEmptyFirstOneSurviveTheForm) {
    SetListHeadLabels(&state.design, ",月,火,水,木,金,土");
    form = FormOfSettings(state);
    EXPECT_EQ(form.listHeadForm, ",月,火,水,木,金,土");
    ASSERT_TRUE(Collect().ok());
    EXPECT_STREQ(ListHeadLabel(state.design, 1), "月");
}

TEST_F(SettingsFormTest, StartupTimesAreNormalisedOrRefused) {
    form.alarmStartupTime = "9:00,12:30";
    ASSERT_TRUE(Collect().ok());
    EXPECT_STREQ(state.settings.alarmStartupTime, "09:00,12:30");
    for (const char* bad : {"9：00", "24:00", "12"}) {
        form.alarmStartupTime = bad;
        CollectResult r = Collect();
        EXPECT_EQ(r.badControl, IDC_DISPLAY_ALARM_STARTUP_TIME) << bad;
        EXPECT_EQ(r.message, "\"時：分\"の形式で入力してください");
    }
}

TEST_F(SettingsFormTest, AlarmFieldsAreReadOnlyWhenTheirAlarmIsOn) {
    form.alarm = false;
    form.alarmTime = "-5";
    form.alarmShowAll = false;
    ASSERT_TRUE(Collect().ok());
    EXPECT_EQ(state.settings.alarmShow, AlarmShow::kWholeMemo);  // not read
    form.alarm = true;
    CollectResult r = Collect();
    EXPECT_EQ(r.badControl, IDC_DISPLAY_ALARM_TIME);
    EXPECT_EQ(r.message, "0以上の数値を入力してください");
    form.alarmTime = "15";
    form.alarmByMessage = false;
    ASSERT_TRUE(Collect().ok());
    EXPECT_EQ(state.settings.alarmTime, 15);
    EXPECT_EQ(state.settings.alarmShow, AlarmShow::kTimedLines);
    EXPECT_EQ(state.settings.alarmType, AlarmType::kBalloon);

    form.alarmCdown = true;
    form.alarmCdownDay = "10000";
    r = Collect();
    EXPECT_EQ(r.badControl, IDC_DISPLAY_ALARM_CDOWN_DAY);
    EXPECT_EQ(r.message, "0～9999の数値を入力してください");
}

TEST_F(SettingsFormTest, HiddenButtonsKeepTheirSizeAndTheHotKeyIsComposed) {
    form.buttonSize = 2;
    ASSERT_TRUE(CollectSettingsForm(form, 1280, 1, &state).ok());
    EXPECT_EQ(state.settings.btnSize, 3);
    EXPECT_EQ(FormOfSettings(state).buttonSize, 2);
    form.hotkeyModifiers = 2 | 4;  // Ctrl + Alt
    form.hotkeyKey = 'T';
    form.hotkeyToggle = 2;
    form.keepDialogPos = false;
    form.keepDialogSize = true;
    ASSERT_TRUE(Collect().ok());
    EXPECT_EQ(state.settings.hotkey, (6 << 8) + 'T');
    EXPECT_EQ(state.settings.hotkeyToggle, HotkeyToggle::kToBottom);
    EXPECT_EQ(state.settings.dlgplacementKeep, 2);
    form.dayscrollUnit = "0";
    CollectResult r = Collect();
    EXPECT_EQ(r.badControl, IDC_OPERATION_DAYSCROLL_UNIT);
    EXPECT_EQ(r.message, "1以上の数値を入力してください");
}
}  // namespace
