// Which lines of a day's memo are the ones the last sync left, which were edited, which are new:
// the longest run of lines kept in order, and between two kept lines each line gone paired with a
// line come in its place as an edit; a line gone from its place that stands unchanged elsewhere
// in the day was moved.
#pragma once
#include <string>
#include <vector>

struct LineMatch {
    std::vector<int> baseTo;     // per base line: its index in the memo now, -1 when it went
    std::vector<bool> edited;    // per base line: that index holds an edit of it
    std::vector<int> added;      // memo indices of lines that stand for no base line
};

// base: the texts of the lines as last synced, in their order; lines: the memo now, blank lines
// included (they never match and are never added).
LineMatch MatchLines(const std::vector<std::string>& base, const std::vector<std::string>& lines);

// A memo (CR LF text) as its lines, and back.
std::vector<std::string> MemoLinesOf(const std::string& memo);
std::string MemoOfLines(const std::vector<std::string>& lines);
