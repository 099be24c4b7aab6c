// The memo search on Windows: the year files found by FindFirstFileW (whose "?" may also match
// nothing in front of ".ini": the free memo file and odd names must not count as years), and a
// search through the store matching the same search through GetPrivateProfileStringW, whose
// texts are converted to 932 as the store's are.
#include "memo/memo_search.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/win/wide_text.h"
#include "config/file_names.h"
#include "config/file_ops.h"
#include "config/profile_store.h"
#include "config/tags.h"
#include "memo/memo_store.h"

namespace {
std::string Folder() {
    wchar_t base[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, base);
    char tail[MAX_PATH];
    std::snprintf(tail, sizeof tail, "tessel_search_%lu_%lu\\", GetCurrentProcessId(), GetTickCount());
    std::string dir = Sjis(base) + tail;
    CreateDirectoryW(Wide(dir).c_str(), nullptr);
    return dir;
}

void Put(const std::string& path, const char* text) {
    FILE* f = OpenFile(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(text, f);
    std::fclose(f);
}

// The system's reader in the store's place, giving back what its narrow form did: the value as
// 932 bytes, cut at size - 1 with that count when it does not fit (how the store sees a buffer
// to grow). The system reads a
// file without a byte order mark in its own code page, so under 932 only does it read the memo
// files as the store does.
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

// Year files and a common memo file in a folder of their own, with one tag word.
class MemoSearchWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = Folder();
        std::snprintf(g_files.memoPath, sizeof g_files.memoPath, "%sw_memo.ini", dir_.c_str());
        std::snprintf(g_files.yearMemoBase, sizeof g_files.yearMemoBase, "%sw_memo", dir_.c_str());
        SetMemoFiles(g_files);
        Put(dir_ + "w_memo.ini", "[MEMO]\r\nMEMO=\x89\xEF\x8B\x63 free\r\n");
        Put(dir_ + "w_memo2022.ini", "[3]\r\n31=\x89\xEF\x8B\x63\x7F" "10:00 room\r\n");
        Put(dir_ + "w_memo2024.ini", "[12]\r\n1=x \x89\xEF\x8B\x63\r\n31=[tag]\x89\xEF\x8B\x63\r\n");
        Put(dir_ + "w_memo7.ini", "[1]\r\n1=\x89\xEF\x8B\x63\r\n");
        for (TagStyle& t : g_tags) t = TagStyle{};
        std::snprintf(g_tags[1].word, sizeof g_tags[1].word, "[TAG]");
        ProfileStoreReset();
    }
    void TearDown() override {
        SetMemoProfileReader(nullptr);
        for (const char* f : {"w_memo.ini", "w_memo2022.ini", "w_memo2024.ini", "w_memo7.ini"})
            DeleteFileW(Wide(dir_ + f).c_str());
        RemoveDirectoryW(Wide(dir_).c_str());
        for (TagStyle& t : g_tags) t = TagStyle{};
    }
    std::string dir_;
};

TEST_F(MemoSearchWindows, YearFilesAndTheRowsFound) {
    std::vector<std::string> names = FindFileNames((dir_ + "w_memo????.ini").c_str());
    int years = 0;
    for (const std::string& n : names) {
        EXPECT_EQ(n.rfind("w_memo", 0), 0u) << n;
        years += n == "w_memo2022.ini" || n == "w_memo2024.ini";
    }
    EXPECT_EQ(years, 2);
    int first = 0, last = 0;
    ASSERT_TRUE(FindMemoYearRange(g_files.memoPath, &first, &last));
    EXPECT_EQ(first, 2022);
    EXPECT_EQ(last, 2024);

    std::vector<SearchRow> ours;
    ASSERT_EQ(SearchMemos(g_files.memoPath, g_tags, "\x89\xEF\x8B\x63", &ours), kSearchFound);
    ASSERT_EQ(ours.size(), 3u);
    EXPECT_EQ(ours[0].date, "2022/03/31");
    EXPECT_EQ(ours[0].text, "\x89\xEF\x8B\x63  10:00 room");
    EXPECT_EQ(ours[2].text, "\x89\xEF\x8B\x63");  // the tag word went, whatever its case
}

TEST_F(MemoSearchWindows, TheSameRowsAsThePlatform) {
    if (GetACP() != 932) GTEST_SKIP() << "the system reads the 932 memo files in its code page " << GetACP();
    std::vector<SearchRow> ours, platform;
    ASSERT_EQ(SearchMemos(g_files.memoPath, g_tags, "\x89\xEF\x8B\x63", &ours), kSearchFound);
    SetMemoProfileReader(PlatformRead);
    SearchMemos(g_files.memoPath, g_tags, "\x89\xEF\x8B\x63", &platform);
    SetMemoProfileReader(nullptr);
    ASSERT_EQ(ours.size(), 3u);
    ASSERT_EQ(platform.size(), ours.size());
    for (size_t i = 0; i < ours.size(); ++i) {
        EXPECT_EQ(ours[i].date, platform[i].date);
        EXPECT_EQ(ours[i].text, platform[i].text);
    }
}
}  // namespace
