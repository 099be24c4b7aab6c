// The sync engine against a real CalDAV server (Radicale on loopback): memo folders synced
// through one calendar, an independent client's changes, conflicts, idle syncs, a server gone.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "calendar/civil_date.h"
#include "config/file_names.h"
#include "config/profile_store.h"
#include "config/tags.h"
#include "memo/memo_store.h"
#include "sync/caldav_requests.h"
#include "sync/dav_xml.h"
#include "sync/line_match.h"
#include "sync/sync_engine.h"
#include "sync/sync_state.h"
#include "sync/text_convert.h"
#include "tests/memo/memo_folder.h"
#include "tests/sync/sync_server.h"

namespace {
std::string U8(const char* cp932) { return Cp932ToUtf8(cp932).value_or(""); }

RadicaleServer& Server() {
    static RadicaleServer* server = new RadicaleServer;  // one for the whole run, stopped at exit
    static bool registered = (std::atexit([] { delete server; }), true);
    (void)registered;
    return *server;
}

// One memo folder of its own and the sync's view of it.
struct Folder {
    TempFolder dir;
    DataFiles files{};
    Folder() {
        std::snprintf(files.memoPath, sizeof files.memoPath, "%s", dir.File("t_memo.ini").c_str());
        std::snprintf(files.yearMemoBase, sizeof files.yearMemoBase, "%s", dir.File("t_memo").c_str());
        std::snprintf(files.configPath, sizeof files.configPath, "%s", dir.File("t.ini").c_str());
    }
    void Use() {
        g_files = files;
        SetMemoFiles(files);
    }
    void Set(int y, int m, int d, const char* text) {
        Use();
        ASSERT_TRUE(StoreMemo(y, m, d, text, false).result);
    }
    std::string Get(int y, int m, int d) {
        Use();
        return ReadMemo(y, m, d);
    }
    std::string Year(int y) const { return ReadWhole(dir.File("t_memo" + std::to_string(y) + ".ini")); }
};

struct Synced {
    SyncOutcome outcome;
    int requests;
};

Synced Sync(Folder& f, const std::string& url, const std::string& password = kSyncPassword,
            const HttpLimits& limits = HttpLimits{}) {
    f.Use();
    std::unique_ptr<HttpTransport> t = MakeHttpTransport(limits, HttpCredentials{kSyncUser, password});
    SyncJob job;
    job.files = &f.files;
    job.url = url;
    job.tags = &g_tags;
    Synced s{RunSync(job, *t), t->RequestCount()};
    return s;
}

class SyncEngine : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Server().running());
        ResetTags();
        ProfileStoreReset();
        url_ = Server().NewCalendar(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override { ResetMemoStore(); }
    std::string url_;
};

TEST_F(SyncEngine, TwoFoldersHoldTheSameFilesAndAnIdleSyncChangesNothing) {
    Folder a, b;
    // Typed out of order: the files still come out the same as those the sync writes.
    a.Set(2027, 1, 1, "x");
    a.Set(2026, 12, 11, "a\r\n\r\n  b\r\nc");  // blank lines kept
    a.Set(2026, 12, 10, "10:00 \x89\xEF\x8B\x63\r\n\x94\x83\x82\xA2\x95\xA8");  // 会議, 買い物
    a.Set(2026, 11, 30, "y");
    Synced first = Sync(a, url_);
    ASSERT_TRUE(first.outcome.ok()) << SyncFailureLine(first.outcome);
    EXPECT_EQ(first.outcome.counts.sent, 7);
    EXPECT_EQ(Server().StoredEvents(::testing::UnitTest::GetInstance()->current_test_info()->name()), 7);

    Synced down = Sync(b, url_);
    ASSERT_TRUE(down.outcome.ok()) << SyncFailureLine(down.outcome);
    EXPECT_EQ(down.outcome.counts.received, 7);
    EXPECT_EQ(b.Year(2026), a.Year(2026));
    EXPECT_EQ(b.Year(2027), a.Year(2027));
    EXPECT_EQ(b.Get(2026, 12, 11), "a\r\n\r\n  b\r\nc");

    // Idle on both sides: no byte of any memo or state file changes, at most three requests.
    std::string yearA = a.Year(2026), yearB = b.Year(2026);
    std::string stateA = ReadWhole(SyncStatePath(a.files)), stateB = ReadWhole(SyncStatePath(b.files));
    for (Folder* f : {&a, &b}) {
        Synced idle = Sync(*f, url_);
        ASSERT_TRUE(idle.outcome.ok());
        EXPECT_LE(idle.requests, 3);
        EXPECT_EQ(idle.outcome.counts.sent + idle.outcome.counts.received, 0);
        EXPECT_FALSE(idle.outcome.memosChanged);
    }
    EXPECT_EQ(a.Year(2026), yearA);
    EXPECT_EQ(b.Year(2026), yearB);
    EXPECT_EQ(ReadWhole(SyncStatePath(b.files)), stateB);

    // A line inserted above the others moves them: the other folder follows, byte for byte.
    a.Set(2026, 12, 11, "new\r\na\r\n\r\n  b\r\nc");
    ASSERT_TRUE(Sync(a, url_).outcome.ok());
    Synced follow = Sync(b, url_);
    ASSERT_TRUE(follow.outcome.ok());
    EXPECT_EQ(b.Year(2026), a.Year(2026));
    EXPECT_EQ(b.Get(2026, 12, 11), "new\r\na\r\n\r\n  b\r\nc");
    // A deleted line goes from the other folder too.
    a.Set(2026, 12, 10, "10:00 \x89\xEF\x8B\x63");
    Synced del = Sync(a, url_);
    EXPECT_EQ(del.outcome.counts.deletedRemote, 1);
    Synced gone = Sync(b, url_);
    EXPECT_EQ(gone.outcome.counts.deletedLocal, 1);
    EXPECT_EQ(b.Year(2026), a.Year(2026));
    // A month's last memo deleted: neither folder keeps its empty section.
    a.Set(2026, 11, 30, "");
    ASSERT_TRUE(Sync(a, url_).outcome.ok());
    ASSERT_TRUE(Sync(b, url_).outcome.ok());
    EXPECT_EQ(b.Year(2026), a.Year(2026));
    EXPECT_EQ(a.Year(2026).find("[11]"), std::string::npos);
    (void)stateA;
}

TEST_F(SyncEngine, AnotherClientsNewEditedMovedAndDeletedEventsComeDown) {
    Folder a;
    a.Set(2026, 12, 1, "mine");
    ASSERT_TRUE(Sync(a, url_).outcome.ok());
    int rc = 0;
    Peer(url_, "add peer-1 20261215 '" + U8("歯医者") + "' 1430", &rc);
    ASSERT_EQ(rc, 0);
    Peer(url_, "add peer-2 20261216 allday");
    Peer(url_, "add peer-3 20261207 weekly 0900 'FREQ=WEEKLY;COUNT=3'");
    Synced s = Sync(a, url_);
    ASSERT_TRUE(s.outcome.ok()) << SyncFailureLine(s.outcome);
    EXPECT_EQ(a.Get(2026, 12, 15), "14:30 \x8E\x95\x88\xE3\x8E\xD2");  // 歯医者
    EXPECT_EQ(a.Get(2026, 12, 16), "allday");
    EXPECT_EQ(a.Get(2026, 12, 7), "9:00 weekly");
    EXPECT_EQ(a.Get(2026, 12, 14), "9:00 weekly");
    EXPECT_EQ(a.Get(2026, 12, 21), "9:00 weekly");
    EXPECT_EQ(a.Get(2026, 12, 28), "");
    EXPECT_EQ(a.Get(2026, 12, 1), "mine");

    Peer(url_, "summary peer-1 dentist");
    Peer(url_, "move peer-2 20261218");
    Peer(url_, "delete peer-3");
    s = Sync(a, url_);
    ASSERT_TRUE(s.outcome.ok()) << SyncFailureLine(s.outcome);
    EXPECT_EQ(a.Get(2026, 12, 15), "14:30 dentist");
    EXPECT_EQ(a.Get(2026, 12, 16), "");
    EXPECT_EQ(a.Get(2026, 12, 18), "allday");
    EXPECT_EQ(a.Get(2026, 12, 7), "");
    EXPECT_EQ(a.Get(2026, 12, 14), "");
    EXPECT_EQ(s.outcome.counts.deletedLocal, 3);

    // And our own events as the other client sees them: one event per line.
    std::string list = Peer(url_, "list");
    EXPECT_NE(list.find("20261201|mine\n"), std::string::npos) << list;
    EXPECT_NE(list.find("20261215T143000|dentist\n"), std::string::npos) << list;
}

TEST_F(SyncEngine, AChangeOnBothSidesKeepsBothTexts) {
    Folder a, b;
    a.Set(2026, 12, 3, "plan");
    ASSERT_TRUE(Sync(a, url_).outcome.ok());
    ASSERT_TRUE(Sync(b, url_).outcome.ok());
    a.Set(2026, 12, 3, "plan A");
    b.Set(2026, 12, 3, "plan B");
    ASSERT_TRUE(Sync(a, url_).outcome.ok());
    Synced s = Sync(b, url_);
    ASSERT_TRUE(s.outcome.ok()) << SyncFailureLine(s.outcome);
    EXPECT_EQ(s.outcome.counts.conflicts, 1);
    std::string kept = b.Get(2026, 12, 3);
    EXPECT_NE(kept.find("plan B"), std::string::npos) << kept;
    EXPECT_NE(kept.find("plan A"), std::string::npos) << kept;
    // Both lines reach the other folder, and then all agree.
    ASSERT_TRUE(Sync(a, url_).outcome.ok());
    ASSERT_TRUE(Sync(b, url_).outcome.ok());
    EXPECT_EQ(a.Get(2026, 12, 3), b.Get(2026, 12, 3));
    ASSERT_EQ(MemoLinesOf(a.Get(2026, 12, 3)).size(), 2u);

    // An edit here against a change by another client: both again.
    Peer(url_, "list");
    b.Set(2026, 12, 3, MemoOfLines({"plan B!", MemoLinesOf(b.Get(2026, 12, 3))[1]}).c_str());
    a.Set(2026, 12, 3, MemoOfLines({"plan B?", MemoLinesOf(a.Get(2026, 12, 3))[1]}).c_str());
    ASSERT_TRUE(Sync(a, url_).outcome.ok());
    s = Sync(b, url_);
    EXPECT_EQ(s.outcome.counts.conflicts, 1);
    std::string both = b.Get(2026, 12, 3);
    EXPECT_NE(both.find("plan B!"), std::string::npos) << both;
    EXPECT_NE(both.find("plan B?"), std::string::npos) << both;
}

// The window stores a memo in the instant after the sync read it: the reader below writes the
// day anew right after the sync's read of it, once.
bool g_typedIn = false;
int ReadThenTypeIn(const char* section, const char* key, const char* def, char* buf, int size, const char* path) {
    int n = ProfileReadString(section, key, def, buf, size, path);
    if (!g_typedIn && std::string(section) == "12" && std::string(key) == "3") {
        g_typedIn = true;
        EXPECT_TRUE(ProfileWriteString(section, key, "plan\x7Ftyped meanwhile", path).ok());
    }
    return n;
}

TEST_F(SyncEngine, AMemoStoredWhileTheSyncRunsIsKeptBesideWhatArrived) {
    Folder a;
    a.Set(2026, 12, 3, "plan");
    ASSERT_TRUE(Sync(a, url_).outcome.ok());
    Peer(url_, "add peer-1 20261203 lunch 1200");
    g_typedIn = false;
    SetMemoProfileReader(ReadThenTypeIn);
    Synced s = Sync(a, url_);
    SetMemoProfileReader(nullptr);
    ASSERT_TRUE(g_typedIn);
    ASSERT_TRUE(s.outcome.ok()) << SyncFailureLine(s.outcome);
    std::vector<std::string> lines = MemoLinesOf(a.Get(2026, 12, 3));
    auto has = [&](const char* l) { return std::find(lines.begin(), lines.end(), l) != lines.end(); };
    EXPECT_TRUE(has("plan"));
    EXPECT_TRUE(has("typed meanwhile")) << a.Get(2026, 12, 3);
    EXPECT_TRUE(has("12:00 lunch")) << a.Get(2026, 12, 3);
    // The next sync sends the day as it stands; the server then holds the typed line too.
    ASSERT_TRUE(Sync(a, url_).outcome.ok());
    EXPECT_NE(Peer(url_, "list").find("typed meanwhile"), std::string::npos);
}

TEST_F(SyncEngine, AWrongPasswordAndAStoppedServerFailWithTheirCauseAndLoseNothing) {
    Folder a;
    a.Set(2026, 12, 5, "keep me");
    Synced wrong = Sync(a, url_, "not-the-password");
    EXPECT_EQ(wrong.outcome.failure, SyncFailure::kAuth);
    EXPECT_EQ(a.Get(2026, 12, 5), "keep me");
    // Nothing remembered: the next good sync sends the line.
    Synced good = Sync(a, url_);
    ASSERT_TRUE(good.outcome.ok());
    EXPECT_EQ(good.outcome.counts.sent, 1);

    // Not a calendar: the folder above the collections.
    std::unique_ptr<HttpTransport> t = MakeHttpTransport(HttpLimits{}, HttpCredentials{kSyncUser, kSyncPassword});
    EXPECT_EQ(CheckSyncCalendar(Server().Base() + "/tessel/", *t).failure, SyncFailure::kNotCalendar);
    EXPECT_TRUE(CheckSyncCalendar(url_, *t).ok());
    // Plain http to another machine is refused before anything is sent.
    EXPECT_EQ(CheckSyncCalendar("http://192.0.2.1/cal/", *t).failure, SyncFailure::kInsecureUrl);

    std::string before = a.Year(2026);
    Server().Stop();
    Synced down = Sync(a, url_);
    ASSERT_TRUE(Server().Start());
    EXPECT_EQ(down.outcome.failure, SyncFailure::kUnreachable);
    EXPECT_EQ(a.Year(2026), before);
}

TEST_F(SyncEngine, ASilentServerTimesOutAndAHugeResponseIsRefusedLosingNothing) {
    Folder a, b;
    for (int d = 1; d <= 20; ++d) a.Set(2026, 6, d, ("line of day " + std::to_string(d)).c_str());
    ASSERT_TRUE(Sync(a, url_).outcome.ok());
    std::string before = a.Year(2026), state = ReadWhole(SyncStatePath(a.files));

    HttpLimits quick;
    quick.connectTimeoutMs = 1000;
    quick.totalTimeoutMs = 1500;
    Server().Freeze(true);
    a.Set(2026, 6, 1, "changed meanwhile");
    Synced silent = Sync(a, url_, kSyncPassword, quick);
    Server().Freeze(false);
    EXPECT_EQ(silent.outcome.failure, SyncFailure::kTimeout);
    EXPECT_EQ(a.Get(2026, 6, 1), "changed meanwhile");
    EXPECT_EQ(ReadWhole(SyncStatePath(a.files)), state);

    // Twenty events do not fit in 4 KB: the download stops, nothing is written.
    HttpLimits small;
    small.maxResponseBytes = 4096;
    Synced huge = Sync(b, url_, kSyncPassword, small);
    EXPECT_EQ(huge.outcome.failure, SyncFailure::kTooLarge);
    EXPECT_FALSE(FileExists(b.dir.File("t_memo2026.ini")));
    EXPECT_FALSE(FileExists(SyncStatePath(b.files)));
    // Then both finish.
    ASSERT_TRUE(Sync(a, url_).outcome.ok());
    ASSERT_TRUE(Sync(b, url_).outcome.ok());
    EXPECT_EQ(b.Year(2026), a.Year(2026));
    EXPECT_EQ(b.Get(2026, 6, 1), "changed meanwhile");
    (void)before;
}

TEST_F(SyncEngine, ALineOfARepeatingEventEditedHereDetachesItsDatesFromTheSeries) {
    Folder a;
    Peer(url_, "add series-1 20261102 standup 0930 'FREQ=WEEKLY;COUNT=3'");
    ASSERT_TRUE(Sync(a, url_).outcome.ok());
    ASSERT_EQ(a.Get(2026, 11, 9), "9:30 standup");
    a.Set(2026, 11, 9, "9:30 standup moved");
    Synced s = Sync(a, url_);
    ASSERT_TRUE(s.outcome.ok()) << SyncFailureLine(s.outcome);
    EXPECT_EQ(s.outcome.counts.deletedRemote, 1);
    EXPECT_EQ(s.outcome.counts.sent, 3);
    EXPECT_EQ(a.Get(2026, 11, 2), "9:30 standup");
    EXPECT_EQ(a.Get(2026, 11, 16), "9:30 standup");
    EXPECT_EQ(Peer(url_, "list"), "20261102T093000|9:30 standup\n20261109T093000|9:30 standup moved\n"
                                  "20261116T093000|9:30 standup\n");
    Synced idle = Sync(a, url_);
    EXPECT_EQ(idle.outcome.counts.sent + idle.outcome.counts.received + idle.outcome.counts.deletedLocal, 0);
}

// The real transport, with another client's edit slipped in just before the first PUT: the
// moment a sync has read the server's changes and not yet sent its own.
class EditBeforeFirstPut : public HttpTransport {
  public:
    EditBeforeFirstPut(std::unique_ptr<HttpTransport> real, std::string url, std::string peerArgs)
        : real_(std::move(real)), url_(std::move(url)), peerArgs_(std::move(peerArgs)) {}
    HttpResponse Send(const HttpRequest& r) override {
        ++requests_;
        if (r.method == "PUT" && !peerArgs_.empty()) {
            Peer(url_, peerArgs_);
            peerArgs_.clear();
        }
        return real_->Send(r);
    }

  private:
    std::unique_ptr<HttpTransport> real_;
    std::string url_, peerArgs_;
};

TEST_F(SyncEngine, AnEventChangedElsewhereJustBeforeOurPutIsNeverOverwritten) {
    Folder a;
    ASSERT_EQ(Peer(url_, "add late-1 20261120 original"), "");
    ASSERT_TRUE(Sync(a, url_).outcome.ok());
    ASSERT_EQ(a.Get(2026, 11, 20), "original");
    a.Set(2026, 11, 20, "ours");
    a.Use();
    EditBeforeFirstPut t(MakeHttpTransport(HttpLimits{}, HttpCredentials{kSyncUser, kSyncPassword}), url_,
                         "summary late-1 theirs");
    SyncJob job;
    job.files = &a.files;
    job.url = url_;
    job.tags = &g_tags;
    SyncOutcome o = RunSync(job, t);
    ASSERT_TRUE(o.ok()) << SyncFailureLine(o);
    EXPECT_EQ(Peer(url_, "list"), "20261120|theirs\n");  // the If-Match PUT was refused
    // The next sync sees both changes and keeps both texts.
    Synced next = Sync(a, url_);
    ASSERT_TRUE(next.outcome.ok());
    EXPECT_EQ(next.outcome.counts.conflicts, 1);
    std::vector<std::string> lines = MemoLinesOf(a.Get(2026, 11, 20));
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"ours", "theirs"}));
    std::string list = Peer(url_, "list");
    EXPECT_NE(list.find("20261120|ours\n"), std::string::npos) << list;
    EXPECT_NE(list.find("20261120|theirs\n"), std::string::npos) << list;
}

TEST(SyncMultistatus, ReadsWhatTheEngineNeedsAndRefusesWhatIsNoMultistatus) {
    DavMultistatus ms;
    ASSERT_TRUE(ParseMultistatus(
        "<?xml version=\"1.0\"?><D:multistatus xmlns:D=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:caldav\">"
        "<D:response><D:href>/c/a.ics</D:href><D:propstat><D:prop><D:getetag>\"e1\"</D:getetag>"
        "<C:calendar-data>BEGIN:VCALENDAR&#13;\nEND:VCALENDAR</C:calendar-data></D:prop>"
        "<D:status>HTTP/1.1 200 OK</D:status></D:propstat></D:response>"
        "<D:response><D:href>/c/gone.ics</D:href><D:status>HTTP/1.1 404 Not Found</D:status></D:response>"
        "<D:sync-token>tok-2</D:sync-token></D:multistatus>",
        &ms));
    ASSERT_EQ(ms.resources.size(), 2u);
    EXPECT_EQ(ms.resources[0].href, "/c/a.ics");
    EXPECT_EQ(ms.resources[0].status, 200);
    EXPECT_EQ(ms.resources[0].etag, "\"e1\"");
    EXPECT_EQ(ms.resources[0].calendarData, "BEGIN:VCALENDAR\r\nEND:VCALENDAR");
    EXPECT_EQ(ms.resources[1].status, 404);
    EXPECT_EQ(ms.syncToken, "tok-2");
    EXPECT_FALSE(ParseMultistatus("<html><body>502 Bad Gateway</body></html>", &ms));
    EXPECT_FALSE(ParseMultistatus("<D:multistatus xmlns:D=\"DAV:\"><D:response>", &ms));
    EXPECT_TRUE(ms.resources.empty());
    // An entity from outside is never fetched nor expanded.
    ASSERT_TRUE(ParseMultistatus("<?xml version=\"1.0\"?><!DOCTYPE m [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
                                 "<D:multistatus xmlns:D=\"DAV:\"><D:response><D:href>&x;</D:href>"
                                 "</D:response></D:multistatus>",
                                 &ms));
    ASSERT_EQ(ms.resources.size(), 1u);
    EXPECT_EQ(ms.resources[0].href.find("root"), std::string::npos);
}

TEST(SyncHrefs, AnHrefNamingAnotherServerStaysOnOurs) {
    EXPECT_EQ(UrlOfHref("https://cal.example/u/cal/", "/u/cal/a.ics"), "https://cal.example/u/cal/a.ics");
    EXPECT_EQ(UrlOfHref("https://cal.example/u/cal/", "https://elsewhere.example/u/cal/a.ics"),
              "https://cal.example/u/cal/a.ics");
    EXPECT_EQ(NormalHref("https://cal.example/u/c%61l/a%20b.ics"), "/u/cal/a b.ics");
}

TEST(SyncLines, EditsBetweenKeptLinesPairUpAndBlankLinesNeverMatch) {
    LineMatch m = MatchLines({"a", "b", "c"}, {"a", "", "B", "c", "d"});
    EXPECT_EQ(m.baseTo, (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(m.edited, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(m.added, (std::vector<int>{4}));
    // Moved within the day, not deleted and written anew.
    m = MatchLines({"a", "p", "c"}, {"a", "c", "p"});
    EXPECT_EQ(m.baseTo, (std::vector<int>{0, 2, 1}));
    EXPECT_TRUE(m.added.empty());
    m = MatchLines({"a", "b"}, {"b"});
    EXPECT_EQ(m.baseTo, (std::vector<int>{-1, 0}));
    EXPECT_TRUE(m.added.empty());
}

TEST(SyncStateFile, RecordsKeepTheirTextsWhateverBytesTheyHold) {
    SyncRecord r{"/c/a b|.ics", "\"e,1\"", "u;1", true, false, {{20000, 2, "x|y,z%\x81\x7F 1", 3}, {20001, 0, " ", 0}}};
    SyncRecord back;
    ASSERT_TRUE(DecodeSyncRecord(EncodeSyncRecord(r), &back));
    EXPECT_EQ(back.href, r.href);
    EXPECT_EQ(back.etag, r.etag);
    EXPECT_EQ(back.uid, r.uid);
    EXPECT_EQ(back.lines, r.lines);
    EXPECT_EQ(EncodeSyncRecord(r).find_first_of("\r\n\x7F"), std::string::npos);
}
}  // namespace
