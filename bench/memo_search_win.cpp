// The memo search under Wine: thirty year files with a memo on every day (about 11,000 memos),
// our search through the profile store against the same search through GetPrivateProfileStringA,
// in one run.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "bench/memo_bench_data.h"
#include "config/profile_store.h"
#include "config/file_names.h"
#include "config/tags.h"
#include "memo/memo_search.h"
#include "memo/memo_store.h"

namespace {
int PlatformRead(const char* section, const char* key, const char* def, char* buf, int size, const char* path) {
    return static_cast<int>(GetPrivateProfileStringA(section, key, def, buf, static_cast<DWORD>(size), path));
}

bool SameRows(const std::vector<SearchRow>& a, const std::vector<SearchRow>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].date != b[i].date || a[i].text != b[i].text) return false;
    return true;
}
}  // namespace

int main() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    char folder[MAX_PATH];
    std::snprintf(folder, sizeof folder, "%stessel_search_%lu\\", base, GetCurrentProcessId());
    CreateDirectoryA(folder, nullptr);
    int memos = WriteBenchMemoFiles(folder);
    if (memos < 0) {
        std::printf("could not write the memo files in %s\n", folder);
        return 1;
    }

    std::vector<SearchRow> ours, platform;
    ProfileStoreReset();
    double t0 = BenchSeconds();
    SearchMemos(g_files.memoPath, g_tags, "会議", &ours);
    double oursTime = BenchSeconds() - t0;
    t0 = BenchSeconds();
    std::vector<SearchRow> again;
    SearchMemos(g_files.memoPath, g_tags, "会議", &again);
    double oursKept = BenchSeconds() - t0;

    SetMemoProfileReader(PlatformRead);
    t0 = BenchSeconds();
    SearchMemos(g_files.memoPath, g_tags, "会議", &platform);
    double platformTime = BenchSeconds() - t0;
    SetMemoProfileReader(nullptr);

    for (int y = kBenchFirstYear; y < kBenchFirstYear + kBenchYears; ++y) {
        char path[300];
        YearMemoPath(g_files, y, path, sizeof path);
        DeleteFileA(path);
    }
    RemoveDirectoryA(folder);

    std::printf("memo_search: %d memos in %d year files, %d key reads, %zu hits\n", memos, kBenchYears,
                kBenchYears * 372, ours.size());
    std::printf("  profile store, files to parse: %9.1f ms\n", oursTime * 1e3);
    std::printf("  profile store, files kept:     %9.1f ms\n", oursKept * 1e3);
    std::printf("  GetPrivateProfileStringA:      %9.1f ms\n", platformTime * 1e3);
    if (ours.empty() || !SameRows(ours, platform) || !SameRows(ours, again)) {
        std::printf("the searches disagree (%zu / %zu / %zu rows): no ratio\n", ours.size(), platform.size(),
                    again.size());
        return 1;
    }
    std::printf("RATIO memo_search %.1f\n", platformTime / oursTime);
    return 0;
}
