// Points the memo file names into a test's folder: the common memo file t_memo.ini and the year
// files t_memo<year>.ini.
#pragma once
#include <cstdio>

#include "config/file_names.h"
#include "memo/memo_store.h"
#include "tests/config/config_test_files.h"

inline void UseMemoFolder(const TempFolder& dir) {
    std::snprintf(g_files.memoPath, sizeof g_files.memoPath, "%s", dir.File("t_memo.ini").c_str());
    std::snprintf(g_files.yearMemoBase, sizeof g_files.yearMemoBase, "%s", dir.File("t_memo").c_str());
    SetMemoFiles(g_files);
}
