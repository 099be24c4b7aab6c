// Thirty years of year memo files with a memo on every day, written straight to disk as the
// profile functions leave them, for the memo search benchmarks.
#pragma once
#include <cstdio>
#include <iterator>
#include <random>
#include <string>

#include "base/sjis.h"
#include "calendar/civil_date.h"
#include "config/file_names.h"
#include "config/file_ops.h"
#include "config/tags.h"
#include "memo/memo_store.h"

constexpr int kBenchFirstYear = 1996;
constexpr int kBenchYears = 30;

// Points the memo file names into folder (ending in the path separator) and writes the files;
// with inEvery, every memo begins with that word. Returns the number of memos, or -1 when a file
// could not be written.
inline int WriteBenchMemoFiles(const std::string& folder, const char* inEvery = nullptr) {
    std::snprintf(g_files.memoPath, sizeof g_files.memoPath, "%sbench_memo.ini", folder.c_str());
    std::snprintf(g_files.yearMemoBase, sizeof g_files.yearMemoBase, "%sbench_memo", folder.c_str());
    SetMemoFiles(g_files);
    const std::string words[] = {"会議", "10:30", "打ち合わせ", "\x7F", "歯医者", "買い物", "ToDo",
                                 "誕生日", "・", "締め切り", "(済)", "[重要]", "ゴミ出し", "9:00"};
    std::mt19937 rng(7);
    int memos = 0;
    for (int y = kBenchFirstYear; y < kBenchFirstYear + kBenchYears; ++y) {
        char path[300];
        YearMemoPath(g_files, y, path, sizeof path);
        std::string file;
        for (int m = 1; m <= 12; ++m) {
            file += "[" + std::to_string(m) + "]\r\n";
            int days = DaysInMonth(y, m);
            for (int d = 1; d <= days; ++d) {
                size_t want = 10 + rng() % 60;
                std::string v = inEvery ? inEvery : "";
                while (v.size() < want) v += words[rng() % std::size(words)];
                v.resize(SjisFitLength(v.c_str(), want));
                while (!v.empty() && v.back() == '\x7F') v.pop_back();
                if (v.empty() || v.front() == '\x7F') v = "x" + v;
                file += std::to_string(d) + "=" + v + "\r\n";
                ++memos;
            }
        }
        // The 932 name is opened the same way on every system (by its wide form on Windows).
        if (!ReplaceFileContent(path, file)) return -1;
    }
    for (TagStyle& t : g_tags) t = TagStyle{};
    CopyField(g_tags[1].word, sizeof g_tags[1].word, "[重要]");
    return memos;
}
