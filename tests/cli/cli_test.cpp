// Runs the real command-line tool on temporary configuration files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <string>

#include "tests/config/config_test_files.h"

namespace {
struct CliResult {
    int code;
    std::string out, err;
};

// UTF-8 text as the tool prints it (the tests' plain literals are code page 932).
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

CliResult RunCli(const TempFolder& dir, const std::string& args, const std::string& program = TESSEL_CLI) {
    std::string out = dir.File("cli.out"), err = dir.File("cli.err");
    std::string cmd = "'" + program + "' " + args + " >'" + out + "' 2>'" + err + "'";
    int status = std::system(cmd.c_str());
    CliResult r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWhole(out), ReadWhole(err)};
    std::remove(out.c_str());
    std::remove(err.c_str());
    return r;
}

int CountLines(const std::string& text) {
    int n = 0;
    for (char c : text) n += c == '\n';
    return n;
}

void ExpectFailure(const CliResult& r) {
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(CountLines(r.err), 1) << r.err;
}
}  // namespace

TEST(CliSettings, MissingFileIsRefusedAndAnEmptyOnePrintsEveryDefault) {
    TempFolder dir;
    std::string config = dir.File("none.ini");
    CliResult missing = RunCli(dir, "--config '" + config + "' settings");
    ExpectFailure(missing);
    EXPECT_NE(missing.err.find(Utf8(u8"設定ファイルがありません")), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find(config), std::string::npos) << missing.err;
    EXPECT_FALSE(FileExists(config));
    WriteIni(config, {""});
    CliResult r = RunCli(dir, "--config '" + config + "' settings");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(CountLines(r.out), 27);  // one line per setting
    EXPECT_NE(r.out.find("CALENDAR_TYPE=0\n"), std::string::npos);
    EXPECT_NE(r.out.find("BTN_SIZE=1\n"), std::string::npos);
    EXPECT_NE(r.out.find("ALARM_TIME=5\n"), std::string::npos);
    EXPECT_NE(r.out.find("ALARM_CDOWN_DAY=7\n"), std::string::npos);
    EXPECT_NE(r.out.find("ALARM_STARTUP_TIME=\n"), std::string::npos);
    EXPECT_NE(r.out.find(Utf8(u8"CURRENT_DESIGN=現在の設定\n")), std::string::npos);
    EXPECT_NE(r.out.find("DAYSCROLL_UNIT=1\n"), std::string::npos);
    EXPECT_FALSE(FileExists(dir.File("none_memo.ini")));
}

TEST(CliSettings, PrintsStoredValuesAsUtf8AndLeavesTheFileAlone) {
    TempFolder dir;
    std::string config = dir.File("my.ini");
    WriteIni(config, {"[CONFIG]", "CURRENT_DESIGN=青空", "ALARM_STARTUP_TIME=9:5,18:30", "BEGIN_WEEK=1",
                      "HOTKEY=1604", "DAYSCROLL_UNIT=0"});
    std::string before = ReadWhole(config);
    CliResult r = RunCli(dir, "--config '" + config + "' settings");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find(Utf8(u8"CURRENT_DESIGN=青空\n")), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("ALARM_STARTUP_TIME=09:05,18:30\n"), std::string::npos);
    EXPECT_NE(r.out.find("BEGIN_WEEK=1\n"), std::string::npos);
    EXPECT_NE(r.out.find("HOTKEY=1604\n"), std::string::npos);
    EXPECT_NE(r.out.find("DAYSCROLL_UNIT=1\n"), std::string::npos);
    EXPECT_EQ(ReadWhole(config), before);
}

TEST(CliSettings, WithoutConfigReadsTheLayeredProgramsFileBesideTheTool) {
    TempFolder dir;
    std::string copy = dir.File("desk-calendar-cli");
    std::string cmd = std::string("cp '") + TESSEL_CLI + "' '" + copy + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    WriteIni(dir.File("desk-calendar.ini"), {"[CONFIG]", "BTN_SIZE=3"});
    WriteIni(dir.File("tessel.ini"), {"[CONFIG]", "BTN_SIZE=2"});  // holds data names only
    CliResult r = RunCli(dir, "settings", copy);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("BTN_SIZE=3\n"), std::string::npos) << r.out;
}

TEST(CliErrors, TheUsageLineNamesEveryCommandInJapanese) {
    TempFolder dir;
    for (const char* args : {"", "frobnicate"}) {
        CliResult r = RunCli(dir, args);
        ExpectFailure(r);
        EXPECT_NE(r.err.find(Utf8(u8"コマンド: settings, holidays, rules, countdowns, memo, search, export-ics, import-ics")),
                  std::string::npos) << r.err;
    }
    EXPECT_NE(RunCli(dir, "").err.find(Utf8(u8"使い方: desk-calendar-cli")), std::string::npos);
    EXPECT_NE(RunCli(dir, "frobnicate").err.find(Utf8(u8"コマンドではありません")), std::string::npos);
}

// The files each form names are those the calendar itself uses when started that way.
TEST(CliFiles, DirAndClassicUseTheFilesOfTheProgramStartedFromThatFolder) {
    TempFolder dir;
    std::string folder = "'" + dir.Path() + "'";
    ASSERT_EQ(RunCli(dir, "--dir " + folder + " memo set 2026-05-01 layered").code, 0);
    ASSERT_EQ(RunCli(dir, "--dir " + folder + " --classic memo set 2026-05-01 classic").code, 0);
    EXPECT_NE(ReadWhole(dir.File("tessel_memo2026.ini")).find("1=layered"), std::string::npos);
    EXPECT_NE(ReadWhole(dir.File("desk-calendar-classic_memo2026.ini")).find("1=classic"), std::string::npos);
    // Reading needs the calendar's configuration: each edition has its own.
    ExpectFailure(RunCli(dir, "--dir " + folder + " memo get 2026-05-01"));
    WriteIni(dir.File("desk-calendar.ini"), {"[CONFIG]"});
    EXPECT_EQ(RunCli(dir, "--dir " + folder + " memo get 2026-05-01").out, "layered\n");
    ExpectFailure(RunCli(dir, "--dir " + folder + " --classic memo get 2026-05-01"));
    WriteIni(dir.File("desk-calendar-classic.ini"), {"[CONFIG]"});
    EXPECT_EQ(RunCli(dir, "--classic --dir " + folder + " memo get 2026-05-01").out, "classic\n");
    // The layered program's own configuration as a path: the files named after it, not the memos above.
    EXPECT_EQ(RunCli(dir, "--config '" + dir.File("desk-calendar.ini") + "' memo get 2026-05-01").out, "");
    // A folder that is not there.
    CliResult r = RunCli(dir, "--dir '" + dir.File("absent") + "' memo set 2026-05-01 x");
    ExpectFailure(r);
    EXPECT_NE(r.err.find(Utf8(u8"フォルダーがありません")), std::string::npos) << r.err;
    ExpectFailure(RunCli(dir, "--dir " + folder + " --config '" + dir.File("desk-calendar.ini") + "' settings"));
}

TEST(CliFiles, HelpTellsWhichFilesEachFormUses) {
    TempFolder dir;
    CliResult r = RunCli(dir, "--dir '" + dir.Path() + "' --help");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "");
    for (const char8_t* part : {u8"--dir フォルダー", u8"--classic", u8"--config パス", u8"tessel_memo<年>.ini",
                             u8"desk-calendar-classic_memo<年>.ini", u8"import-ics ファイル", u8"export-ics"})
        EXPECT_NE(r.out.find(Utf8(part)), std::string::npos) << Utf8(part);
    // And, for the options given, the files themselves.
    EXPECT_NE(r.out.find(dir.File("desk-calendar.ini") + "\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(dir.File("tessel_memo<") + Utf8(u8"年>.ini\n")), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(dir.File("tessel_holiday.ini") + "\n"), std::string::npos) << r.out;
    EXPECT_FALSE(FileExists(dir.File("desk-calendar.ini")));
}

TEST(CliErrors, ExitTwoWithOneLineAndNothingWritten) {
    TempFolder dir;
    std::string config = dir.File("c.ini");
    ExpectFailure(RunCli(dir, "--config '" + config + "' frobnicate"));
    ExpectFailure(RunCli(dir, ""));
    ExpectFailure(RunCli(dir, "--config"));
    ExpectFailure(RunCli(dir, "--config '" + config + "'"));
    ExpectFailure(RunCli(dir, "--config '" + config + "' settings extra"));
    ExpectFailure(RunCli(dir, "--config '" + dir.Path() + "' settings"));  // a folder
    std::string missing = dir.File("absent/c.ini");
    ExpectFailure(RunCli(dir, "--config '" + missing + "' settings"));
    CliResult r = RunCli(dir, "--config '" + missing + "' memo set 2026-01-01 x");  // writing too
    ExpectFailure(r);
    EXPECT_NE(r.err.find(Utf8(u8"設定ファイルのフォルダーがありません")), std::string::npos) << r.err;
    EXPECT_FALSE(FileExists(dir.File("absent")));
    ExpectFailure(RunCli(dir, "--config '' settings"));
    EXPECT_FALSE(FileExists(config));
}
