#include "sync/line_match.h"

#include <algorithm>

std::vector<std::string> MemoLinesOf(const std::string& memo) {
    std::vector<std::string> out;
    if (memo.empty()) return out;
    for (size_t at = 0;;) {
        size_t end = memo.find("\r\n", at);
        out.push_back(memo.substr(at, end == std::string::npos ? std::string::npos : end - at));
        if (end == std::string::npos) return out;
        at = end + 2;
    }
}

std::string MemoOfLines(const std::vector<std::string>& lines) {
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) out += (i ? "\r\n" : "") + lines[i];
    return out;
}

LineMatch MatchLines(const std::vector<std::string>& base, const std::vector<std::string>& lines) {
    std::vector<int> now;  // memo indices of the lines that are not blank
    for (size_t i = 0; i < lines.size(); ++i)
        if (!lines[i].empty()) now.push_back(static_cast<int>(i));
    const size_t n = base.size(), m = now.size();
    LineMatch out;
    out.baseTo.assign(n, -1);
    out.edited.assign(n, false);
    // Longest common subsequence; a day holds a handful of lines, so the table stays small. A day
    // of thousands falls back to matching equal lines in order.
    std::vector<std::pair<size_t, size_t>> kept;
    if (n * m <= 4'000'000) {
        std::vector<std::vector<int>> len(n + 1, std::vector<int>(m + 1, 0));
        for (size_t i = n; i-- > 0;)
            for (size_t j = m; j-- > 0;)
                len[i][j] = base[i] == lines[static_cast<size_t>(now[j])] ? len[i + 1][j + 1] + 1
                                                                           : std::max(len[i + 1][j], len[i][j + 1]);
        for (size_t i = 0, j = 0; i < n && j < m;) {
            if (base[i] == lines[static_cast<size_t>(now[j])]) kept.push_back({i++, j++});
            else if (len[i + 1][j] >= len[i][j + 1]) ++i;
            else ++j;
        }
    } else {
        for (size_t i = 0, j = 0; i < n && j < m; ++j)
            if (base[i] == lines[static_cast<size_t>(now[j])]) kept.push_back({i++, j});
    }
    kept.push_back({n, m});  // the end closes the last gap
    size_t bi = 0, cj = 0;
    for (auto [i, j] : kept) {
        // The gap before this pair: base lines bi..i-1 and memo lines cj..j-1, paired in order.
        for (; bi < i && cj < j; ++bi, ++cj) {
            out.baseTo[bi] = now[cj];
            out.edited[bi] = true;
        }
        for (; cj < j; ++cj) out.added.push_back(now[cj]);
        bi = i;
        if (i < n) out.baseTo[i] = now[j];
        bi = i + 1, cj = j + 1;
    }
    // A line gone from one place that stands again, unchanged, at another was moved, not
    // deleted and written anew.
    for (size_t b = 0; b < n; ++b) {
        if (out.baseTo[b] >= 0) continue;
        for (size_t a = 0; a < out.added.size(); ++a)
            if (lines[static_cast<size_t>(out.added[a])] == base[b]) {
                out.baseTo[b] = out.added[a];
                out.added.erase(out.added.begin() + static_cast<long>(a));
                break;
            }
    }
    return out;
}
