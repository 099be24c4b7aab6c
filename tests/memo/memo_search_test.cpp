// The memo search over real year memo files: which years are searched, what is a hit, the rows'
// texts and order, the status line.
#include "memo/memo_search.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/sjis.h"
#include "config/tags.h"
#include "memo/tag_words.h"
#include "tests/memo/memo_files.h"

namespace {
class MemoSearch : public MemoFiles {
protected:
    std::string Rows(const char* keyword, SearchOutcome* outcome = nullptr) {
        std::vector<SearchRow> rows;
        SearchOutcome o = SearchMemos(g_files.memoPath, tags, keyword, &rows);
        if (outcome) *outcome = o;
        std::string out;
        for (const SearchRow& r : rows) out += r.date + "|" + r.text + "\n";
        return out;
    }
    TagTable tags = {};
};

TEST_F(MemoSearch, YearsFromTheFileNamesGapsIncluded) {
    int first = 0, last = 0;
    EXPECT_FALSE(FindMemoYearRange(g_files.memoPath, &first, &last));
    WriteIni(dir.File("t_memo2019.ini"), {"[1]", "1=old"});
    WriteIni(dir.File("t_memo2021.ini"), {"[12]", "31=new"});
    WriteIni(dir.File("t_memo1969.ini"), {"[1]", "1=too old"});
    WriteIni(dir.File("t_memoABCD.ini"), {"[1]", "1=not a year"});
    WriteIni(dir.File("t_memo12345.ini"), {"[1]", "1=five digits"});
    WriteIni(dir.File("t_memo.ini"), {"[MEMO]", "MEMO=free"});
    WriteIni(dir.File("x_memo2030.ini"), {"[1]", "1=other calendar"});
    ASSERT_TRUE(FindMemoYearRange(g_files.memoPath, &first, &last));
    EXPECT_EQ(first, 2019);
    EXPECT_EQ(last, 2021);
    SearchOutcome outcome;
    EXPECT_EQ(Rows("o", &outcome), "2019/01/01|old\n");
    EXPECT_EQ(outcome, kSearchFound);
    EXPECT_EQ(Rows("e"), "2021/12/31|new\n");
    EXPECT_EQ(Rows("free", &outcome), "");  // the free memo is not searched
    EXPECT_EQ(outcome, kSearchNoHits);
    EXPECT_EQ(Rows("", &outcome), "");
    EXPECT_EQ(outcome, kSearchNoKeyword);
}

// The year files of 2036 (which the week of December 2035 reached before) to 2099 are searched;
// one of 2100 is no year of the calendar's.
TEST_F(MemoSearch, YearFilesUpTo2099) {
    WriteIni(dir.File("t_memo2036.ini"), {"[1]", "3=found in 2036"});
    WriteIni(dir.File("t_memo2099.ini"), {"[12]", "31=found on the last day"});
    WriteIni(dir.File("t_memo2100.ini"), {"[1]", "1=found beyond"});
    int first = 0, last = 0;
    ASSERT_TRUE(FindMemoYearRange(g_files.memoPath, &first, &last));
    EXPECT_EQ(first, 2036);
    EXPECT_EQ(last, 2099);
    EXPECT_EQ(Rows("found"), "2036/01/03|found in 2036\n2099/12/31|found on the last day\n");
}

TEST_F(MemoSearch, HitsInDateOrderAcrossYears) {
    EXPECT_TRUE(WriteMemo(2024, 4, 31, "meeting on a day April lacks", false));
    EXPECT_TRUE(WriteMemo(2024, 12, 1, "meeting", false));
    EXPECT_TRUE(WriteMemo(2023, 1, 15, "first\r\nmeeting later", false));
    EXPECT_TRUE(WriteMemo(2024, 2, 3, "Meeting", false));  // letter case counts
    SearchOutcome outcome;
    EXPECT_EQ(Rows("meeting", &outcome),
              "2023/01/15|first  meeting later\n"
              "2024/04/31|meeting on a day April lacks\n"
              "2024/12/01|meeting\n");
    EXPECT_EQ(outcome, kSearchFound);
    char status[64];
    SearchStatusText(outcome, 3, status, sizeof status);
    EXPECT_STREQ(status, "3件見つかりました");
    SearchStatusText(kSearchNoHits, 0, status, sizeof status);
    EXPECT_STREQ(status, "該当するメモは見つかりませんでした");
    SearchStatusText(kSearchNoKeyword, 0, status, sizeof status);
    EXPECT_STREQ(status, "キーワードを指定してください");
}

TEST_F(MemoSearch, TheHitRule) {
    std::string shown;
    EXPECT_FALSE(IsSearchHit(tags, "ab\r\ncd", "b\r\nc", &shown));  // no match across a line break
    EXPECT_FALSE(IsSearchHit(tags, "ab\r\ncd", "bc", &shown));
    EXPECT_FALSE(IsSearchHit(tags, "AB", "ab", &shown));
    EXPECT_FALSE(IsSearchHit(tags, "", "", &shown));
    // A keyword never matches from the trail byte of a double-byte character: 0x83 0x41 0x41.
    EXPECT_FALSE(IsSearchHit(tags, "\x83\x41", "A", &shown));
    EXPECT_TRUE(IsSearchHit(tags, "\x83\x41" "A", "A", &shown));
    CopyField(tags[1].word, sizeof tags[1].word, "[urgent]");
    CopyField(tags[2].word, sizeof tags[2].word, "[urg");
    CopyField(tags[0].word, sizeof tags[0].word, "alarm");  // the alarm tag stays in the text
    EXPECT_FALSE(IsSearchHit(tags, "[urgent] call", "urgent", &shown));  // only inside a tag word
    ASSERT_TRUE(IsSearchHit(tags, "[Urgent] urgent alarm\r\nx", "urgent", &shown));
    EXPECT_EQ(shown, " urgent alarm  x");  // the longest tag word went, whatever its case
}

TEST_F(MemoSearch, TagWordsGoWholeCharacters) {
    CopyField(tags[3].word, sizeof tags[3].word, "\x5C" "x");  // a word that is a trail byte, then x
    char text[] = "\x95\x5C" "x \x5C" "x";
    RemoveTagWords(tags, text);
    EXPECT_STREQ(text, "\x95\x5C" "x ");  // 表x keeps its character; the free-standing word goes
    CopyField(tags[4].word, sizeof tags[4].word, "\x95\x5C");
    char kanji[] = "a\x95\x5C" "b";
    RemoveTagWords(tags, kanji);
    EXPECT_STREQ(kanji, "ab");
}

TEST_F(MemoSearch, ReadsEachFileOnceAndSeesItChangedBetweenSearches) {
    for (int d = 1; d <= 28; ++d) EXPECT_TRUE(WriteMemo(2024, 2, d, "day", false));
    ProfileStoreReset();
    EXPECT_EQ(Rows("day").size(), 28u * 15);
    EXPECT_EQ(ProfileStoreParseCount(), 1);
    // A file replaced behind the store's back is read anew by the next search.
    WriteIni(dir.File("t_memo2024.ini"), {"[2]", "1=night"});
    EXPECT_EQ(Rows("day"), "");
    EXPECT_EQ(Rows("night"), "2024/02/01|night\n");
}
}  // namespace
