// What the running calendar makes of its data folder: which names are its data files, and which
// changes are another program's (taken in) and which its own writes (never taken in again).
#include "app/data_watch.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "calendar/holiday_rules.h"
#include "config/profile_store.h"
#include "tests/memo/memo_files.h"

namespace {
class DataWatchTest : public MemoFiles {
  protected:
    void SetUp() override {
        MemoFiles::SetUp();
        std::snprintf(g_files.holidayPath, sizeof g_files.holidayPath, "%s", dir.File("t_holiday.ini").c_str());
        std::snprintf(g_files.configPath, sizeof g_files.configPath, "%s", dir.File("t.ini").c_str());
    }
    // Another program writes the whole file.
    void WriteElsewhere(const std::string& name, const std::string& text) {
        std::ofstream(dir.File(name), std::ios::binary) << text;
    }
    std::string Changes() {
        DataChanges c = CheckDataFiles(&watch, g_files);
        return std::string(c.memos ? "memos " : "") + (c.commonMemo ? "common " : "") + (c.holidays ? "holidays" : "");
    }
    DataWatch watch;
};

TEST_F(DataWatchTest, NamesOfTheDataFiles) {
    EXPECT_EQ(KindOfDataFileName("t_memo2026.ini", g_files), DataFileKind::kYearMemo);
    EXPECT_EQ(KindOfDataFileName("T_MEMO1999.INI", g_files), DataFileKind::kYearMemo);  // names ignore case
    EXPECT_EQ(KindOfDataFileName("t_memo.ini", g_files), DataFileKind::kCommonMemo);
    EXPECT_EQ(KindOfDataFileName("t_holiday.ini", g_files), DataFileKind::kHoliday);
    // The store's temporary files and lock, the configuration, other files: none.
    for (const char* other : {"t_memo2026.ini.4242.tmp", "t_memo.ini.17.tmp", "tessel.lock", "t.ini", "t_memo20x6.ini",
                              "t_memo202.ini", "t_memo20260.ini", "x_memo2026.ini", "t_holiday.ini~", ""})
        EXPECT_EQ(KindOfDataFileName(other, g_files), DataFileKind::kNone) << other;
}

TEST_F(DataWatchTest, AnotherProgramsChangesAreTakenInAndOwnWritesAreNot) {
    ASSERT_TRUE(WriteMemo(2026, 7, 1, "mine", false).ok());
    EXPECT_EQ(Changes(), "");  // the file the calendar made itself

    // The calendar's own writes, to a year file, the common memo file and the holiday file, one
    // after another and in a batch: nothing to take in.
    ASSERT_TRUE(WriteMemo(2026, 7, 2, "more of mine", false).ok());
    ASSERT_TRUE(WriteMemo(2026, 7, 3, "and more", false).ok());
    ASSERT_TRUE(WriteMemo(2027, 1, 1, "a new year file", false).ok());
    ASSERT_TRUE(WriteFreeMemo("free", 4).ok());
    HolidayRule rule;
    SetBlankRule(&rule);
    ASSERT_TRUE(SaveHolidayRules(g_files.holidayPath, &rule, 1));
    EXPECT_EQ(Changes(), "");
    EXPECT_EQ(Changes(), "");

    // Another program's: each kind of file, and a year file that goes away.
    WriteElsewhere("t_memo2026.ini", "[7]\r\n1=theirs\r\n");
    EXPECT_EQ(Changes(), "memos ");
    WriteElsewhere("t_memo.ini", "[COUNTDOWN]\r\n01=2030,1,1,x\r\n");
    EXPECT_EQ(Changes(), "memos common ");
    WriteElsewhere("t_holiday.ini", "[SETTING]\r\n1=0,1,1,-1,0,0,0,0,0,0,x\r\n");
    EXPECT_EQ(Changes(), "holidays");
    WriteElsewhere("t_memo2031.ini", "[1]\r\n1=new\r\n");
    EXPECT_EQ(Changes(), "memos ");
    std::remove(dir.File("t_memo2031.ini").c_str());
    EXPECT_EQ(Changes(), "memos ");
    EXPECT_EQ(Changes(), "");

    // The configuration is not watched: the settings in force stay until the next start.
    WriteElsewhere("t.ini", "[CONFIG]\r\nCELL_LINE=2\r\n");
    EXPECT_EQ(Changes(), "");

    // Another program's write between two of the calendar's own is still seen, also when the
    // calendar's next write (which read it) comes after it.
    ASSERT_TRUE(WriteMemo(2026, 7, 4, "own", false).ok());
    WriteElsewhere("t_memo2026.ini", "[7]\r\n1=theirs again\r\n");
    ASSERT_TRUE(WriteMemo(2026, 7, 5, "own again", false).ok());
    EXPECT_EQ(Changes(), "memos ");
    EXPECT_EQ(Read(2026, 7, 1), "theirs again");
}
}  // namespace
