// The first sync of 2,000 memo lines to a real CalDAV server (Radicale on loopback), beside the
// same 2,000 PUT requests sent bare through the same transport to another collection of the same
// server: what the sync adds to the server's own work.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "calendar/civil_date.h"
#include "config/file_names.h"
#include "config/profile_store.h"
#include "config/tags.h"
#include "memo/memo_store.h"
#include "sync/caldav_requests.h"
#include "sync/memo_events.h"
#include "sync/remote_event.h"
#include "sync/sync_engine.h"

namespace {
constexpr int kDays = 500, kLinesPerDay = 4;

std::string Run(const std::string& cmd) {
    std::string out;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return out;
    char buf[512];
    while (std::fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
}
}  // namespace

int main() {
    char tmpl[] = "/tmp/tessel_sync_bench_XXXXXX";
    if (!mkdtemp(tmpl)) return 1;
    std::string folder = tmpl, server = folder + "/server";
    std::string script = std::string(TESSEL_SOURCE_DIR) + "/tests/sync/radicale.sh";
    std::string url = Run("bash '" + script + "' start '" + server + "'");
    if (url.empty()) return 1;
    std::string base = url.substr(0, url.find("/tessel/"));
    std::string bare = base + "/tessel/bare/", synced = base + "/tessel/synced/";
    Run("curl -s -u tessel:secret-pw -X MKCALENDAR '" + bare + "'; curl -s -u tessel:secret-pw -X MKCALENDAR '" + synced + "'");

    std::snprintf(g_files.memoPath, sizeof g_files.memoPath, "%s/b_memo.ini", tmpl);
    std::snprintf(g_files.yearMemoBase, sizeof g_files.yearMemoBase, "%s/b_memo", tmpl);
    SetMemoFiles(g_files);
    ResetTags();
    int first = DayNumberOf(2026, 1, 1);
    std::vector<SyncLine> lines;
    {
        ProfileWriteBatch batch;
        for (int d = 0; d < kDays; ++d) {
            std::string memo;
            for (int i = 0; i < kLinesPerDay; ++i) {
                std::string text = (i == 0 ? "9:30 " : "") + std::string("line ") + std::to_string(d) + "-" + std::to_string(i);
                memo += (i ? "\r\n" : "") + text;
                lines.push_back(SyncLine{first + d, i, text, i});
            }
            int y, m, dd;
            DateOfDayNumber(first + d, &y, &m, &dd);
            (void)StoreMemo(y, m, dd, memo, false);
        }
        if (!batch.End()) return 1;
    }
    LineEventOptions options{&g_tags, true, 10};
    std::vector<HttpRequest> puts;
    for (const SyncLine& l : lines) {
        std::string uid = EventUid(IcsDateText(l.day) + "|bare|" + l.text);
        puts.push_back(PutEvent(bare + uid.substr(0, 16) + ".ics", OwnEventIcs(uid, l, options, "20260101T000000Z"), ""));
    }

    std::unique_ptr<HttpTransport> t = MakeHttpTransport(HttpLimits{}, HttpCredentials{"tessel", "secret-pw"});
    double t0 = BenchSeconds();
    int failed = 0;
    for (const HttpRequest& r : puts) failed += t->Send(r).status != 201;
    double bareSeconds = BenchSeconds() - t0;

    std::unique_ptr<HttpTransport> s = MakeHttpTransport(HttpLimits{}, HttpCredentials{"tessel", "secret-pw"});
    SyncJob job;
    job.files = &g_files;
    job.url = synced;
    job.tags = &g_tags;
    job.alarm = true;
    job.alarmMinutes = 10;
    t0 = BenchSeconds();
    SyncOutcome o = RunSync(job, *s);
    double syncSeconds = BenchSeconds() - t0;

    Run("bash '" + script + "' stop '" + server + "'");
    Run("rm -rf '" + folder + "'");
    std::printf("sync_first_upload: %zu lines on %d days\n", lines.size(), kDays);
    std::printf("  bare PUTs:   %8.1f ms (%d failed)\n", bareSeconds * 1e3, failed);
    std::printf("  first sync:  %8.1f ms (%d requests, %d sent)\n", syncSeconds * 1e3, s->RequestCount(), o.counts.sent);
    if (!o.ok() || o.counts.sent != static_cast<int>(lines.size()) || failed) {
        std::printf("the sync or the bare PUTs did not complete\n");
        return 1;
    }
    std::printf("RATIO sync_first_upload %.3f\n", bareSeconds / syncSeconds);
    return 0;
}
