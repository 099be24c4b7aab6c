#include "sync/ical_calendar.h"

#include <cctype>

#include "calendar/civil_date.h"

const ContentLine* Component::Prop(const char* wanted) const {
    for (const ContentLine& p : props)
        if (p.name == wanted) return &p;
    return nullptr;
}

namespace {
std::string Upper(const std::string& s) {
    std::string out;
    for (char ch : s) out += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return out;
}

bool Digits(const std::string& s, size_t at, size_t n, int* out) {
    if (s.size() < at + n) return false;
    int v = 0;
    for (size_t i = at; i < at + n; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = v * 10 + (s[i] - '0');
    }
    *out = v;
    return true;
}
}  // namespace

bool ParseCalendars(const std::string& text, std::vector<Component>* out) {
    out->clear();
    std::vector<Component> stack;
    // A byte order mark before the first line is no part of it.
    size_t skip = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    for (const std::string& raw : UnfoldLines(text.substr(skip))) {
        ContentLine line;
        if (!ParseContentLine(raw, &line)) return false;
        if (line.name == "BEGIN") {
            Component c;
            c.name = Upper(line.value);
            if (stack.empty() && c.name != "VCALENDAR") return false;
            stack.push_back(std::move(c));
        } else if (line.name == "END") {
            if (stack.empty() || Upper(line.value) != stack.back().name) return false;
            Component c = std::move(stack.back());
            stack.pop_back();
            if (stack.empty()) out->push_back(std::move(c));
            else stack.back().children.push_back(std::move(c));
        } else if (!stack.empty()) {
            stack.back().props.push_back(std::move(line));
        }
    }
    return !out->empty() && stack.empty();
}

bool ParseWhen(const std::string& value, bool dateOnly, When* out) {
    int y, m, d;
    if (!Digits(value, 0, 4, &y) || !Digits(value, 4, 2, &m) || !Digits(value, 6, 2, &d) || m < 1 || m > 12 ||
        d < 1 || d > DaysInMonth(y, m))
        return false;
    *out = When{DayNumberOf(y, m, d), 0, dateOnly || value.size() == 8, false};
    if (out->date) return value.size() == 8;
    int h, mi, s;
    if (value.size() < 15 || value[8] != 'T' || !Digits(value, 9, 2, &h) || !Digits(value, 11, 2, &mi) ||
        !Digits(value, 13, 2, &s) || h > 23 || mi > 59 || s > 60)
        return false;
    out->seconds = h * 3600 + mi * 60 + s;
    out->utc = value.size() == 16 && value[15] == 'Z';
    return value.size() == 15 || out->utc;
}

bool IsDateValue(const ContentLine& p) {
    const std::string* v = p.Param("VALUE");
    return v && Upper(*v) == "DATE";
}

std::vector<std::string> ValueList(const std::string& value) {
    std::vector<std::string> values;
    size_t at = 0;
    for (;;) {
        size_t comma = value.find(',', at);
        values.push_back(value.substr(at, comma == std::string::npos ? std::string::npos : comma - at));
        if (comma == std::string::npos) return values;
        at = comma + 1;
    }
}

bool ParseUtcOffset(const std::string& s, int* out) {
    int h, m, sec = 0;
    if (s.size() < 5 || (s[0] != '+' && s[0] != '-') || !Digits(s, 1, 2, &h) || !Digits(s, 3, 2, &m)) return false;
    if (s.size() >= 7 && !Digits(s, 5, 2, &sec)) return false;
    *out = (s[0] == '-' ? -1 : 1) * (h * 3600 + m * 60 + sec);
    return true;
}
