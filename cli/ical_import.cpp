#include "cli/ical_import.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <set>
#include <vector>

#include "calendar/civil_date.h"
#include "cli/ical_recur.h"
#include "cli/ical_text.h"
#include "cli/text_convert.h"
#include "config/profile_store.h"
#include "memo/alarm_time.h"
#include "memo/memo_store.h"

namespace {
struct Component {
    std::string name;
    std::vector<ContentLine> props;
    std::vector<Component> children;
    const ContentLine* Prop(const char* wanted) const {
        for (const ContentLine& p : props)
            if (p.name == wanted) return &p;
        return nullptr;
    }
};

bool ParseCalendar(const std::string& text, Component* calendar) {
    std::vector<Component> stack;
    bool done = false;
    for (const std::string& raw : UnfoldLines(text)) {
        ContentLine line;
        if (!ParseContentLine(raw, &line)) return false;
        if (line.name == "BEGIN") {
            Component c;
            for (char ch : line.value) c.name += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            stack.push_back(std::move(c));
        } else if (line.name == "END") {
            if (stack.empty()) return false;
            std::string name;
            for (char ch : line.value) name += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            if (name != stack.back().name) return false;
            Component c = std::move(stack.back());
            stack.pop_back();
            if (stack.empty()) {
                if (c.name != "VCALENDAR" || done) return false;
                *calendar = std::move(c);
                done = true;
            } else {
                stack.back().children.push_back(std::move(c));
            }
        } else if (!stack.empty()) {
            stack.back().props.push_back(std::move(line));
        }
    }
    return done && stack.empty();
}

// A date or date-time value: the day number, seconds into the day, and its kind.
struct When {
    int day = 0;
    int seconds = 0;
    bool date = false;  // VALUE=DATE: all day
    bool utc = false;
};

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
    return v && *v == "DATE";
}

// "+0900" as seconds east of UTC.
bool ParseOffset(const std::string& s, int* out) {
    int h, m, sec = 0;
    if (s.size() < 5 || (s[0] != '+' && s[0] != '-') || !Digits(s, 1, 2, &h) || !Digits(s, 3, 2, &m)) return false;
    if (s.size() >= 7) Digits(s, 5, 2, &sec);
    *out = (s[0] == '-' ? -1 : 1) * (h * 3600 + m * 60 + sec);
    return true;
}

long long Seconds(int day, int seconds) { return static_cast<long long>(day) * 86400 + seconds; }

// The offset in force in a time zone at a local time: the observance with the latest onset.
bool ZoneOffset(const Component& zone, long long local, int* offset) {
    long long best = 0;
    bool found = false;
    int earliestFrom = 0;
    long long earliest = 0;
    for (const Component& o : zone.children) {
        if (o.name != "STANDARD" && o.name != "DAYLIGHT") continue;
        const ContentLine *start = o.Prop("DTSTART"), *to = o.Prop("TZOFFSETTO"), *from = o.Prop("TZOFFSETFROM");
        When w;
        int toOffset;
        if (!start || !to || !ParseWhen(start->value, false, &w) || !ParseOffset(to->value, &toOffset)) continue;
        std::vector<int> onsets{w.day};
        if (const ContentLine* rule = o.Prop("RRULE")) {
            RecurRule r;
            if (ParseRecurRule(rule->value, &r)) onsets = ExpandRecurrence(r, w.day, static_cast<int>(local / 86400) + 1);
        }
        for (int day : onsets) {
            long long onset = Seconds(day, w.seconds);
            if (onset <= local && (!found || onset > best)) best = onset, *offset = toOffset, found = true;
        }
        int fromOffset;
        if ((earliest == 0 || Seconds(w.day, w.seconds) < earliest) && from && ParseOffset(from->value, &fromOffset))
            earliest = Seconds(w.day, w.seconds), earliestFrom = fromOffset;
    }
    if (!found && earliest) *offset = earliestFrom, found = true;
    return found;
}

// A UTC time as the machine's local date and time.
void UtcToLocal(long long utc, int* day, int* seconds) {
    std::time_t t = static_cast<std::time_t>(utc);
    std::tm* local = std::localtime(&t);
    if (!local) {
        *day = static_cast<int>(utc / 86400), *seconds = static_cast<int>(utc % 86400);
        return;
    }
    *day = DayNumberOf(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday);
    *seconds = local->tm_hour * 3600 + local->tm_min * 60 + local->tm_sec;
}

struct Placed {
    int day;
    std::string line;  // code page 932
};

const int kFirstDay = DayNumberOf(1970, 1, 1);
const int kLastDay = DayNumberOf(2035, 12, 31);

// The days an event's dates given as day numbers in its own terms fall on; false when it
// cannot be placed.
bool PlaceEvent(const Component& event, const std::map<std::string, const Component*>& zones,
                std::vector<Placed>* out, int* replaced) {
    const ContentLine* start = event.Prop("DTSTART");
    When when;
    if (!start || !ParseWhen(start->value, IsDateValue(*start), &when)) return false;
    const Component* zone = nullptr;
    if (const std::string* tzid = start->Param("TZID"); tzid && !when.date && !when.utc) {
        auto it = zones.find(*tzid);
        if (it == zones.end()) return false;
        zone = it->second;
    }
    std::string summary;
    if (const ContentLine* s = event.Prop("SUMMARY")) summary = UnescapeText(s->value);
    std::replace(summary.begin(), summary.end(), '\r', ' ');
    std::replace(summary.begin(), summary.end(), '\n', ' ');
    std::string text = Utf8ToCp932Lossy(summary, replaced);

    int spanDays = 1;  // all-day events: the days they cover
    if (when.date) {
        When end;
        if (const ContentLine* e = event.Prop("DTEND"); e && ParseWhen(e->value, true, &end) && end.day > when.day)
            spanDays = end.day - when.day;
        else if (const ContentLine* du = event.Prop("DURATION")) {
            int n = std::atoi(du->value.c_str() + (du->value.rfind('P') == std::string::npos ? 0 : du->value.rfind('P') + 1));
            if (du->value.find('W') != std::string::npos) n *= 7;
            if (du->value.find('D') != std::string::npos || du->value.find('W') != std::string::npos) spanDays = std::max(1, n);
        }
    }
    std::vector<int> days{when.day};
    if (const ContentLine* rule = event.Prop("RRULE")) {
        RecurRule r;
        if (!ParseRecurRule(rule->value, &r)) return false;
        days = ExpandRecurrence(r, when.day, kLastDay);
    }
    std::set<int> excluded;
    for (const ContentLine& p : event.props) {
        if (p.name != "EXDATE") continue;
        size_t at = 0;
        while (at <= p.value.size()) {
            size_t comma = p.value.find(',', at);
            std::string one = p.value.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
            When ex;
            if (ParseWhen(one, IsDateValue(p), &ex)) excluded.insert(ex.day);
            if (comma == std::string::npos) break;
            at = comma + 1;
        }
    }
    for (int day : days) {
        if (excluded.count(day)) continue;
        if (when.date) {
            for (int d = day; d < day + spanDays; ++d)
                if (d >= kFirstDay && d <= kLastDay) out->push_back(Placed{d, text});
            continue;
        }
        int localDay = day, seconds = when.seconds;
        if (when.utc || zone) {
            long long utc = Seconds(day, when.seconds);
            int offset = 0;
            if (zone && !ZoneOffset(*zone, utc, &offset)) return false;
            UtcToLocal(utc - offset, &localDay, &seconds);
        }
        if (localDay < kFirstDay || localDay > kLastDay) continue;
        int minutes = seconds / 60;
        std::string line = text;
        // A summary that already begins with its time is kept as it is, so exported memos come back alike.
        if (FindTime(text.c_str()) != minutes) line = std::to_string(minutes / 60) + ":" + (minutes % 60 < 10 ? "0" : "") +
                                                      std::to_string(minutes % 60) + " " + text;
        out->push_back(Placed{localDay, line});
    }
    return true;
}

// Our export writes the holiday rules and the countdown memos as events with categories; they
// come from the holiday file and the countdown list, so they do not come back as memo lines.
bool IsOwnRuleOrCountdown(const Component& event) {
    const ContentLine* uid = event.Prop("UID");
    const std::string suffix = "@tessel";
    return uid && event.Prop("CATEGORIES") && uid->value.size() > suffix.size() &&
           uid->value.compare(uid->value.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool HasLine(const char* memo, const std::string& line) {
    for (const char* at = memo; *at;) {
        const char* end = std::strstr(at, "\r\n");
        size_t n = end ? static_cast<size_t>(end - at) : std::strlen(at);
        if (line.size() == n && std::memcmp(at, line.data(), n) == 0) return true;
        if (!end) break;
        at = end + 2;
    }
    return false;
}
}  // namespace

std::string Utf8ToCp932Lossy(const std::string& utf8, int* replaced) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (i + n > utf8.size()) n = utf8.size() - i;
        std::string one = utf8.substr(i, n);
        char* cp = c < 0x20 ? nullptr : Utf8ToCp932(one.c_str());
        if (cp && *cp) {
            out += cp;
        } else if (c == '\t') {
            out += ' ';
        } else {
            out += '?';
            ++*replaced;
        }
        std::free(cp);
        i += n;
    }
    return out;
}

ImportOutcome ImportIcs(const std::string& text) {
    ImportOutcome result;
    Component calendar;
    if (!ParseCalendar(text, &calendar)) return result;
    result.parsed = true;
    std::map<std::string, const Component*> zones;
    for (const Component& c : calendar.children)
        if (const ContentLine* id = c.Prop("TZID"); c.name == "VTIMEZONE" && id) zones[id->value] = &c;
    std::vector<Placed> placed;
    for (const Component& c : calendar.children) {
        if (c.name != "VEVENT") continue;
        if (IsOwnRuleOrCountdown(c)) ++result.own;
        else if (!PlaceEvent(c, zones, &placed, &result.replaced)) ++result.skipped;
    }

    ProfileWriteBatch batch;  // each year file replaced once, locked against the calendar meanwhile
    for (const Placed& p : placed) {
        if (p.line.empty()) continue;
        int y, m, d;
        DateOfDayNumber(p.day, &y, &m, &d);
        char* memo = ReadMemo(y, m, d);
        bool present = memo && HasLine(memo, p.line);
        std::free(memo);
        if (present) {
            ++result.present;
            continue;
        }
        WriteResult w = WriteMemo(y, m, d, p.line.c_str(), true);
        if (w) ++result.added;
        else if (result.write) result.write = w;
    }
    if (WriteResult end = batch.End(); !end && result.write) result.write = end;
    return result;
}
