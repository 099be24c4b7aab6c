#include "config/settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/sjis.h"
#include "config/design.h"
#include "config/operations.h"
#include "config/tags.h"
#include "tests/config/config_test_files.h"

namespace {
class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.File("tessel.ini");
        UseConfig(path);
        ResetAppState(&state);
        ResetOperations();
    }
    void TearDown() override { ResetOperations(); }
    TempFolder dir;
    std::string path;
    AppState state;
};

std::string Split(const char* text, char sep, int max = 10) {
    char copy[128];
    std::strcpy(copy, text);
    char* items[10];
    int n = SplitFields(copy, sep, items, max);
    std::string out = std::to_string(n) + ":";
    for (int i = 0; i < n && i < max; ++i) out += std::string("<") + items[i] + ">";
    return out;
}

std::string Normalised(const char* in) {
    char out[100];
    std::memset(out, 'x', sizeof out);
    NormaliseStartupTimes(in, out, sizeof out);
    return out;
}
}  // namespace

TEST_F(SettingsFile, FreshStartGivesTheDefaultsAndWritesNothing) {
    EXPECT_EQ(ReadSettings(&state), 1);
    const Settings& s = state.settings;
    EXPECT_EQ(s.calendarType, CalendarType::kTable);
    EXPECT_EQ(s.btnSize, 1);
    EXPECT_EQ(s.beginWeek, 0);
    EXPECT_EQ(s.showMonth, 0);
    EXPECT_EQ(s.alarm, 0);
    EXPECT_EQ(s.alarmTime, 5);
    EXPECT_EQ(s.alarmCdownDay, 7);
    EXPECT_STREQ(s.alarmStartupTime, "");
    EXPECT_STREQ(s.currentDesign, "現在の設定");
    EXPECT_EQ(s.hotkey, 0);
    EXPECT_EQ(s.keyassignEnable, 0);
    EXPECT_EQ(s.dayscrollUnit, 1);
    EXPECT_EQ(s.dlgplacementKeep, 0);
    EXPECT_EQ(s.caldavInterval, 15);
    EXPECT_STREQ(g_tags[0].word, "アラーム時刻");
    EXPECT_EQ(g_tags[0].colour, 0u);
    EXPECT_STREQ(g_tags[1].word, "");
    EXPECT_EQ(g_operations[0].key, 33);
    EXPECT_FALSE(FileExists(path));
}

TEST_F(SettingsFile, ReadsEveryKeyOfConfig) {
    WriteIni(path, {"[CONFIG]", "CALENDAR_TYPE=1", "LIST_TODAY_TOP=1", "CELL_ROW_EXTEND=1", "KEEP_WIN_HEIGHT=1",
                    "BTN_SIZE=2", "BEGIN_WEEK=1", "SHOW_MONTH=3", "USE_TASKTRAY=1", "ALARM=1", "ALARM_TIME=15",
                    "ALARM_TYPE=1", "ALARM_SHOW=1", "ALARM_STARTUP=1", "ALARM_STARTUP_TIME=9:5,18:30",
                    "ALARM_CDOWN=1", "ALARM_CDOWN_DAY=30", "ALARM_CDOWN_PAST=1", "ALARM_PAINT_TIME=1",
                    "ALARM_MEMO_SORT=1", "CURRENT_DESIGN=青空", "HOTKEY=1604", "HOTKEY_TOGGLE=2",
                    "KEYASSIGN_ENABLE=1", "QUICKMEMO_ENABLE=1", "DAYSCROLL_UNIT=3", "DAYSCROLL_KEEP=1",
                    "DLGPLACEMENT_KEEP=3"});
    ReadSettings(&state);
    const Settings& s = state.settings;
    EXPECT_EQ(s.calendarType, CalendarType::kList);
    EXPECT_EQ(s.listTodayTop, 1);
    EXPECT_EQ(s.cellRowExtend, 1);
    EXPECT_EQ(s.keepWinHeight, 1);
    EXPECT_EQ(s.btnSize, 2);
    EXPECT_EQ(s.beginWeek, 1);
    EXPECT_EQ(s.showMonth, 3);
    EXPECT_EQ(s.useTasktray, 1);
    EXPECT_EQ(s.alarm, 1);
    EXPECT_EQ(s.alarmTime, 15);
    EXPECT_EQ(s.alarmType, AlarmType::kBalloon);
    EXPECT_EQ(s.alarmShow, AlarmShow::kTimedLines);
    EXPECT_EQ(s.alarmStartup, 1);
    EXPECT_STREQ(s.alarmStartupTime, "09:05,18:30");
    EXPECT_EQ(s.alarmCdown, 1);
    EXPECT_EQ(s.alarmCdownDay, 30);
    EXPECT_EQ(s.alarmCdownPast, 1);
    EXPECT_EQ(s.alarmPaintTime, 1);
    EXPECT_EQ(s.alarmMemoSort, 1);
    EXPECT_STREQ(s.currentDesign, "青空");
    EXPECT_EQ(s.hotkey, 1604);
    EXPECT_EQ(s.hotkeyToggle, HotkeyToggle::kToBottom);
    EXPECT_EQ(s.keyassignEnable, 1);
    EXPECT_EQ(s.quickmemoEnable, 1);
    EXPECT_EQ(s.dayscrollUnit, 3);
    EXPECT_EQ(s.dayscrollKeep, 1);
    EXPECT_EQ(s.dlgplacementKeep, 3);
}

TEST_F(SettingsFile, OutOfRangeValuesFallBackToTheirDefaults) {
    WriteIni(path, {"[CONFIG]", "BEGIN_WEEK=7", "SHOW_MONTH=-1", "DAYSCROLL_UNIT=0", "ALARM_CDOWN_DAY=10000",
                    "HOTKEY_TOGGLE=5", "CALENDAR_TYPE=2", "BTN_SIZE=9"});
    ReadSettings(&state);
    EXPECT_EQ(state.settings.beginWeek, 0);
    EXPECT_EQ(state.settings.showMonth, 0);
    EXPECT_EQ(state.settings.dayscrollUnit, 1);
    EXPECT_EQ(state.settings.alarmCdownDay, 7);
    EXPECT_EQ(state.settings.hotkeyToggle, HotkeyToggle::kNothing);
    EXPECT_EQ(state.settings.calendarType, CalendarType::kTable);
    EXPECT_EQ(state.settings.btnSize, 1);
}

TEST(StartupTimes, AreRewrittenOrDroppedAsAWhole) {
    EXPECT_EQ(Normalised("9:5,18:30"), "09:05,18:30");
    EXPECT_EQ(Normalised("0:0,23:59"), "00:00,23:59");
    EXPECT_EQ(Normalised("9:5,25:00"), "");
    EXPECT_EQ(Normalised("12"), "");
    EXPECT_EQ(Normalised("9:60"), "");
    EXPECT_EQ(Normalised("9:00,,10:00"), "");  // an empty item has no colon
    EXPECT_EQ(Normalised(""), "");
    // Sixteen items fit the field (95 bytes), seventeen (101 bytes) do not.
    std::string many;
    for (int i = 0; i < 16; ++i) many += (i ? "," : "") + std::to_string(i) + ":1";
    std::string fits = Normalised(many.c_str());
    EXPECT_EQ(fits.size(), 95u);
    EXPECT_EQ(fits.substr(0, 12), "00:01,01:01,");
    EXPECT_EQ(Normalised((many + ",16:1").c_str()), "");
    // More than fifty items are dropped even when each is valid.
    std::string fiftyOne;
    for (int i = 0; i < 51; ++i) fiftyOne += (i ? "," : "") + std::string("1:1");
    EXPECT_EQ(Normalised(fiftyOne.c_str()), "");
    char small[6];
    NormaliseStartupTimes("9:5,10:10", small, sizeof small);
    EXPECT_STREQ(small, "");
}

TEST(StartupTimes, NumbersAreReadAsAtoiReadsThem) {
    EXPECT_EQ(Normalised("12:00 lunch"), "12:00");
    EXPECT_EQ(Normalised(" 9:5x,+7: 30,"), "09:05,07:30");  // a trailing comma is allowed
    EXPECT_EQ(Normalised("a:10,9:"), "00:10,09:00");        // no digits read as 0
    EXPECT_EQ(Normalised("007:0059"), "07:59");
    EXPECT_EQ(Normalised("-1:00"), "");
    EXPECT_EQ(Normalised("9:-5"), "");
    EXPECT_EQ(Normalised("99999999999:00"), "");  // saturates, never wraps into range
    EXPECT_EQ(Normalised("4294967305:00"), "");  // 2^32 + 9: in range only if it wrapped
    EXPECT_EQ(Normalised("12:00 lunch,12"), "");  // one item without a colon drops them all
}

TEST_F(SettingsFile, InvalidStartupTimesReadAsEmpty) {
    WriteIni(path, {"[CONFIG]", "ALARM_STARTUP_TIME=9:5,25:00"});
    ReadSettings(&state);
    EXPECT_STREQ(state.settings.alarmStartupTime, "");
}

TEST_F(SettingsFile, OverlongDesignNameIsCutOnACharacterBoundary) {
    std::string longName = "a";
    for (int i = 0; i < 60; ++i) longName += "表";  // 表 = 95 5C: the trail byte is a backslash
    std::string line = "CURRENT_DESIGN=" + longName;
    WriteIni(path, {"[CONFIG]", line.c_str()});
    ReadSettings(&state);
    EXPECT_EQ(std::strlen(state.settings.currentDesign), 99u);  // "a" and 49 characters
    EXPECT_EQ(std::string(state.settings.currentDesign), longName.substr(0, 99));

    longName = "ab" + longName.substr(1);
    line = "CURRENT_DESIGN=" + longName;
    WriteIni(path, {"[CONFIG]", line.c_str()});
    ProfileStoreReset();
    ReadSettings(&state);
    EXPECT_EQ(std::strlen(state.settings.currentDesign), 98u);  // the 50th character would cross byte 99
    EXPECT_EQ(state.settings.currentDesign[99], 0);
}

// Found by fuzzing: a name whose cut ended on a blank was stored without it, so it read back as
// another name; the same held for the title form.
TEST_F(SettingsFile, TextsCutOnABlankReadBackTheSame) {
    std::string name = "CURRENT_DESIGN=" + std::string(98, 'a') + " b";
    std::string title = "TITLE_FORM=!" + std::string(62, 'a') + " %Y";
    WriteIni(path, {"[CONFIG]", name.c_str(), title.c_str()});
    ReadSettings(&state);
    ReadDesign(&state);
    EXPECT_EQ(std::string(state.settings.currentDesign), std::string(98, 'a'));
    EXPECT_EQ(std::string(state.design.titleForm), std::string(62, 'a'));
    std::string written = dir.File("written.ini");
    UseConfig(written);
    ASSERT_TRUE(WriteSettings(state));
    ASSERT_TRUE(WriteDesign(state));
    AppState back;
    ResetAppState(&back);
    ProfileStoreReset();
    ReadSettings(&back);
    ReadDesign(&back);
    EXPECT_STREQ(back.settings.currentDesign, state.settings.currentDesign);
    EXPECT_TRUE(DesignEquals(state, back));
}

TEST(ListItems, EndBeforeWhatWouldSwallowTheNextItem) {
    auto kept = [](const char* text) {
        char copy[32];
        std::strcpy(copy, text);
        KeepListItem(copy);
        return std::string(copy);
    };
    EXPECT_EQ(kept("b [x"), "b");
    EXPECT_EQ(kept("F[a,b]g "), "F[a,b]g");
    EXPECT_EQ(kept("a[b]c[d"), "a[b]c");
    EXPECT_EQ(kept("a \x83 "), "a");          // a space after a lone lead byte, then the blank before it
    EXPECT_EQ(kept("\x83\x5B["), "\x83\x5B");  // a trail byte "[" opens nothing
}

TEST_F(SettingsFile, AssignmentsKeepDefaultsUnlessAValueIsGiven) {
    WriteIni(path, {"[KEYASSIGN]", "40013=", "40014=0", "00104=289", "[MOUSEASSIGN]", "40025=2", "40013=",
                    "40057=x"});
    ReadSettings(&state);
    EXPECT_EQ(g_operations[0].key, 33);  // empty keeps PageUp
    EXPECT_EQ(g_operations[0].mouse, kMouseWheelForward);
    EXPECT_EQ(g_operations[1].key, 0);   // "0" unbinds
    EXPECT_EQ(g_operations[1].mouse, kMouseWheelBackward);
    EXPECT_EQ(g_operations[9].command, 104);
    EXPECT_EQ(g_operations[9].key, 289);
    EXPECT_EQ(g_operations[13].mouse, kMouseRightClick);
    EXPECT_EQ(g_operations[3].mouse, 0);  // not a number: converted as 0
}

TEST_F(SettingsFile, WritesInTheGivenOrderAndReadsBack) {
    ReadSettings(&state);
    Settings& s = state.settings;
    s.calendarType = CalendarType::kList;
    s.btnSize = 3;
    s.alarm = 1;
    s.alarmTime = 12;
    std::strcpy(s.alarmStartupTime, "08:00,12:30");
    std::strcpy(s.currentDesign, "夏(変更あり)");
    s.hotkey = 0x0241;
    s.dayscrollUnit = 4;
    s.dlgplacementKeep = 2;
    s.caldavInterval = 30;
    g_operations[0].key = 0;
    g_operations[2].mouse = kModAlt | kMouseMiddleClick;
    WriteSettings(state);

    std::string text = ReadWhole(path);
    const char* order[] = {"CALENDAR_TYPE=1", "LIST_TODAY_TOP=", "CELL_ROW_EXTEND=", "KEEP_WIN_HEIGHT=",
                           "BTN_SIZE=3", "BEGIN_WEEK=", "SHOW_MONTH=", "\nALARM=1", "USE_TASKTRAY=",
                           "ALARM_TIME=12", "ALARM_TYPE=", "ALARM_SHOW=", "ALARM_STARTUP=",
                           "ALARM_STARTUP_TIME=08:00,12:30", "ALARM_CDOWN=", "ALARM_CDOWN_DAY=7",
                           "ALARM_CDOWN_PAST=", "ALARM_PAINT_TIME=", "ALARM_MEMO_SORT=", "CURRENT_DESIGN=",
                           "HOTKEY=577", "HOTKEY_TOGGLE=", "KEYASSIGN_ENABLE=", "QUICKMEMO_ENABLE=",
                           "DAYSCROLL_UNIT=4", "DAYSCROLL_KEEP=", "DLGPLACEMENT_KEEP=2", "CALDAV_INTERVAL=30"};
    size_t at = 0;
    for (const char* key : order) {
        size_t found = text.find(key, at);
        ASSERT_NE(found, std::string::npos) << key;
        at = found;
    }
    // Every row is written, 0 for an unbound one.
    EXPECT_EQ(StoredValue(path, "KEYASSIGN", "40013"), "0");
    EXPECT_EQ(StoredValue(path, "KEYASSIGN", "00104"), "38");
    EXPECT_EQ(StoredValue(path, "KEYASSIGN", "40005"), "0");
    EXPECT_EQ(StoredValue(path, "MOUSEASSIGN", "40030"), std::to_string(kModAlt | kMouseMiddleClick));

    AppState back;
    ResetAppState(&back);
    ResetOperations();
    ProfileStoreReset();
    ReadSettings(&back);
    EXPECT_EQ(std::memcmp(&back.settings, &state.settings, sizeof back.settings), 0);
    EXPECT_EQ(g_operations[0].key, 0);
    EXPECT_EQ(g_operations[2].mouse, kModAlt | kMouseMiddleClick);
}

TEST_F(SettingsFile, ViewSettingsWriteOnlyTheirEightKeys) {
    state.settings.calendarType = CalendarType::kList;
    state.settings.alarm = 1;
    state.settings.showMonth = 2;
    WriteViewSettings(state);
    EXPECT_EQ(StoredValue(path, "CONFIG", "CALENDAR_TYPE"), "1");
    EXPECT_EQ(StoredValue(path, "CONFIG", "SHOW_MONTH"), "2");
    EXPECT_EQ(StoredValue(path, "CONFIG", "ALARM"), "1");
    EXPECT_EQ(StoredValue(path, "CONFIG", "USE_TASKTRAY"), "<missing>");
    EXPECT_EQ(StoredValue(path, "KEYASSIGN", "40013"), "<missing>");
}

// Every key goes both ways: a file with each one away from its default reads into the settings,
// and they write back exactly those keys and values.
TEST_F(SettingsFile, EveryKeyReadIsWrittenBackTheSame) {
    WriteIni(path, {"[CONFIG]", "CALENDAR_TYPE=1", "LIST_TODAY_TOP=1", "CELL_ROW_EXTEND=1", "KEEP_WIN_HEIGHT=1",
                    "BTN_SIZE=2", "BEGIN_WEEK=3", "SHOW_MONTH=2", "ALARM=1", "USE_TASKTRAY=1", "ALARM_TIME=9",
                    "ALARM_TYPE=1", "ALARM_SHOW=1", "ALARM_STARTUP=1", "ALARM_STARTUP_TIME=07:15",
                    "ALARM_CDOWN=1", "ALARM_CDOWN_DAY=3", "ALARM_CDOWN_PAST=1", "ALARM_PAINT_TIME=1",
                    "ALARM_MEMO_SORT=1", "CURRENT_DESIGN=秋", "HOTKEY=577", "HOTKEY_TOGGLE=1",
                    "KEYASSIGN_ENABLE=1", "QUICKMEMO_ENABLE=1", "DAYSCROLL_UNIT=7", "DAYSCROLL_KEEP=1",
                    "DLGPLACEMENT_KEEP=3", "CALDAV_INTERVAL=0"});
    const std::string before = ReadWhole(path);
    ProfileStoreReset();
    ReadSettings(&state);
    EXPECT_EQ(state.settings.dayscrollUnit, 7);
    EXPECT_EQ(state.settings.caldavInterval, 0);  // syncs of its own off
    EXPECT_STREQ(state.settings.currentDesign, "秋");
    std::string copy = dir.File("copy.ini");
    UseConfig(copy);
    ASSERT_TRUE(WriteSettings(state));
    std::string written = ReadWhole(copy);
    std::string config = written.substr(0, written.find("\r\n[", 1) + 2);  // the assignments follow
    EXPECT_EQ(config, before);
}

// The coded settings keep the numbers the files hold; BTN_SIZE is read as its two bits.
TEST_F(SettingsFile, CodedSettingsAreStoredAsTheirNumbers) {
    for (int size = 0; size < 4; ++size) {
        ButtonLook look = ButtonLookOf(size);
        EXPECT_EQ(look.large, size == 1 || size == 3) << size;
        EXPECT_EQ(look.shown, size < 2) << size;
    }
    state.settings.alarmType = AlarmType::kBalloon;
    state.settings.alarmShow = AlarmShow::kTimedLines;
    state.settings.hotkeyToggle = HotkeyToggle::kToBottom;
    WriteSettings(state);
    EXPECT_EQ(StoredValue(path, "CONFIG", "ALARM_TYPE"), "1");
    EXPECT_EQ(StoredValue(path, "CONFIG", "ALARM_SHOW"), "1");
    EXPECT_EQ(StoredValue(path, "CONFIG", "HOTKEY_TOGGLE"), "2");
    EXPECT_EQ(StoredValue(path, "CONFIG", "CALENDAR_TYPE"), "0");
    ASSERT_TRUE(ProfileWriteString("CONFIG", "HOTKEY_TOGGLE", "1", path.c_str()).ok());
    ReadSettings(&state);
    EXPECT_EQ(state.settings.hotkeyToggle, HotkeyToggle::kMinimise);
}

TEST(SplitFields, HonoursBracketsDoubleByteCharactersAndEmptyItems) {
    EXPECT_EQ(Split("a,[b,c],d", ','), "3:<a><[b,c]><d>");
    EXPECT_EQ(Split("a,,b", ','), "3:<a><><b>");
    EXPECT_EQ(Split("a,", ','), "1:<a>");
    EXPECT_EQ(Split("", ','), "0:");
    EXPECT_EQ(Split(",", ','), "1:<>");
    EXPECT_EQ(Split("ー,a", ','), "2:<ー><a>");  // ー = 81 5B: the trail byte is not a bracket
    EXPECT_EQ(Split("[a,b", ','), "1:<[a,b>");    // an open bracket runs to the end
    EXPECT_EQ(Split("[a]b,[c,d],e", ','), "3:<[a]b><[c,d]><e>");
    EXPECT_EQ(Split("表,x", '\\'), "1:<表,x>");  // 表 = 95 5C is not split at its backslash
    EXPECT_EQ(Split("a\nb\n", '\n'), "2:<a><b>");
}

TEST(SplitFields, CountsWithoutItemsAndBeyondTheArray) {
    char text[] = "1,2,3,4,5";
    EXPECT_EQ(SplitFields(text, ',', nullptr, 0), 5);
    EXPECT_STREQ(text, "1");  // cut in place even when only counting
    char more[] = "a,b,c,d";
    char* items[2] = {nullptr, nullptr};
    EXPECT_EQ(SplitFields(more, ',', items, 2), 4);
    EXPECT_STREQ(items[0], "a");
    EXPECT_STREQ(items[1], "b");
}

TEST(Colours, ParseRedGreenBlueAndFormatLowerCase) {
    EXPECT_EQ(ParseColour("0000FF"), 0xFF0000u);  // blue
    EXPECT_EQ(ParseColour("ff0000"), 0x0000FFu);  // red
    EXPECT_EQ(ParseColour("00ff00,rest"), 0x00FF00u);
    EXPECT_EQ(ParseColour("0a0b0c"), 0x0C0B0Au);
    EXPECT_EQ(ParseColour("ffff"), 0u);  // too short: black
    EXPECT_EQ(ParseColour(""), 0u);
    char out[7];
    FormatColour(0xFF0000, out);
    EXPECT_STREQ(out, "0000ff");
    FormatColour(0x0C0B0A, out);
    EXPECT_STREQ(out, "0a0b0c");
    FormatColour(ParseColour("C0C0C0"), out);
    EXPECT_STREQ(out, "c0c0c0");
}
