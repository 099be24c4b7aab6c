// The companion's holidays command run on the shipped holiday file, for the tests that compare
// its days off with Japan's.
#pragma once
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "tests/config/config_test_files.h"

inline std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

const std::string kShippedHolidays = std::string(TESSEL_SOURCE_DIR) + "/data/tessel_holiday.ini";

struct CliOutput {
    int code;
    std::string out;
};

// Runs the tool with cal.ini in dir (made empty when it is not there: a calendar ran there),
// whose holiday file is cal_holiday.ini.
inline CliOutput Cli(const TempFolder& dir, const std::string& args) {
    if (!FileExists(dir.File("cal.ini"))) WriteIni(dir.File("cal.ini"), {"[CONFIG]"});
    std::string out = dir.File("out.txt");
    std::string cmd = std::string("'") + TESSEL_CLI + "' --config '" + dir.File("cal.ini") + "' " + args + " >'" +
                      out + "' 2>/dev/null";
    int status = std::system(cmd.c_str());
    return CliOutput{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWhole(out)};
}

inline void UseShipped(const TempFolder& dir) {
    std::string cmd = "cp '" + kShippedHolidays + "' '" + dir.File("cal_holiday.ini") + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
}
