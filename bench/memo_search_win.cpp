// The memo search under Wine: thirty year files with a memo on every day (about 11,000 memos),
// our search through the profile store against the same search through GetPrivateProfileStringW
// with its texts converted to and from 932, in one run. The system reads the files in its own
// code page, so the two searches agree only when that is 932.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "base/win/wide_text.h"
#include "bench/memo_bench_data.h"
#include "config/profile_store.h"
#include "config/file_names.h"
#include "config/tags.h"
#include "memo/memo_search.h"
#include "memo/memo_store.h"

namespace {
// The system's reader in the store's place, giving back what its narrow form did: the value as
// 932 bytes, cut at size - 1 with that count when it does not fit (how the store sees a buffer
// to grow).
int PlatformRead(const char* section, const char* key, const char* def, char* buf, int size, const char* path) {
    if (size <= 0) return 0;
    std::wstring wideSection = section ? Wide(section) : L"", wideKey = key ? Wide(key) : L"";
    std::wstring value(static_cast<size_t>(size), L'\0');  // 932 text has no more UTF-16 units than bytes
    DWORD n = GetPrivateProfileStringW(section ? wideSection.c_str() : nullptr, key ? wideKey.c_str() : nullptr,
                                       Wide(def ? def : "").c_str(), value.data(), static_cast<DWORD>(size),
                                       Wide(path).c_str());
    std::string got = Sjis(std::wstring_view(value.data(), n));
    size_t length = std::min(got.size(), static_cast<size_t>(size - 1));
    std::memcpy(buf, got.data(), length);
    buf[length] = '\0';
    return static_cast<int>(length);
}

bool SameRows(const std::vector<SearchRow>& a, const std::vector<SearchRow>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].date != b[i].date || a[i].text != b[i].text) return false;
    return true;
}
}  // namespace

int main() {
    wchar_t base[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, base);
    char tail[MAX_PATH];
    std::snprintf(tail, sizeof tail, "tessel_search_%lu\\", GetCurrentProcessId());
    std::string folder = Sjis(base) + tail;
    CreateDirectoryW(Wide(folder).c_str(), nullptr);
    int memos = WriteBenchMemoFiles(folder);
    if (memos < 0) {
        std::printf("could not write the memo files in %s\n", folder.c_str());
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
        DeleteFileW(Wide(path).c_str());
    }
    RemoveDirectoryW(Wide(folder).c_str());

    std::printf("memo_search: %d memos in %d year files, %d key reads, %zu hits\n", memos, kBenchYears,
                kBenchYears * 372, ours.size());
    std::printf("  profile store, files to parse: %9.1f ms\n", oursTime * 1e3);
    std::printf("  profile store, files kept:     %9.1f ms\n", oursKept * 1e3);
    std::printf("  GetPrivateProfileStringW:      %9.1f ms\n", platformTime * 1e3);
    if (ours.empty() || !SameRows(ours, platform) || !SameRows(ours, again)) {
        std::printf("the searches disagree (%zu / %zu / %zu rows): no ratio\n", ours.size(), platform.size(),
                    again.size());
        if (GetACP() != 932)
            std::printf("the system reads the files in its code page %u, not 932 (run with LC_ALL=ja_JP.UTF-8)\n",
                        GetACP());
        return 1;
    }
    std::printf("RATIO memo_search %.1f\n", platformTime / oursTime);
    return 0;
}
