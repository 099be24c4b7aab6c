// Reading a year memo file: the profile store against GetPrivateProfileStringW, its texts
// converted to and from 932 on each read as the calendar would have to, in one run. 12 sections
// x 31 keys, values of 20 to 200 bytes; 10,000 reads cycling through the keys. The system reads
// the file in its own code page, so the two agree only when that is 932.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "base/win/wide_text.h"
#include "bench/bench_clock.h"
#include "config/file_ops.h"
#include "config/profile_store.h"

namespace {

struct Key {
    char section[4];
    char key[4];
};

// The system's reader as the narrow one was: 932 names in, the value out as 932 bytes cut at
// size - 1, the count of bytes given.
int PlatformRead(const Key& k, char* buf, int size, const char* path) {
    wchar_t value[512];
    DWORD n = GetPrivateProfileStringW(Wide(k.section).c_str(), Wide(k.key).c_str(), L"", value,
                                       static_cast<DWORD>(std::min<size_t>(std::size(value), size)),
                                       Wide(path).c_str());
    std::string got = Sjis(std::wstring_view(value, n));
    size_t length = std::min(got.size(), static_cast<size_t>(size - 1));
    std::memcpy(buf, got.data(), length);
    buf[length] = '\0';
    return static_cast<int>(length);
}

}  // namespace

int main() {
    const int kReads = 10000;
    wchar_t base[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, base);
    char path[MAX_PATH];
    std::snprintf(path, sizeof path, "%stessel_bench_%lu.ini", Sjis(base).c_str(), GetCurrentProcessId());
    DeleteFileW(Wide(path).c_str());

    // A year of memos: mixed Japanese and ASCII text, line breaks stored as 0x7F.
    const std::string words[] = {"会議", "10:30", "打ち合わせ", "\x7F", "歯医者", " ", "買い物",
                                 "ToDo", "誕生日", "・", "締め切り", "(済)"};
    std::mt19937 rng(42);
    std::vector<Key> keys;
    size_t bytes = 0;
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= 31; ++d) {
            Key k;
            std::snprintf(k.section, sizeof k.section, "%d", m);
            std::snprintf(k.key, sizeof k.key, "%02d", d);
            size_t want = 20 + rng() % 181;
            std::string v;
            while (v.size() < want) v += words[rng() % std::size(words)];
            v.resize(SjisFitLength(v.c_str(), want));  // no split character
            if (v.front() == ' ') v.front() = '.';
            if (v.back() == ' ') v.back() = '.';
            if (!ProfileWriteString(k.section, k.key, v.c_str(), path)) {
                std::printf("could not write %s\n", path);
                return 1;
            }
            bytes += v.size();
            keys.push_back(k);
        }
    }
    FileStamp stamp = StampOfFile(path);
    std::printf("profile_store_read: %zu keys in 12 sections, %zu value bytes, file %lld bytes\n",
                keys.size(), bytes, static_cast<long long>(stamp.size));

    // Both must read the same before their times mean anything.
    char a[512], b[512];
    int mismatches = 0;
    for (const Key& k : keys) {
        int na = ProfileReadString(k.section, k.key, "", a, sizeof a, path);
        int nb = PlatformRead(k, b, sizeof b, path);
        if (na != nb || std::string(a) != std::string(b)) ++mismatches;
    }

    ProfileStoreReset();
    unsigned long sumOurs = 0, sumPlatform = 0;
    double t0 = BenchSeconds();
    for (int i = 0; i < kReads; ++i) {
        const Key& k = keys[static_cast<size_t>(i) % keys.size()];
        sumOurs += static_cast<unsigned long>(ProfileReadString(k.section, k.key, "", a, sizeof a, path));
    }
    double ours = BenchSeconds() - t0;
    int parses = ProfileStoreParseCount();

    t0 = BenchSeconds();
    for (int i = 0; i < kReads; ++i) (void)StampOfFile(path);
    double stat = BenchSeconds() - t0;

    t0 = BenchSeconds();
    for (int i = 0; i < kReads; ++i) {
        const Key& k = keys[static_cast<size_t>(i) % keys.size()];
        sumPlatform += static_cast<unsigned long>(PlatformRead(k, b, sizeof b, path));
    }
    double platform = BenchSeconds() - t0;
    DeleteFileW(Wide(path).c_str());

    std::printf("  profile store:            %8.1f ms  %7.2f us a read  (%d parse%s)\n", ours * 1e3,
                ours * 1e6 / kReads, parses, parses == 1 ? "" : "s");
    std::printf("    the file stamp alone:   %8.1f ms  %7.2f us a call (checked on every read)\n",
                stat * 1e3, stat * 1e6 / kReads);
    std::printf("  GetPrivateProfileStringW: %8.1f ms  %7.2f us a read\n", platform * 1e3,
                platform * 1e6 / kReads);
    std::printf("  bytes read: %lu / %lu, keys that read differently: %d\n", sumOurs, sumPlatform,
                mismatches);
    if (mismatches || sumOurs != sumPlatform) {
        std::printf("the two disagree: no ratio\n");
        if (GetACP() != 932)
            std::printf("the system reads the file in its code page %u, not 932 (run with LC_ALL=ja_JP.UTF-8)\n",
                        GetACP());
        return 1;
    }
    std::printf("RATIO profile_store_read %.1f\n", platform / ours);
    return 0;
}
