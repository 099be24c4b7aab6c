// The profile store and the memo store used from two threads at once, as the window and a worker
// beside it use them: date memos in the same year file and in another, one memo both append to,
// the free memo, numbered countdown keys written in a batch next to it, reads inside a read batch.
// Every write is on the disk when it says so, no write is lost or lands elsewhere, and what the
// worker stores never reaches the window's undo journal. It needs nothing above memo/, so that it
// is also built alone under ThreadSanitizer (tools/build-tsan.sh).
#include <gtest/gtest.h>

#include <algorithm>
#include <latch>
#include <string>
#include <thread>
#include <vector>

#include "config/app_state.h"
#include "config/file_names.h"
#include "config/profile_store.h"
#include "memo/memo_codec.h"
#include "memo/memo_store.h"
#include "memo/undo_journal.h"
#include "memo/working_text.h"
#include "tests/config/config_test_files.h"
#include "tests/memo/memo_folder.h"

namespace {
constexpr int kRounds = 60;

int DayOf(int round) { return 1 + round % 28; }

std::string Countdown(int n, int round) { return "2025,12," + std::to_string(n) + ",k" + std::to_string(round); }

// What one thread saw go wrong; checked once both have finished.
struct Findings {
    std::vector<std::string> wrong;
    void Check(bool ok, const std::string& what) {
        if (!ok) wrong.push_back(what);
    }
};

bool OnDisk(const std::string& path, const std::string& line) {
    return ReadWhole(path).find("\r\n" + line + "\r\n") != std::string::npos;
}

// A value the other thread may have left: nothing yet, or one of the texts it writes.
bool OneOf(const std::string& value, const std::string& prefix, const std::string& suffix = "") {
    if (value.empty()) return true;
    if (value.compare(0, prefix.size(), prefix) != 0 || value.size() < prefix.size() + suffix.size()) return false;
    if (value.compare(value.size() - suffix.size(), suffix.size(), suffix) != 0) return false;
    std::string number = value.substr(prefix.size(), value.size() - prefix.size() - suffix.size());
    return !number.empty() && std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

class TwoThreads : public ::testing::Test {
protected:
    void SetUp() override {
        Reset();
        UseMemoFolder(dir);
        g_undo.limit = 10 * kRounds;  // every change of the window's stays listed
    }
    void TearDown() override { Reset(); }
    static void Reset() {
        ProfileStoreReset();
        ResetMemoStore();
        ResetUndoJournal();
        ReleaseWorkingText();
        ResetAppState(&g_app);
        g_files = DataFiles{};
    }
    std::string File(int year) const { return dir.File("t_memo" + std::to_string(year) + ".ini"); }
    TempFolder dir;

    // The window: what the user types, written and recorded for undo.
    void Window(std::latch& start, Findings& f) {
        start.arrive_and_wait();
        for (int i = 0; i < kRounds; ++i) {
            std::string n = std::to_string(i), day = std::to_string(DayOf(i));
            f.Check(WriteMemo(2025, 1, DayOf(i), "w" + n + "\r\nline", false).ok(), "date memo " + n);
            f.Check(OnDisk(File(2025), day + "=w" + n + "\x7Fline"), "date memo not on the disk " + n);
            f.Check(ReadMemo(2025, 1, DayOf(i)) == "w" + n + "\r\nline", "date memo read back " + n);
            f.Check(WriteMemo(2027, 3, 3, "w" + n, true).ok(), "append " + n);
            f.Check(WriteFreeMemo("free " + n, 4).ok(), "free memo " + n);
            f.Check(OnDisk(g_files.memoPath, "MEMO=free " + n), "free memo not on the disk " + n);
            f.Check(ReadFreeMemo(4) == "free " + n, "free memo read back " + n);
            f.Check(OneOf(ReadMemoRaw(2026, 2, DayOf(i)), "k"), "the worker's memo as drawn " + n);
            f.Check(OneOf(ReadMemo(2025, 6, DayOf(i)), "k"), "the worker's memo in the same file " + n);
            char value[64];
            ProfileReadString("COUNTDOWN", "01", "", value, sizeof value, g_files.memoPath);
            f.Check(OneOf(value, "2025,12,1,k"), "a countdown key " + std::string(value));
        }
    }

    // The worker: stores without the window's undo journal, and a batch of numbered keys.
    void Worker(std::latch& start, Findings& f) {
        start.arrive_and_wait();
        for (int i = 0; i < kRounds; ++i) {
            std::string n = std::to_string(i), day = std::to_string(DayOf(i));
            f.Check(StoreMemo(2026, 2, DayOf(i), "k" + n, false).result.ok(), "other file " + n);
            f.Check(OnDisk(File(2026), day + "=k" + n), "other file not on the disk " + n);
            f.Check(StoreMemo(2025, 6, DayOf(i), "k" + n, false).result.ok(), "same file " + n);
            f.Check(OnDisk(File(2025), day + "=k" + n), "same file not on the disk " + n);
            f.Check(ReadMemo(2025, 6, DayOf(i)) == "k" + n, "same file read back " + n);
            f.Check(StoreMemo(2027, 3, 3, "k" + n, true).result.ok(), "append " + n);
            {
                ProfileWriteBatch batch;
                for (int c = 1; c <= 5; ++c) {
                    std::string key = "0" + std::to_string(c);
                    f.Check(ProfileWriteString("COUNTDOWN", key.c_str(), Countdown(c, i).c_str(), g_files.memoPath).ok(),
                            "countdown " + key);
                }
                (void)ProfileWriteString("COUNTDOWN", "06", "", g_files.memoPath);
                f.Check(batch.End().ok(), "countdown batch " + n);
            }
            f.Check(OnDisk(g_files.memoPath, "05=" + Countdown(5, i)), "countdowns not on the disk " + n);
            {
                ProfileReadBatch batch;
                for (int d = 1; d <= 28; ++d)
                    f.Check(OneOf(ReadMemo(2025, 1, d), "w", "\r\nline"), "the window's memo " + std::to_string(d));
                f.Check(OneOf(ReadMemo(0, 0, 0), "free "), "the free memo");
            }
        }
    }
};

TEST_F(TwoThreads, BothStoresServeAWindowAndAWorkerAtOnce) {
    std::latch start(2);
    Findings window, worker;
    std::thread w([&] { Window(start, window); });
    std::thread k([&] { Worker(start, worker); });
    w.join();
    k.join();
    for (const std::string& s : window.wrong) ADD_FAILURE() << "window: " << s;
    for (const std::string& s : worker.wrong) ADD_FAILURE() << "worker: " << s;

    // Both threads' appended lines, each once.
    std::string appended = ReadMemo(2027, 3, 3);
    std::vector<std::string> lines, expected;
    for (std::string_view line : SplitTextLines(appended)) lines.emplace_back(line);
    for (int i = 0; i < kRounds; ++i) {
        expected.push_back("w" + std::to_string(i));
        expected.push_back("k" + std::to_string(i));
    }
    std::sort(lines.begin(), lines.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(lines, expected);
    // The last write of every key stands, in its own file.
    for (int i = kRounds - 28; i < kRounds; ++i) {
        std::string n = std::to_string(i);
        EXPECT_EQ(ReadMemo(2025, 1, DayOf(i)), "w" + n + "\r\nline");
        EXPECT_EQ(ReadMemo(2025, 6, DayOf(i)), "k" + n);
        EXPECT_EQ(ReadMemo(2026, 2, DayOf(i)), "k" + n);
        EXPECT_EQ(ReadMemo(2026, 1, DayOf(i)), "");
    }
    EXPECT_EQ(ReadFreeMemo(4), "free " + std::to_string(kRounds - 1));
    for (int c = 1; c <= 5; ++c) {
        std::string key = "0" + std::to_string(c);
        EXPECT_EQ(StoredValue(g_files.memoPath, "COUNTDOWN", key.c_str()), Countdown(c, kRounds - 1));
    }
    // Three recorded changes a round, all of them the window's.
    EXPECT_EQ(UndoRecordCount(), 3 * kRounds);
    for (const UndoRecord& r : g_undo.records)
        EXPECT_TRUE((r.year == 2025 && r.month == 1) || (r.year == 2027 && r.month == 3) || r.year == 0)
            << r.year << "/" << r.month << "/" << r.day << " " << r.newText;
    EXPECT_TRUE(ProfileTakeWriteFailures().empty());
}
}  // namespace
