// The search dialog's row table: the direction a click on a column gives and how long it is kept,
// the comparison, a sort that keeps equal rows in their order, and the copy text.
#include "memo/search_results.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/process_state.h"

namespace {
class SearchResults : public ::testing::Test {
  protected:
    void SetUp() override { ResetProcessState(); }
    void TearDown() override { ResetProcessState(); }
    static std::string Texts(const std::vector<SearchRow>& rows) {
        std::string out;
        for (const SearchRow& r : rows) out += r.text + "|";
        return out;
    }
    static std::string Orders(const std::vector<SearchRow>& rows) {
        std::string out;
        for (const SearchRow& r : rows) out += std::to_string(r.order);
        return out;
    }
};

TEST_F(SearchResults, EachColumnAlternatesFromDescendingUntilTheProgramStartsAgain) {
    EXPECT_EQ(NextSortState(1), 1);  // the first click sorts descending
    EXPECT_EQ(NextSortState(1), 2);
    EXPECT_EQ(NextSortState(0), 1);  // each column keeps its own state
    EXPECT_EQ(NextSortState(1), 1);
    EXPECT_EQ(NextSortState(2), 0);
    EXPECT_EQ(g_searchSortState[0], 1);
    EXPECT_EQ(g_searchSortState[1], 1);
    ResetProcessState();
    EXPECT_EQ(g_searchSortState[0], 0);
    EXPECT_EQ(g_searchSortState[1], 0);
    EXPECT_EQ(NextSortState(1), 1);
}

TEST_F(SearchResults, Comparison) {
    EXPECT_EQ(CompareSearchTexts("abc", "ABC", 2), 0);
    EXPECT_LT(CompareSearchTexts("ab", "abc", 2), 0);
    EXPECT_GT(CompareSearchTexts("ab", "abc", 1), 0);
    EXPECT_GT(CompareSearchTexts("\x82\xA0", "z", 2), 0);  // other bytes compare unsigned
    EXPECT_GT(CompareSearchTexts("学", "蓋", 2), 0);  // 8A 77 and 8A 57: trail bytes never fold
    EXPECT_LT(CompareSearchTexts("xア", "Xヂ", 2), 0);  // 83 41 and 83 61
    std::string a(300, 'a'), b(300, 'a');
    b[280] = 'b';
    EXPECT_EQ(CompareSearchTexts(a.c_str(), b.c_str(), 2), 0);  // only 255 bytes are read
}

TEST_F(SearchResults, SortingByEitherColumnAndCopyingInTheOrderShown) {
    std::vector<SearchRow> rows = {
        {2024, 1, 2, "2024/01/02", "banana", 0},
        {2024, 1, 3, "2024/01/03", "Apple", 1},
        {2024, 1, 4, "2024/01/04", "cherry", 2},
        {2024, 4, 31, "2024/04/31", "apple", 3},
    };
    EXPECT_EQ(SearchColumnText(rows[1], 0), "2024/01/03");
    EXPECT_EQ(SearchColumnText(rows[1], 1), "Apple");
    SortSearchRows(&rows, 1, 1);
    EXPECT_EQ(Texts(rows), "cherry|banana|Apple|apple|");  // Apple and apple are equal: found order
    SortSearchRows(&rows, 1, 2);
    EXPECT_EQ(Texts(rows), "Apple|apple|banana|cherry|");
    SortSearchRows(&rows, 0, 1);
    EXPECT_EQ(Orders(rows), "3210");
    EXPECT_EQ(SearchCopyText(rows),
              "2024/04/31\tapple\r\n2024/01/04\tcherry\r\n2024/01/03\tApple\r\n2024/01/02\tbanana\r\n");
    EXPECT_EQ(SearchCopyText({}), "");
}
}  // namespace
