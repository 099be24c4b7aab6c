// Memo store on real files: the stored bytes of every encoding rule, undo grouping and trimming.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "config/app_state.h"
#include "config/file_names.h"
#include "memo/memo_store.h"
#include "memo/undo_journal.h"
#include "tests/memo/memo_files.h"

namespace {
TEST_F(MemoFiles, EncodingRulesOnTheBytes) {
    EXPECT_EQ(Read(2025, 3, 4), "");
    EXPECT_FALSE(FileExists(dir.File("t_memo2025.ini")));
    EXPECT_TRUE(WriteMemo(2025, 3, 4, " abc ", false));
    EXPECT_NE(Year().find("[3]\r\n4=\x80 abc\r\n"), std::string::npos) << Year();
    EXPECT_EQ(Read(2025, 3, 4), " abc");
    EXPECT_TRUE(WriteMemo(2025, 3, 5, "a\r\n\r\nb\r\n\r\n", false));
    EXPECT_NE(Year().find("5=a\x7F\x7F" "b\r\n"), std::string::npos);
    EXPECT_EQ(Read(2025, 3, 5), "a\r\n\r\nb");
    EXPECT_TRUE(WriteMemo(2025, 3, 6, "\r\nx\ty", false));
    EXPECT_NE(Year().find("6=\x7Fx\ty\r\n"), std::string::npos);
    EXPECT_EQ(Read(2025, 3, 6), "\r\nx\r\ny");
    // Quotes, and trail bytes that are '\' and '[' (0x95 0x5C, 0x83 0x5B), come back unchanged.
    const char* kept[] = {"\"quoted\"", "\x95\x5C\x83\x5B\x95\x5C"};
    for (const char* t : kept) {
        EXPECT_TRUE(WriteMemo(2025, 4, 1, t, false));
        EXPECT_EQ(Read(2025, 4, 1), t);
        EXPECT_NE(Year().find(std::string("1=") + t + "\r\n"), std::string::npos);
    }
    EXPECT_TRUE(WriteMemo(2025, 3, 5, "\r\n\r\n", false));
    EXPECT_EQ(Year().find("5="), std::string::npos);
}

TEST_F(MemoFiles, AppendAndUnchangedWrites) {
    EXPECT_TRUE(WriteMemo(2025, 1, 1, "x", true));
    EXPECT_TRUE(WriteMemo(2025, 1, 2, "a", false));
    EXPECT_TRUE(WriteMemo(2025, 1, 2, " x", true));
    EXPECT_NE(Year().find("1=x\r\n2=a\x7F x\r\n"), std::string::npos) << Year();
    int n = UndoRecordCount();
    EXPECT_TRUE(WriteMemo(2025, 1, 2, "", true));
    EXPECT_TRUE(WriteMemo(2025, 1, 1, "x", false));
    EXPECT_EQ(UndoRecordCount(), n);
    EXPECT_TRUE(WriteMemo(-1, -1, 3, "phrase", false));
    EXPECT_EQ(UndoRecordCount(), n);
    EXPECT_EQ(StoredValue(g_files.memoPath, "REGWORD", "04"), "phrase");
}

// A store for a caller that keeps no undo journal (a worker): the values before and after come
// back, and nothing is recorded.
TEST_F(MemoFiles, StoreTellsWhatChangedAndRecordsNothing) {
    MemoStoreResult r = StoreMemo(2025, 9, 1, " a\r\nb", false);
    EXPECT_TRUE(r.result);
    EXPECT_TRUE(r.changed);
    EXPECT_EQ(r.before, "");
    EXPECT_EQ(r.after, "\x80 a\x7F" "b");
    r = StoreMemo(2025, 9, 1, " c", true);
    EXPECT_EQ(r.before, "\x80 a\x7F" "b");
    EXPECT_EQ(r.after, "\x80 a\x7F" "b\x7F c");
    EXPECT_EQ(Read(2025, 9, 1), " a\r\nb\r\n c");
    r = StoreMemo(2025, 9, 1, " a\r\nb\r\n c", false);
    EXPECT_TRUE(r.result);
    EXPECT_FALSE(r.changed);  // the same value: nothing written
    EXPECT_EQ(UndoRecordCount(), 0);
    EXPECT_TRUE(WriteMemo(2025, 9, 1, "", false));
    EXPECT_EQ(UndoRecordCount(), 1);
    EXPECT_EQ(Year().find("[9]\r\n1="), std::string::npos) << Year();
}

// Found by fuzzing: blanks behind the last line ends kept an empty last line in the file, and a
// memo of spaces left a marker that the next appended line came after as a second line.
TEST_F(MemoFiles, BlanksBehindTheLastLineGoWithTheLineEnds) {
    EXPECT_TRUE(WriteMemo(2025, 6, 1, "x\t\r\n ", false));
    EXPECT_EQ(Read(2025, 6, 1), "x");
    EXPECT_NE(Year().find("[6]\r\n1=x\r\n"), std::string::npos) << Year();
    EXPECT_TRUE(WriteMemo(2025, 6, 2, "  ", false));
    EXPECT_EQ(Year().find("2="), std::string::npos) << Year();
    EXPECT_TRUE(WriteMemo(2025, 6, 2, "y", true));
    EXPECT_EQ(Read(2025, 6, 2), "y");
    // A marker alone, as the old encoding stored a memo of spaces.
    std::ofstream(dir.File("t_memo2025.ini"), std::ios::binary) << "[6]\r\n3=\x80\r\n";
    EXPECT_EQ(Read(2025, 6, 3), "");
    EXPECT_TRUE(WriteMemo(2025, 6, 3, "z", true));
    EXPECT_EQ(Read(2025, 6, 3), "z");
}

TEST_F(MemoFiles, LongMemoNeedsFewReads) {
    std::string big;
    while (big.size() < 65536) big += "\x82\xA0line\n";
    EXPECT_TRUE(WriteMemo(2025, 5, 5, big.c_str(), false));
    ProfileStoreReset();
    EXPECT_EQ(ReadMemoRaw(2025, 5, 5).size(), big.size() - 1);
    EXPECT_EQ(ProfileStoreParseCount(), 1);  // the retries do not go back to the disk
    EXPECT_LE(MemoLastReadCount(), 10);  // the buffer doubles once it is past the first step
    SetDrawMemoSize(16384);
    EXPECT_EQ(ReadMemoRaw(2025, 5, 5).size(), big.size() - 1);
    EXPECT_LE(MemoLastReadCount(), 5);
    std::string once = Read(2025, 5, 5);
    Read(2025, 5, 5);
    EXPECT_EQ(MemoLastReadCount(), 1);  // the shared buffer has grown to fit
    EXPECT_EQ(once.size(), big.size() - 1 + (big.size() / 7) - 1);
}

TEST_F(MemoFiles, FreeMemoMigratesOldLines) {
    WriteIni(g_files.memoPath, {"[MEMO]", "MEMO1=A", "MEMO2=B", "MEMO4=D"});
    ProfileStoreReset();
    EXPECT_EQ(ReadFreeMemo(), "A\r\nB");
    EXPECT_EQ(StoredValue(g_files.memoPath, "MEMO", "MEMO"), "A\x7F" "B");
    EXPECT_EQ(UndoRecordCount(), 1);
    EXPECT_TRUE(WriteFreeMemo(""));
    for (const char* k : {"MEMO", "MEMO1", "MEMO2", "MEMO4"})
        EXPECT_EQ(StoredValue(g_files.memoPath, "MEMO", k), "<missing>") << k;
}

TEST_F(MemoFiles, FreeMemoMigrationKeepsLinesApart) {
    // A line longer than a line holds, cut where a character would be split.
    std::string cut = "xy";
    for (int i = 0; i < 149; ++i) cut += "\x82\xa0";
    std::string key1 = "MEMO1=" + cut;
    WriteIni(g_files.memoPath, {"[MEMO]", key1.c_str(), "MEMO2=B"});
    ProfileStoreReset();
    EXPECT_EQ(Read(0, 0, 0), "");
    EXPECT_EQ(ReadFreeMemo(), cut.substr(0, 254) + "\r\nB");
    EXPECT_EQ(Read(0, 0, 0), cut.substr(0, 254) + "\r\nB");

    // Lines that fill the text to 4094 bytes: the next line does not fit with its line break and
    // must not be glued to the last one.
    ClearUndoJournal();
    g_app.design.memoRow = 20;
    std::string file = "[MEMO]\r\n", expected;
    for (int i = 1; i <= 16; ++i) {
        std::string line((i <= 15 ? 255 : 239), static_cast<char>('a' + i));
        file += "MEMO" + std::to_string(i) + "=" + line + "\r\n";
        expected += (i > 1 ? "\r\n" : "") + line;
    }
    file += "MEMO17=Z\r\n";
    std::ofstream(g_files.memoPath, std::ios::binary) << file;
    ProfileStoreReset();
    std::string t = ReadFreeMemo();
    EXPECT_EQ(t.size(), 4094u);
    EXPECT_EQ(t, expected);
}

TEST_F(MemoFiles, UndoKeepsWholeGroups) {
    for (int d = 1; d <= 10; ++d) EXPECT_TRUE(WriteMemo(2025, 2, d, "t", false));
    EXPECT_EQ(UndoRecordCount(), 9);
    ClearUndoJournal();
    g_undo.groupCounter += 1;
    g_undo.groupStep = 0;
    for (int d = 1; d <= 31; ++d) EXPECT_TRUE(WriteMemo(2025, 7, d, "m", false));
    g_undo.groupStep = 1;
    for (int d = 1; d <= 8; ++d) EXPECT_TRUE(WriteMemo(2025, 8, d, "n", false));
    EXPECT_EQ(UndoRecordCount(), 39);
    EXPECT_TRUE(WriteMemo(2025, 8, 9, "n", false));
    EXPECT_EQ(UndoRecordCount(), 9);  // the 31-write group goes as one
}

TEST(SplitLines, SeparatorsAndEnds) {
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(SplitMemoLines("a\x7F\x7F" "b\t\x95\x7F" "c\x7F"), (Lines{"a", "", "b", "\x95\x7F" "c"}));
    EXPECT_EQ(SplitMemoLines(""), Lines{""});  // an empty memo is one empty line
    EXPECT_EQ(SplitTextLines("x\r\ny\r\n"), (Lines{"x", "y"}));
    EXPECT_EQ(SplitTextLines("\r\na\rb\nc"), (Lines{"", "a", "c"}));  // a lone CR ends the line shown
    EXPECT_EQ(SplitTextLines(""), Lines{});
}
}  // namespace

namespace {
class EditedMemo : public MemoFiles {};

TEST_F(EditedMemo, TheCellBeingEditedReadsTheWorkingText) {
    EXPECT_TRUE(WriteMemo(2025, 6, 1, "stored", false));
    EXPECT_TRUE(WriteFreeMemo("free"));
    BeginEditing(kCellDayBase + 3, 2025, 6, 1);
    SetWorkingText(" typed\r\nline\r\n");
    // Encoded like a write, but a leading space gets no marker while drawing.
    EXPECT_EQ(Raw(2025, 6, 1), " typed\x7Fline");
    EXPECT_EQ(Raw(2025, 6, 2), "");
    EXPECT_EQ(Read(2025, 6, 1), "stored");  // the store itself is untouched
    EXPECT_EQ(ReadFreeMemo(), "free");
    BeginEditing(kCellMemoBox, 0, 0, 0);
    SetWorkingText("box text");
    EXPECT_EQ(ReadFreeMemo(), "box text");
    EXPECT_EQ(Raw(2025, 6, 1), "stored");
    EndEditing();
    EXPECT_EQ(ReadFreeMemo(), "free");
}

TEST(WorkingTextBuffer, PutAddsReplacesAndCutsAndSetTakesItsOwnBytes) {
    ReleaseWorkingText();
    EXPECT_STREQ(WorkingTextOrEmpty(), "");
    std::string t(300, 'a');
    SetWorkingText(t);
    EXPECT_EQ(g_work.text, t);
    PutWorkingByte(300, 'c');  // at the end: added
    PutWorkingByte(0, 'b');    // inside: replaced
    EXPECT_EQ(g_work.text, "b" + std::string(299, 'a') + "c");
    PutWorkingByte(1000, 'z');  // past the end: out of reach
    PutWorkingByte(-1, 'z');
    EXPECT_EQ(g_work.text.size(), 301u);
    PutWorkingByte(3, 0);  // a zero ends the text there
    EXPECT_STREQ(WorkingTextOrEmpty(), "baa");
    EXPECT_EQ(g_work.text.size(), 3u);
    // Setting from the text's own bytes.
    SetWorkingText(std::string_view(g_work.text).substr(1));
    EXPECT_EQ(g_work.text, "aa");
    SetWorkingText(WorkingTextOrEmpty() + 1);
    EXPECT_EQ(g_work.text, "a");
    ReleaseWorkingText();
    EXPECT_STREQ(WorkingTextOrEmpty(), "");
}
}  // namespace
