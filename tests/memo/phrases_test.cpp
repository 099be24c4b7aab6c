// Fixed phrases on a real memo file: their keys, their texts in the list and the popup, the
// dialog's table moves, and that they never reach the undo journal.
#include "memo/phrases.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/memo/memo_files.h"

namespace {
class Phrases : public MemoFiles {};

TEST_F(Phrases, StoredUnderTheirKeysAndNeverUndone) {
    WritePhrase(0, "first\r\nsecond");
    WritePhrase(15, " spaced");
    WritePhrase(16, "no slot");
    WritePhrase(-1, "no slot");
    EXPECT_EQ(StoredValue(g_files.memoPath, "REGWORD", "01"), "first\x7Fsecond");
    EXPECT_EQ(StoredValue(g_files.memoPath, "REGWORD", "16"), "\x80 spaced");
    EXPECT_EQ(StoredValue(g_files.memoPath, "REGWORD", "17"), "<missing>");
    EXPECT_EQ(UndoRecordCount(), 0);
    EXPECT_EQ(ReadPhrase(15), " spaced");
    EXPECT_EQ(ReadPhrase(3), "");
    WritePhrase(0, "");
    EXPECT_EQ(StoredValue(g_files.memoPath, "REGWORD", "01"), "<missing>");
    // A long phrase is read as its first 255 bytes, not splitting a double-byte character.
    std::string longer = "x";
    while (longer.size() < 300) longer += "\x88\x9F";
    WritePhrase(1, longer.c_str());
    EXPECT_EQ(ReadPhrase(1).size(), 255u);
    WritePhrase(2, ("y" + longer).c_str());
    EXPECT_EQ(ReadPhrase(2).size(), 254u);
}

TEST_F(Phrases, ListAndPopupTexts) {
    char out[64];
    PhraseListText("a\r\nb", out, sizeof out);
    EXPECT_STREQ(out, "a  b");
    PhraseListText("", out, sizeof out);
    EXPECT_STREQ(out, "(未登録)");
    PhraseMenuText("R&D\r\n&", out, sizeof out);
    EXPECT_STREQ(out, "R&&D  &&");
    PhraseMenuText("\x83\x5C&", out, 4);  // no room for the doubled "&": it is left off whole
    EXPECT_STREQ(out, "\x83\x5C");
    PhraseMenuText("\x83\x5C", out, 2);  // nor half a character
    EXPECT_STREQ(out, "");
}

TEST_F(Phrases, TableMovesAndSaves) {
    WritePhrase(0, "zero");
    WritePhrase(1, "one");
    PhraseTable table;
    LoadPhraseTable(&table);
    std::string before = ReadWhole(g_files.memoPath);
    EXPECT_EQ(MovePhrase(&table, 0, -1), -1);
    EXPECT_EQ(MovePhrase(&table, 15, +1), -1);
    EXPECT_EQ(MovePhrase(&table, 0, +1), 1);
    EXPECT_EQ(table.slots[0], "one");
    EXPECT_EQ(table.slots[1], "zero");
    SetPhrase(&table, 0, "");
    SetPhrase(&table, 5, "five");
    // Nothing is written until the table is saved (Cancel writes nothing).
    EXPECT_EQ(ReadWhole(g_files.memoPath), before);
    SavePhraseTable(table);
    EXPECT_EQ(StoredValue(g_files.memoPath, "REGWORD", "01"), "<missing>");
    EXPECT_EQ(StoredValue(g_files.memoPath, "REGWORD", "02"), "zero");
    EXPECT_EQ(StoredValue(g_files.memoPath, "REGWORD", "06"), "five");
    EXPECT_EQ(UndoRecordCount(), 0);
}
}  // namespace
