#include "memo/memo_edit_text.h"

#include <algorithm>

std::string PreviewText(const std::string& stored, const std::string& edit, bool append) {
    if (!append || stored.empty()) return edit;
    return stored + "\r\n" + edit;
}

std::string AddedPart(const std::string& edit, const std::string& stored) {
    if (edit.compare(0, stored.size(), stored) != 0) return edit;
    size_t from = stored.size();
    if (edit.compare(from, 2, "\r\n") == 0) from += 2;
    return edit.substr(from);
}

int LineCount(const std::string& text) { return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n')); }
