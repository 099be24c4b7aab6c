#include "sync/ical_text.h"

#include <cctype>
#include <cstring>

std::string EscapeText(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\' || c == ';' || c == ',') {
            out += '\\';
            out += c;
        } else if (c == '\r' || c == '\n') {
            out += "\\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::string UnescapeText(const std::string& value) {
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        char c = value[++i];
        out += (c == 'n' || c == 'N') ? '\n' : c;
    }
    return out;
}

std::string FoldLine(const std::string& line) {
    std::string out;
    size_t at = 0, room = 75;
    while (line.size() - at > room) {
        size_t cut = at + room;
        while (cut > at && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;  // not inside a character
        out.append(line, at, cut - at).append("\r\n ");
        at = cut;
        room = 74;  // the leading space counts
    }
    return out.append(line, at, std::string::npos).append("\r\n");
}

std::vector<std::string> UnfoldLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && (line[0] == ' ' || line[0] == '\t') && !lines.empty()) lines.back() += line.substr(1);
        else if (!line.empty()) lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

const std::string* ContentLine::Param(const char* wanted) const {
    for (const auto& p : params)
        if (p.first == wanted) return &p.second;
    return nullptr;
}

namespace {
std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}
}  // namespace

bool ParseContentLine(const std::string& line, ContentLine* out) {
    *out = ContentLine{};
    size_t i = 0;
    while (i < line.size() && line[i] != ';' && line[i] != ':') ++i;
    if (i == 0 || i == line.size()) return false;
    out->name = Upper(line.substr(0, i));
    while (line[i] == ';') {
        size_t eq = line.find('=', i + 1);
        if (eq == std::string::npos) return false;
        std::string name = Upper(line.substr(i + 1, eq - i - 1));
        std::string value;
        i = eq + 1;
        // A parameter value may be quoted, and then hold ";", ":" and ",".
        while (i < line.size() && line[i] != ';' && line[i] != ':') {
            if (line[i] == '"') {
                size_t close = line.find('"', i + 1);
                if (close == std::string::npos) return false;
                value += line.substr(i + 1, close - i - 1);
                i = close + 1;
            } else {
                value += line[i++];
            }
        }
        if (i == line.size()) return false;
        out->params.emplace_back(name, value);
    }
    out->value = line.substr(i + 1);
    return true;
}
