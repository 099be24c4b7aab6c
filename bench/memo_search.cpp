// The memo search natively: thirty year files with a memo on every day (about 11,000 memos),
// searched through the profile store, first with the files still to be parsed, then again.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <unistd.h>

#include "bench/bench_clock.h"
#include "bench/memo_bench_data.h"
#include "config/profile_store.h"
#include "config/file_names.h"
#include "config/tags.h"
#include "memo/memo_search.h"

int main() {
    char tmpl[] = "/tmp/tessel_bench_XXXXXX";
    if (!mkdtemp(tmpl)) return 1;
    std::string folder = std::string(tmpl) + "/";
    int memos = WriteBenchMemoFiles(folder);
    if (memos < 0) return 1;

    std::vector<SearchRow> rows;
    ProfileStoreReset();
    double t0 = BenchSeconds();
    SearchMemos(g_files.memoPath, g_tags, "会議", &rows);
    double cold = BenchSeconds() - t0;
    size_t hits = rows.size();
    t0 = BenchSeconds();
    SearchMemos(g_files.memoPath, g_tags, "会議", &rows);
    double warm = BenchSeconds() - t0;

    std::string cmd = "rm -rf '" + std::string(tmpl) + "'";
    if (std::system(cmd.c_str()) != 0) std::perror("rm");
    std::printf("memo_search (native): %d memos in %d year files, %zu hits, %d key reads\n", memos,
                kBenchYears, hits, kBenchYears * 372);
    std::printf("  files to parse:  %8.2f ms\n", cold * 1e3);
    std::printf("  files kept:      %8.2f ms\n", warm * 1e3);
    if (rows.size() != hits || hits == 0) {
        std::printf("the two searches disagree\n");
        return 1;
    }
    std::printf("TIME memo_search_native_ms %.2f\n", cold * 1e3);
    return 0;
}
