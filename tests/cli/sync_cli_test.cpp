// desk-calendar-cli sync setup and sync against a real Radicale: the password kept beside the
// configuration and nowhere else, failures named in one line with status 2, and syncs killed
// (SIGKILL) or cut off by a stopped server at any moment, finished by one more sync with no line
// missing or doubled on either side.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fcntl.h>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "sync/text_convert.h"
#include "tests/sync/sync_server.h"

extern char** environ;

namespace {
std::string U8(const char* cp932) { return Cp932ToUtf8(cp932).value_or(""); }

struct Out {
    int rc;
    std::string out, err;
};

Out Cli(const TempFolder& dir, const std::string& args, const std::string& input = "") {
    std::string cmd = "cd '" + dir.Path() + "' && printf '%s' '" + input + "' | '" TESSEL_CLI "' --config t.ini " + args +
                      " >out.txt 2>err.txt";
    int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWhole(dir.File("out.txt")), ReadWhole(dir.File("err.txt"))};
}

RadicaleServer& Server() {
    static RadicaleServer* server = new RadicaleServer;
    static bool registered = (std::atexit([] { delete server; }), true);
    (void)registered;
    return *server;
}

std::string Name() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

void ConnectFolder(const TempFolder& dir, const std::string& url) {
    Out r = Cli(dir, "sync setup '" + url + "' tessel", "secret-pw\n");
    ASSERT_EQ(r.rc, 0) << r.err;
}

// Every memo line of the folder as "date|line", sorted (the CLI reads them back).
std::vector<std::string> AllLines(const TempFolder& dir, const std::vector<std::string>& dates) {
    std::vector<std::string> out;
    for (const std::string& d : dates) {
        Out r = Cli(dir, "memo get " + d);
        size_t at = 0;
        while (at < r.out.size()) {
            size_t end = r.out.find('\n', at);
            std::string line = r.out.substr(at, end - at);
            if (!line.empty()) out.push_back(d + "|" + line);
            at = end == std::string::npos ? r.out.size() : end + 1;
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

// Starts a sync, kills it after ms milliseconds (SIGKILL); true when it had ended by itself.
bool SyncKilledAfter(const TempFolder& dir, int ms, int* rc) {
    std::string cli = TESSEL_CLI, config = dir.File("t.ini");
    char* argv[] = {cli.data(), const_cast<char*>("--config"), config.data(), const_cast<char*>("sync"), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid;
    if (posix_spawn(&pid, cli.c_str(), &actions, nullptr, argv, environ) != 0) return false;
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    for (int waited = 0; waited < ms; waited += 5) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            *rc = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return true;
        }
        usleep(5000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return false;
}

class SyncCli : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Server().running());
        url_ = Server().NewCalendar(Name());
    }
    std::string url_;
};

TEST_F(SyncCli, SetupKeepsThePasswordOwnerOnlyBesideTheConfigurationAndRefusesBadOnes) {
    TempFolder dir;
    Out wrong = Cli(dir, "sync setup '" + url_ + "' tessel", "bad-pw\n");
    EXPECT_EQ(wrong.rc, 2);
    EXPECT_EQ(wrong.err, U8("desk-calendar-cli: ユーザー名かパスワードが違います (HTTP 401)\n"));
    EXPECT_FALSE(FileExists(dir.File("t_caldav.pw")));
    EXPECT_EQ(ReadWhole(dir.File("t.ini")).find("CALDAV"), std::string::npos);

    Out notCalendar = Cli(dir, "sync setup '" + Server().Base() + "/tessel/' tessel", "secret-pw\n");
    EXPECT_EQ(notCalendar.rc, 2);
    EXPECT_EQ(notCalendar.err, U8("desk-calendar-cli: その URL は予定を入れられるカレンダーではありません\n"));
    Out insecure = Cli(dir, "sync setup 'http://192.0.2.1/cal/' tessel", "secret-pw\n");
    EXPECT_EQ(insecure.rc, 2);
    EXPECT_NE(insecure.err.find("https://"), std::string::npos) << insecure.err;
    EXPECT_FALSE(FileExists(dir.File("t_caldav.pw")));

    ConnectFolder(dir, url_);
    struct stat st;
    ASSERT_EQ(stat(dir.File("t_caldav.pw").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    std::string config = ReadWhole(dir.File("t.ini"));
    EXPECT_NE(config.find("URL=" + url_), std::string::npos) << config;
    EXPECT_NE(config.find("USER=tessel"), std::string::npos);
    EXPECT_EQ(config.find("secret-pw"), std::string::npos);

    Cli(dir, "memo set 2026-12-24 party");
    Out ok = Cli(dir, "sync");
    EXPECT_EQ(ok.rc, 0) << ok.err;
    EXPECT_EQ(ok.out, U8("同期: 送信 1、受信 0、サーバーで削除 0、メモから削除 0、両方の変更を残した 0\n"));

    chmod(dir.File("t_caldav.pw").c_str(), 0644);  // others may read it now: refused
    Out exposed = Cli(dir, "sync");
    EXPECT_EQ(exposed.rc, 2);
    EXPECT_NE(exposed.err.find(U8("ほかの人も読める")), std::string::npos) << exposed.err;
}

TEST_F(SyncCli, AStoppedServerExitsTwoWithItsCauseAndTheNextSyncFinishes) {
    TempFolder a;
    ConnectFolder(a, url_);
    std::vector<std::string> dates;
    std::string memo;
    for (int i = 0; i < 12; ++i) memo += (i ? "\n" : "") + std::string("line ") + std::to_string(i);
    for (int d = 1; d <= 28; ++d) {
        dates.push_back("2026-02-" + std::string(d < 10 ? "0" : "") + std::to_string(d));
        Cli(a, "memo set " + dates.back() + " '" + memo + "'");
    }
    std::vector<std::string> expected = AllLines(a, dates);
    ASSERT_EQ(expected.size(), 28u * 12u);
    // The server goes away while the lines go up.
    std::thread stopper([&] {
        for (int i = 0; i < 2000 && Server().StoredEvents(Name()) < 60; ++i)
            usleep(5000);
        Server().Stop();
    });
    Out cut = Cli(a, "sync");
    stopper.join();
    EXPECT_EQ(cut.rc, 2);
    // One line naming the cause, then what the platform said (the connection refused, or cut).
    EXPECT_EQ(cut.err.rfind(U8("desk-calendar-cli: サーバーにつながりません: "), 0), 0u) << cut.err;
    EXPECT_EQ(std::count(cut.err.begin(), cut.err.end(), '\n'), 1);
    EXPECT_EQ(AllLines(a, dates), expected);
    ASSERT_TRUE(Server().Start());
    Out rest = Cli(a, "sync");
    EXPECT_EQ(rest.rc, 0) << rest.err;
    EXPECT_EQ(Server().StoredEvents(Name()), 28 * 12);
    EXPECT_EQ(AllLines(a, dates), expected);
}

TEST_F(SyncCli, SyncsKilledAtAnyMomentThenOneFullSyncLeaveNoLineMissingOrDoubled) {
    TempFolder a, b;
    ConnectFolder(a, url_);
    ConnectFolder(b, url_);
    std::vector<std::string> dates;
    for (int d = 1; d <= 30; ++d) {
        dates.push_back("2026-04-" + std::string(d < 10 ? "0" : "") + std::to_string(d));
        Cli(a, "memo set " + dates.back() + " 'a" + std::to_string(d) + "\n\nb" + std::to_string(d) + "\n10:00 c'");
    }
    std::vector<std::string> expected = AllLines(a, dates);
    // Kills at growing moments, first up from a, then down to b, each followed by one full sync.
    for (TempFolder* f : {&a, &b}) {
        int rc = -1, kills = 0;
        for (int ms = 20; ms < 800 && !SyncKilledAfter(*f, ms, &rc); ms += 40) ++kills;
        EXPECT_GT(kills, 0);
        Out full = Cli(*f, "sync");
        EXPECT_EQ(full.rc, 0) << full.err;
    }
    EXPECT_EQ(Server().StoredEvents(Name()), 90);
    EXPECT_EQ(AllLines(a, dates), expected);
    EXPECT_EQ(AllLines(b, dates), expected);
    EXPECT_EQ(ReadWhole(b.File("t_memo2026.ini")), ReadWhole(a.File("t_memo2026.ini")));

    // Edits, deletions and another client's events, with kills on both sides.
    for (int d = 1; d <= 30; d += 2) Cli(a, "memo set " + dates[static_cast<size_t>(d - 1)] + " 'a" + std::to_string(d) + " edited\n10:00 c'");
    for (int i = 0; i < 10; ++i) Peer(url_, "add p" + std::to_string(i) + " 202604" + (i < 9 ? "0" : "") + std::to_string(i + 1) + " peer" + std::to_string(i));
    for (TempFolder* f : {&a, &b, &a}) {
        int rc = -1;
        for (int ms = 20; ms < 600 && !SyncKilledAfter(*f, ms, &rc); ms += 40) {
        }
        Out full = Cli(*f, "sync");
        EXPECT_EQ(full.rc, 0) << full.err;
    }
    std::vector<std::string> la = AllLines(a, dates), lb = AllLines(b, dates);
    EXPECT_EQ(la, lb);
    EXPECT_EQ(la.size(), 90u - 15u + 10u) << ::testing::PrintToString(la);
    EXPECT_EQ(std::adjacent_find(la.begin(), la.end()), la.end());  // nothing doubled
    EXPECT_EQ(Server().StoredEvents(Name()), 90 - 15 + 10);
    EXPECT_EQ(ReadWhole(b.File("t_memo2026.ini")), ReadWhole(a.File("t_memo2026.ini")));
    if (HasFailure()) std::fprintf(stderr, "%s\n", Server().Log().c_str());
}
}  // namespace
