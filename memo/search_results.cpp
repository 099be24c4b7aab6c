#include "memo/search_results.h"

#include <algorithm>

#include "base/sjis.h"

int g_searchSortState[2] = {0, 0};

void ResetSearchSortState() { g_searchSortState[0] = g_searchSortState[1] = 0; }

int NextSortState(int column) {
    if (column < 0 || column > 1) return 0;
    g_searchSortState[column] = g_searchSortState[column] == 1 ? 2 : 1;
    return g_searchSortState[column];
}

const std::string& SearchColumnText(const SearchRow& row, int column) { return column == 0 ? row.date : row.text; }

int CompareSearchTexts(const char* a, const char* b, int state) {
    int r = 0;
    // Up to the first difference both texts are alike, so one flag tells a trail byte in both;
    // a trail byte compares as it is (学 and 蓋 differ only as w and W there).
    bool trail = false;
    for (int i = 0; i < kSearchKeywordMax; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (!trail) x = FoldAscii(x), y = FoldAscii(y);
        if (x != y) {
            r = x < y ? -1 : 1;
            break;
        }
        if (!x) break;
        trail = !trail && IsSjisLead(x);
    }
    return state == 1 ? -r : r;
}

void SortSearchRows(std::vector<SearchRow>* rows, int column, int state) {
    std::stable_sort(rows->begin(), rows->end(), [&](const SearchRow& a, const SearchRow& b) {
        return CompareSearchTexts(SearchColumnText(a, column).c_str(), SearchColumnText(b, column).c_str(), state) < 0;
    });
}

std::string SearchCopyText(const std::vector<SearchRow>& rows) {
    std::string out;
    size_t total = 1;
    for (const SearchRow& r : rows) total += r.text.size() + 13;
    out.reserve(total);
    for (const SearchRow& r : rows) out.append(r.date).append("\t").append(r.text).append("\r\n");
    return out;
}
