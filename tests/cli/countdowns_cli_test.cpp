// desk-calendar-cli countdowns on real files: list order, no day limit, past lines, UTF-8 out.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "memo/countdown.h"
#include "tests/config/config_test_files.h"
#include "view/view_layout.h"

namespace {
std::string DateField(int offset) {
    std::time_t t = std::time(nullptr);
    int y, m, d;
    DateAtOffset(offset, LocalDayNumber(*std::localtime(&t)), &y, &m, &d);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d,%d,%d", y, m, d);
    return buf;
}
std::string DateText(int offset) {
    std::time_t t = std::time(nullptr);
    int y, m, d;
    DateAtOffset(offset, LocalDayNumber(*std::localtime(&t)), &y, &m, &d);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d (", y, m, d);
    return buf;
}
}  // namespace

TEST(CliCountdowns, EveryMemoInListOrderAsTheAlarmWordsIt) {
    TempFolder dir;
    std::string config = dir.File("cal.ini");
    WriteIni(config, {"[CONFIG]"});
    std::string far = "01=" + DateField(400) + ",Far", past = "02=" + DateField(-6) + ",Gone",
                today = "03=" + DateField(0) + ",\x8d\xa1";  // 今
    WriteIni(dir.File("cal_memo.ini"), {"[COUNTDOWN]", far.c_str(), past.c_str(), today.c_str(), "04="});
    std::string out = dir.File("o.txt");
    std::string cmd = std::string("'") + TESSEL_CLI + "' --config '" + config + "' countdowns >'" + out + "'";
    int status = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::string expected = DateText(400) + reinterpret_cast<const char*>(u8"あと400日) Far\n") + DateText(-6) +
                           reinterpret_cast<const char*>(u8"6日経過) Gone\n") + DateText(0) +
                           reinterpret_cast<const char*>(u8"今日) 今\n");
    EXPECT_EQ(ReadWhole(out), expected);
}

// A hand-edited form is text: conversions it is not meant to have are shown as written.
TEST(CliCountdowns, HostileFormsAreShownNotRun) {
    TempFolder dir;
    std::string config = dir.File("cal.ini");
    WriteIni(config, {"[CONFIG]", "CDOWN_FORM=%n%s%d-%02d-%02d %x%%(,) %s %n%s%d,now,in ,d,,d ago"});
    std::string far = "01=" + DateField(3) + ",Far";
    WriteIni(dir.File("cal_memo.ini"), {"[COUNTDOWN]", far.c_str(), "02="});
    std::string out = dir.File("o.txt");
    std::string cmd = std::string("'") + TESSEL_CLI + "' --config '" + config + "' countdowns >'" + out + "'";
    int status = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::string date = DateText(3);  // "YYYY/MM/DD ("
    std::string expected = "%n%s" + date.substr(0, 4) + "-" + date.substr(5, 2) + "-" + date.substr(8, 2) +
                           " %x%(in 3d) Far %n%s%d\n";
    EXPECT_EQ(ReadWhole(out), expected);
}
