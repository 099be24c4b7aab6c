#include "memo/memo_codec.h"

#include "base/sjis.h"

namespace {
bool IsLineEnd(char c) { return c == '\t' || c == kMemoLineBreak; }

// Bytes of the character at s[i]: a lead byte takes the byte behind it along, whatever it is.
size_t CharAt(std::string_view s, size_t i) {
    return IsSjisLead(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}
}  // namespace

std::string EncodeMemo(std::string_view text, bool marker) {
    std::string out;
    out.reserve(text.size() + 1);
    if (marker && !text.empty() && text[0] == ' ') out += kMemoSpaceMarker;
    for (char c : text) {
        if (c == '\r') continue;
        out += c == '\n' ? kMemoLineBreak : c;
    }
    while (!out.empty() && (out.back() == kMemoLineBreak || out.back() == ' ' || out.back() == '\t')) out.pop_back();
    if (out.size() == 1 && out[0] == kMemoSpaceMarker) out.clear();  // nothing left to protect
    return out;
}

std::string_view StoredMemoBody(std::string_view stored) {
    if (!stored.empty() && stored[0] == kMemoSpaceMarker) stored.remove_prefix(1);
    return stored;
}

std::string DecodeMemo(std::string_view stored) {
    std::string out;
    std::vector<std::string_view> lines = SplitMemoLines(StoredMemoBody(stored));
    out.reserve(stored.size() + lines.size() * 2);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) out += "\r\n";
        out += lines[i];
    }
    return out;
}

std::string AppendStoredLine(std::string_view stored, std::string_view encoded) {
    if (stored.size() == 1 && stored[0] == kMemoSpaceMarker) stored = std::string_view();
    if (!stored.empty() && !encoded.empty() && encoded[0] == kMemoSpaceMarker) encoded.remove_prefix(1);
    std::string next(stored);
    if (!stored.empty()) next += kMemoLineBreak;
    next += encoded;
    return next;
}

std::vector<std::string_view> SplitMemoLines(std::string_view stored) {
    std::vector<std::string_view> lines;
    size_t start = 0, i = 0;
    for (;;) {
        while (i < stored.size() && !IsLineEnd(stored[i])) i += CharAt(stored, i);
        lines.push_back(stored.substr(start, i - start));
        if (i >= stored.size() || i + 1 == stored.size()) break;  // a break at the very end: no line
        start = ++i;
    }
    return lines;
}

std::vector<std::string_view> SplitTextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t lf = text.find('\n', start);
        size_t end = lf == std::string_view::npos ? text.size() : lf;
        std::string_view line = text.substr(start, end - start);
        lines.push_back(line.substr(0, line.find('\r')));
        start = lf == std::string_view::npos ? text.size() : lf + 1;
    }
    return lines;
}
