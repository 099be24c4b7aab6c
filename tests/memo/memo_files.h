// A folder of memo files for one test: the year and common memo file names pointed into it,
// the undo journal and the working text fresh.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/process_state.h"
#include "config/app_state.h"
#include "config/file_names.h"
#include "memo/countdown.h"
#include "memo/memo_store.h"
#include "memo/undo_journal.h"
#include "memo/working_text.h"
#include "tests/config/config_test_files.h"
#include "tests/memo/memo_folder.h"

class MemoFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProcessState();
        UseMemoFolder(dir);
        g_app.settings.alarm = 0;
        g_app.settings.alarmMemoSort = 0;
        SetWorkingText("");
    }
    void TearDown() override { ResetProcessState(); }
    std::string Year(int year = 2025) const { return ReadWhole(dir.File("t_memo" + std::to_string(year) + ".ini")); }
    static std::string Read(int y, int m, int d) { return ReadMemo(y, m, d); }
    static std::string Raw(int y, int m, int d) { return ReadMemoRaw(y, m, d); }
    TempFolder dir;
};
