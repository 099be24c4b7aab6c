// The command-line companion run in-process on fuzzed arguments and UTF-8 texts: a few runs per
// input (arguments split at NUL bytes, runs at 0x01 bytes), each on the files the runs before
// it left, always with --config in a private folder that starts with a configuration and a
// holiday file. The runs work in that folder, and a "/" in an argument becomes "_", so a file a
// run names (export-ics FILE) is made there and nowhere else. A run ends with status 0 or 2 and never crashes; its
// output goes nowhere.
#include <fcntl.h>
#include <sanitizer/common_interface_defs.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "fuzz_common.h"
#include "memo/undo_journal.h"

namespace {
constexpr char kHolidays[] =
    "[SETTING]\r\n1=0,1,1,-1,0,0,0,0,0,0,\x8C\xB3\x93\xFA\r\n2=0,1,0,-1,0,2,0,0,0,20000000,x\r\n"
    "3=0,13,0,-1,0,0,0,0,0,0,\x8Ft\x95\xAA\x82\xCC\x93\xFA\r\n4=1,0,15,-1,0,0,0,0,0,0,pay\r\n"
    "5=3,0,0,-1,0,0,0,0,2,19902030,[a,b],c\r\n6=0,5,3,-1,0,0,0,0,0,0,\x8C\x9B\x96@\r\n";
int g_quiet = -1;  // /dev/null
int g_stderr = -1;  // the real standard error, kept for the sanitizers' reports
char g_start[PATH_MAX];  // the working folder libFuzzer's relative paths mean
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (!std::freopen("/dev/null", "r", stdin) || !std::freopen("/dev/null", "w", stdout)) std::abort();
    g_quiet = open("/dev/null", O_WRONLY | O_CLOEXEC);
    g_stderr = dup(2);
    __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(g_stderr)));
    if (!getcwd(g_start, sizeof g_start)) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FreshDataFiles();
    ResetUndoJournal();
    PutFile(g_files.holidayPath, kHolidays);
    PutFile(g_files.configPath, "[CONFIG]\r\n");  // a calendar ran here: the reading commands read
    std::string config = g_files.configPath;
    std::vector<std::vector<std::string>> runs(1);
    std::string arg;
    for (size_t i = 0; i <= size && runs.size() <= 4; ++i) {
        char c = i < size ? static_cast<char>(data[i]) : '\0';
        if (c == '\0' || c == '\x01') {
            if (!arg.empty() || c == '\0') runs.back().push_back(arg);
            arg.clear();
            if (c == '\x01') runs.emplace_back();
        } else {
            arg += c == '/' ? '_' : c;
        }
    }
    if (chdir(FuzzFolder().c_str()) != 0) std::abort();
    int bad = 0;
    for (std::vector<std::string>& run : runs) {
        if (run.size() > 8) run.resize(8);
        std::vector<std::string> all = {"desk-calendar-cli", "--config", config};
        all.insert(all.end(), run.begin(), run.end());
        std::vector<char*> args;
        for (std::string& a : all) args.push_back(a.data());
        args.push_back(nullptr);
        std::fflush(stderr);
        dup2(g_quiet, 2);
        int rc = RunCli(static_cast<int>(all.size()), args.data());
        std::fflush(stdout);
        std::fflush(stderr);
        dup2(g_stderr, 2);
        if (rc != 0 && rc != 2) bad = rc;
    }
    if (chdir(g_start) != 0) std::abort();  // back before a report, whose file path may be relative
    FUZZ_CHECK(bad == 0, "status %d", bad);
    return 0;
}
