// The memo search on Windows: the year files found by FindFirstFileA (whose "?" may also match
// nothing in front of ".ini": the free memo file and odd names must not count as years), and a
// search through the store matching the same search through
// GetPrivateProfileStringA.
#include "memo/memo_search.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "config/file_names.h"
#include "config/file_ops.h"
#include "config/profile_store.h"
#include "config/tags.h"
#include "memo/memo_store.h"

namespace {
std::string Folder() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    char dir[MAX_PATH];
    std::snprintf(dir, sizeof dir, "%stessel_search_%lu_%lu\\", base, GetCurrentProcessId(), GetTickCount());
    CreateDirectoryA(dir, nullptr);
    return dir;
}

void Put(const std::string& path, const char* text) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(text, f);
    std::fclose(f);
}

int PlatformRead(const char* section, const char* key, const char* def, char* buf, int size, const char* path) {
    return static_cast<int>(GetPrivateProfileStringA(section, key, def, buf, static_cast<DWORD>(size), path));
}

TEST(MemoSearchWindows, YearFilesAndTheSameRowsAsThePlatform) {
    std::string dir = Folder();
    std::snprintf(g_files.memoPath, sizeof g_files.memoPath, "%sw_memo.ini", dir.c_str());
    std::snprintf(g_files.yearMemoBase, sizeof g_files.yearMemoBase, "%sw_memo", dir.c_str());
    SetMemoFiles(g_files);
    Put(dir + "w_memo.ini", "[MEMO]\r\nMEMO=\x89\xEF\x8B\x63 free\r\n");
    Put(dir + "w_memo2022.ini", "[3]\r\n31=\x89\xEF\x8B\x63\x7F" "10:00 room\r\n");
    Put(dir + "w_memo2024.ini", "[12]\r\n1=x \x89\xEF\x8B\x63\r\n31=[tag]\x89\xEF\x8B\x63\r\n");
    Put(dir + "w_memo7.ini", "[1]\r\n1=\x89\xEF\x8B\x63\r\n");
    std::vector<std::string> names = FindFileNames((dir + "w_memo????.ini").c_str());
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

    for (TagStyle& t : g_tags) t = TagStyle{};
    std::snprintf(g_tags[1].word, sizeof g_tags[1].word, "[TAG]");
    ProfileStoreReset();
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
    EXPECT_EQ(ours[0].date, "2022/03/31");
    EXPECT_EQ(ours[0].text, "\x89\xEF\x8B\x63  10:00 room");
    EXPECT_EQ(ours[2].text, "\x89\xEF\x8B\x63");  // the tag word went, whatever its case

    for (const char* f : {"w_memo.ini", "w_memo2022.ini", "w_memo2024.ini", "w_memo7.ini"})
        DeleteFileA((dir + f).c_str());
    RemoveDirectoryA(dir.c_str());
    for (TagStyle& t : g_tags) t = TagStyle{};
}
}  // namespace
