#include "memo/memo_search.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/sjis.h"
#include "calendar/calendar_years.h"
#include "config/file_ops.h"
#include "config/profile_store.h"
#include "memo/memo_store.h"
#include "memo/tag_words.h"

bool FindMemoYearRange(const char* memoPath, int* first, int* last) {
    size_t n = std::strlen(memoPath);
    if (n < 4) return false;
    std::string pattern(memoPath, n - 4);
    pattern += "????.ini";
    int lo = 0, hi = 0;
    for (const std::string& name : FindFileNames(pattern.c_str())) {
        if (name.size() < 8) continue;
        int year = std::atoi(name.c_str() + name.size() - 8);
        if (!IsCalendarYear(year)) continue;
        if (!lo || year < lo) lo = year;
        if (!hi || year > hi) hi = year;
    }
    if (!lo) return false;
    *first = lo;
    *last = hi;
    return true;
}

bool IsSearchHit(const TagTable& tags, const char* memo, const char* keyword, std::string* shown) {
    if (!memo[0] || !FindKeyword(memo, keyword)) return false;
    std::string text = memo;
    RemoveTagWords(tags, text.data());
    text.resize(std::strlen(text.c_str()));
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    if (!FindKeyword(text.c_str(), keyword)) return false;
    if (shown) *shown = std::move(text);
    return true;
}

SearchOutcome SearchMemos(const char* memoPath, const TagTable& tags, const char* keyword,
                          std::vector<SearchRow>* rows) {
    rows->clear();
    char key[kSearchKeywordMax + 1];
    CopyField(key, sizeof key, keyword ? keyword : "");
    if (!key[0]) return kSearchNoKeyword;
    int first, last;
    if (!FindMemoYearRange(memoPath, &first, &last)) return kSearchNoHits;
    // One look at each file for the whole search instead of one per key.
    ProfileReadBatch batch;
    std::string shown;
    for (int y = first; y <= last; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= 31; ++d) {
                std::string memo = ReadMemo(y, m, d);
                if (IsSearchHit(tags, memo.c_str(), key, &shown)) {
                    char date[16];
                    std::snprintf(date, sizeof date, "%04d/%02d/%02d", y, m, d);
                    rows->push_back(SearchRow{y, m, d, date, shown, static_cast<int>(rows->size())});
                }
            }
        }
    }
    return rows->empty() ? kSearchNoHits : kSearchFound;
}

void SearchStatusText(SearchOutcome outcome, int hits, char* out, int outSize) {
    switch (outcome) {
    case kSearchNoKeyword: std::snprintf(out, static_cast<size_t>(outSize), "キーワードを指定してください"); break;
    case kSearchNoHits: std::snprintf(out, static_cast<size_t>(outSize), "該当するメモは見つかりませんでした"); break;
    case kSearchFound: std::snprintf(out, static_cast<size_t>(outSize), "%d件見つかりました", hits); break;
    }
}
