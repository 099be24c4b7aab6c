// Memo commands on real memo files: pasting into cells, clearing a month, and undo and redo
// replaying whole groups of the journal, countdown changes included.
#include "app/memo_commands.h"
#include "memo/clear_month.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/quick_memo.h"

#include "calendar/today.h"

#include <cstdlib>
#include <string>

#include "tests/memo/memo_files.h"
#include "tests/test_dates.h"
#include "view/view_layout.h"

namespace {
class MemoCommands : public MemoFiles {
protected:
    void SetUp() override {
        MemoFiles::SetUp();
        g_view.firstDay = Date(2024, 4, 28);  // cell 0; cell 3 is 1 May 2024
        g_today.dayNumber = DayOffset(2024, 5, 1, 0);
        LoadCountdowns(g_files.memoPath);
    }
    static std::string Free() { return ReadFreeMemo(4); }
    static std::string Cell(int cell) { return MemoOfCell(cell); }
    static constexpr int kMay1 = kCellDayBase + 3;
};

TEST_F(MemoCommands, CellsMapToDatesAcrossMonthEnds) {
    int y, m, d;
    ASSERT_TRUE(DateOfCell(kCellDayBase + 2, &y, &m, &d));
    EXPECT_EQ(y * 10000 + m * 100 + d, 20240430);
    ASSERT_TRUE(DateOfCell(kCellDayBase + 41, &y, &m, &d));
    EXPECT_EQ(y * 10000 + m * 100 + d, 20240608);
    EXPECT_FALSE(DateOfCell(kCellMemoBox, &y, &m, &d));
    EXPECT_FALSE(DateOfCell(kCellCountdownBase, &y, &m, &d));
    EXPECT_TRUE(WriteMemo(2024, 5, 1, "may day", false));
    EXPECT_EQ(Cell(kMay1), "may day");
    EXPECT_TRUE(CellHasMemo(kMay1));
    EXPECT_FALSE(CellHasMemo(kCellDayBase));
    EXPECT_FALSE(CellHasMemo(kCellCountdownBase));
    EXPECT_FALSE(CellHasMemo(kCellNone));
}

TEST_F(MemoCommands, CellsOfDecember2035RunOnInto2036) {
    g_view.firstDay = Date(2035, 11, 25);  // the view of December 2035
    int y, m, d;
    ASSERT_TRUE(DateOfCell(kCellDayBase + 22, &y, &m, &d));
    EXPECT_EQ(y * 10000 + m * 100 + d, 20351217);
    ASSERT_TRUE(DateOfCell(kCellDayBase + 41, &y, &m, &d));
    EXPECT_EQ(y * 10000 + m * 100 + d, 20360105);
    EXPECT_TRUE(WriteMemo(2036, 1, 2, "second", false));
    EXPECT_EQ(Cell(kCellDayBase + 38), "second");
    EXPECT_EQ(Cell(kCellDayBase + 21), "");  // 16 December keeps its own (empty) memo
}

// The weeks of December 2099 and January 1970 run past the calendar's years: those days hold no
// memo, and nothing pasted or typed there reaches a file.
TEST_F(MemoCommands, DaysBeyondTheCalendarsYearsHoldNoMemo) {
    g_view.firstDay = Date(2099, 11, 29);  // the view of December 2099
    int y, m, d;
    ASSERT_TRUE(DateOfCell(kCellDayBase + 32, &y, &m, &d));
    EXPECT_EQ(y * 10000 + m * 100 + d, 20991231);
    EXPECT_FALSE(DateOfCell(kCellDayBase + 33, &y, &m, &d));  // 1 January 2100
    EXPECT_TRUE(InsertTextIntoCell(kCellDayBase + 32, "last", kInsertReplace));
    EXPECT_EQ(Read(2099, 12, 31), "last");
    InsertTextIntoCell(kCellDayBase + 33, "beyond", kInsertReplace);
    EXPECT_EQ(Read(2100, 1, 1), "");
    EXPECT_FALSE(FileExists(dir.File("t_memo2100.ini")));
    EXPECT_EQ(Cell(kCellDayBase + 33), "");
    // Typing there opens no quick memo, so nothing typed is taken and then lost.
    struct NoHost : QuickMemoHost {
        int calls = 0;
        void RebuildAndResize() override { ++calls; }
        void Select(int, bool) override { ++calls; }
        void RefreshTray() override { ++calls; }
    } host;
    QuickMemoType(kCellDayBase + 33, "typed", host);
    EXPECT_FALSE(QuickMemoOpen());
    EXPECT_EQ(host.calls, 0);
    g_view.firstDay = Date(1969, 12, 28);  // the view of January 1970
    EXPECT_FALSE(DateOfCell(kCellDayBase + 3, &y, &m, &d));
    ASSERT_TRUE(DateOfCell(kCellDayBase + 4, &y, &m, &d));
    EXPECT_EQ(y * 10000 + m * 100 + d, 19700101);
}

TEST_F(MemoCommands, PasteModesAndTheBytesTheyDrop) {
    SetWorkingText("kept");
    InsertTextIntoCell(kMay1, "a", kInsertReplace);
    InsertTextIntoCell(kMay1, "b", kInsertNewLine);
    EXPECT_EQ(Read(2024, 5, 1), "ab");  // a one-byte memo gets no line break
    InsertTextIntoCell(kMay1, "b", kInsertNewLine);
    EXPECT_EQ(Read(2024, 5, 1), "ab\r\nb");
    EXPECT_TRUE(WriteMemo(2024, 5, 2, "x\r\n", false));  // stored without its final break
    InsertTextIntoCell(kCellDayBase + 4, "y", kInsertDirectly);
    EXPECT_EQ(Read(2024, 5, 2), "xy");
    // Tabs, other control bytes and 0x7F go; line breaks and double-byte characters stay.
    InsertTextIntoCell(kMay1, "\tone\x01\r\n\x95\x5C\x7F" "two", kInsertReplace);
    EXPECT_EQ(Read(2024, 5, 1), "one\r\n\x95\x5C" "two");
    EXPECT_NE(Year(2024).find("1=one\x7F\x95\x5C" "two\r\n"), std::string::npos);
    InsertTextIntoCell(kCellMemoBox, "box", kInsertNewLine);
    EXPECT_EQ(Free(), "box");
    InsertTextIntoCell(kCellCountdownBase, "nothing", kInsertReplace);
    EXPECT_EQ(g_work.text, "kept");  // the working text is what it was
}

TEST_F(MemoCommands, CommitSortsByTimeWhenAlarmsAndSortingAreOn) {
    g_app.settings.alarm = 1;
    g_app.settings.alarmMemoSort = 1;
    InsertTextIntoCell(kMay1, "10:00 x\r\n9:00 y", kInsertReplace);
    EXPECT_EQ(Read(2024, 5, 1), "9:00 y\r\n10:00 x");
    g_app.settings.alarmMemoSort = 0;
    InsertTextIntoCell(kMay1, "10:00 x\r\n9:00 y", kInsertReplace);
    EXPECT_EQ(Read(2024, 5, 1), "10:00 x\r\n9:00 y");
}

TEST_F(MemoCommands, ClearingAMonthUndoesAndRedoesInOneStep) {
    for (int d = 1; d <= 31; d += 3) EXPECT_TRUE(WriteMemo(2024, 5, d, ("day " + std::to_string(d)).c_str(), false));
    EXPECT_TRUE(WriteMemo(2024, 6, 1, "june", false));
    EXPECT_TRUE(WriteFreeMemo("free", 4));
    auto may = [] {
        std::string all;
        for (int d = 1; d <= 31; ++d) all += Read(2024, 5, d) + "|";
        return all;
    };
    std::string before = may();
    ClearMonthMemos(2024, 5);
    EXPECT_EQ(Read(2024, 5, 31), "");
    EXPECT_EQ(Read(2024, 6, 1), "june");
    EXPECT_EQ(Free(), "free");
    int cell = kMay1;
    ASSERT_TRUE(UndoMemoChange(&cell));
    EXPECT_EQ(may(), before);  // every memo of May back
    EXPECT_TRUE(CanRedoMemo());
    ASSERT_TRUE(RedoMemoChange(&cell));
    EXPECT_EQ(Read(2024, 5, 1), "");
    EXPECT_EQ(Read(2024, 5, 28), "");
    EXPECT_FALSE(CanRedoMemo());
    // The next undo takes the whole clear back again, the one after it the free memo.
    ASSERT_TRUE(UndoMemoChange(&cell));
    EXPECT_EQ(Read(2024, 5, 28), "day 28");
    ASSERT_TRUE(UndoMemoChange(&cell));
    EXPECT_EQ(Free(), "");
    EXPECT_EQ(Read(2024, 5, 28), "day 28");
}

TEST_F(MemoCommands, UndoRedoWalkTheJournalAndNewWritesDropTheRedoSteps) {
    EXPECT_TRUE(WriteMemo(2024, 5, 1, " lead", false));
    EXPECT_TRUE(WriteMemo(2024, 5, 1, "second", false));
    EXPECT_TRUE(WriteMemo(2024, 5, 2, "other", false));
    int cell = 0;
    ASSERT_TRUE(UndoMemoChange(&cell));
    ASSERT_TRUE(UndoMemoChange(&cell));
    EXPECT_EQ(Read(2024, 5, 1), " lead");  // the marker byte goes back as it was
    EXPECT_EQ(Read(2024, 5, 2), "");
    int records = UndoRecordCount();
    ASSERT_TRUE(UndoMemoChange(&cell));
    EXPECT_FALSE(CanUndoMemo());
    EXPECT_FALSE(UndoMemoChange(&cell));
    EXPECT_EQ(UndoRecordCount(), records);  // replaying records nothing
    EXPECT_EQ(Year(2024).find("1="), std::string::npos);
    // Redo from nothing starts with the oldest group.
    ASSERT_TRUE(RedoMemoChange(&cell));
    EXPECT_EQ(Read(2024, 5, 1), " lead");
    ASSERT_TRUE(RedoMemoChange(&cell));
    EXPECT_EQ(Read(2024, 5, 1), "second");
    EXPECT_TRUE(WriteMemo(2024, 5, 3, "new", false));
    EXPECT_FALSE(CanRedoMemo());
    EXPECT_EQ(UndoRecordCount(), 3);
    ASSERT_TRUE(UndoMemoChange(&cell));
    ASSERT_TRUE(UndoMemoChange(&cell));
    EXPECT_EQ(Read(2024, 5, 1), " lead");
    EXPECT_EQ(Read(2024, 5, 3), "");
}

TEST_F(MemoCommands, WithUndoSizeOneOnlyTheLastChangeUndoes) {
    g_undo.limit = 1;
    EXPECT_TRUE(WriteMemo(2024, 5, 1, "a", false));
    EXPECT_TRUE(WriteMemo(2024, 5, 2, "b", false));
    int cell = 0;
    ASSERT_TRUE(UndoMemoChange(&cell));
    EXPECT_FALSE(UndoMemoChange(&cell));
    EXPECT_EQ(Read(2024, 5, 1), "a");
    EXPECT_EQ(Read(2024, 5, 2), "");
    g_undo.limit = 0;
    EXPECT_TRUE(WriteMemo(2024, 5, 3, "c", false));
    EXPECT_FALSE(CanUndoMemo());
    EXPECT_EQ(Read(2024, 5, 3), "c");
}

TEST_F(MemoCommands, CountdownReplacementUndoesAsOneStep) {
    AddCountdownRecorded(2024, 5, 10, "trip");
    AddCountdownRecorded(2024, 5, 5, "dentist");
    ASSERT_EQ(CountdownCount(), 2);
    EXPECT_STREQ(g_countdowns.memos[0].text, "dentist");
    ASSERT_TRUE(ReplaceCountdown(1, 2024, 5, 3, "trip, moved"));
    EXPECT_STREQ(g_countdowns.memos[0].text, "trip, moved");
    int cell = 0;
    ASSERT_TRUE(UndoMemoChange(&cell));
    ASSERT_EQ(CountdownCount(), 2);
    EXPECT_STREQ(g_countdowns.memos[1].text, "trip");
    EXPECT_EQ(g_countdowns.memos[1].day, 10);
    ASSERT_TRUE(RedoMemoChange(&cell));
    EXPECT_STREQ(g_countdowns.memos[0].text, "trip, moved");
    EXPECT_EQ(CountdownCount(), 2);
    // The list on file follows every step.
    ProfileStoreReset();
    LoadCountdowns(g_files.memoPath);
    ASSERT_EQ(CountdownCount(), 2);
    EXPECT_STREQ(g_countdowns.memos[0].text, "trip, moved");
    EXPECT_FALSE(ReplaceCountdown(2, 2024, 5, 3, "no such line"));
}

TEST_F(MemoCommands, DeleteOnEachKindOfCell) {
    AddCountdownRecorded(2024, 5, 10, "a");
    AddCountdownRecorded(2024, 5, 11, "b");
    EXPECT_TRUE(WriteMemo(2024, 5, 1, "memo", false));
    EXPECT_TRUE(WriteFreeMemo("free", 4));
    int cell = kCellCountdownBase + 1;
    DeleteCellMemo(&cell);
    EXPECT_EQ(CountdownCount(), 1);
    EXPECT_EQ(cell, kCellCountdownBase);
    cell = kMay1;
    DeleteCellMemo(&cell);
    EXPECT_EQ(Read(2024, 5, 1), "");
    cell = kCellMemoBox;
    DeleteCellMemo(&cell);
    EXPECT_EQ(Free(), "");
    // Three undo steps bring all three back.
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(UndoMemoChange(&cell));
    EXPECT_EQ(CountdownCount(), 2);
    EXPECT_EQ(Read(2024, 5, 1), "memo");
    EXPECT_EQ(Free(), "free");
}

TEST_F(MemoCommands, TheEditingCellShowsTheWorkingText) {
    EXPECT_TRUE(WriteMemo(2024, 5, 1, "stored", false));
    BeginEditing(kMay1, 2024, 5, 1);
    SetWorkingText("stored\r\nx");
    EXPECT_EQ(Cell(kMay1), "stored\r\nx");
    CommitToCell(kMay1);
    EndEditing();
    EXPECT_EQ(Read(2024, 5, 1), "stored\r\nx");
}

struct QuickHost : QuickMemoHost {
    std::vector<std::string> calls;
    void RebuildAndResize() override { calls.push_back("rebuild"); }
    void Select(int cell, bool timeout) override { calls.push_back(std::to_string(cell) + (timeout ? " t" : "")); }
    void RefreshTray() override { calls.push_back("tray"); }
};

TEST_F(MemoCommands, QuickMemoOpensGrowsStoresAndDrops) {
    int may1 = kCellDayBase + 3, may2 = kCellDayBase + 4;
    QuickHost host;
    QuickMemoType(may1, " ", host);  // a blank does not open one
    EXPECT_FALSE(QuickMemoOpen());
    QuickMemoType(may1, "  ab", host);  // but what was typed quickly behind it does
    ASSERT_TRUE(QuickMemoOpen());
    EXPECT_EQ(Cell(may1), "ab");
    QuickMemoEscape(host);
    host.calls.clear();
    QuickMemoType(may1, "x", host);
    ASSERT_TRUE(QuickMemoOpen());
    EXPECT_EQ(Cell(may1), "x");  // the cell shows what is typed
    EXPECT_EQ(host.calls, (std::vector<std::string>{"rebuild", std::to_string(may1)}));
    QuickMemoBackspace(may1, host);  // back at the start: dropped, nothing stored
    EXPECT_FALSE(QuickMemoOpen());
    EXPECT_EQ(Year(2024).find("1="), std::string::npos);
    EXPECT_EQ(host.calls.back(), std::to_string(may1) + " t");
    // On a memo: a new line; a double-byte character goes whole; Enter stores.
    EXPECT_TRUE(WriteMemo(2024, 5, 2, "meeting", false));
    QuickMemoType(may2, "x \x93\xfa", host);  // "x 日"
    EXPECT_EQ(Cell(may2), "meeting\r\nx \x93\xfa");
    QuickMemoBackspace(may2, host);
    EXPECT_EQ(Cell(may2), "meeting\r\nx ");
    QuickMemoType(may2, "y", host);
    ASSERT_TRUE(QuickMemoCommit(host));
    EXPECT_EQ(host.calls.back(), "tray");
    EXPECT_FALSE(QuickMemoOpen());
    EXPECT_EQ(Read(2024, 5, 2), "meeting\r\nx y");
    // Escape drops what was typed and the highlight.
    QuickMemoType(may2, "z", host);
    QuickMemoEscape(host);
    EXPECT_FALSE(QuickMemoOpen());
    EXPECT_EQ(Read(2024, 5, 2), "meeting\r\nx y");
    EXPECT_EQ(host.calls.back(), std::to_string(kCellNone));
}
}  // namespace
