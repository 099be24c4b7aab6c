#include "sync/zone_rules.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "calendar/calendar_years.h"
#include "calendar/civil_date.h"

namespace {
// ---- TZif (RFC 8536) ----

uint32_t Be32(const std::string& s, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(s[at])) << 24 |
           static_cast<uint32_t>(static_cast<unsigned char>(s[at + 1])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(s[at + 2])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(s[at + 3]));
}

long long Be64(const std::string& s, size_t at) {
    return static_cast<long long>(static_cast<uint64_t>(Be32(s, at)) << 32 | Be32(s, at + 4));
}

struct TzifCounts {
    uint32_t isut, isstd, leap, time, type, chars;
};

bool ReadCounts(const std::string& s, size_t at, TzifCounts* c) {
    if (s.size() < at + 44 || s.compare(at, 4, "TZif") != 0) return false;
    *c = {Be32(s, at + 20), Be32(s, at + 24), Be32(s, at + 28), Be32(s, at + 32), Be32(s, at + 36), Be32(s, at + 40)};
    // No real zone comes near these; they keep the sizes below far from overflowing.
    return c->type >= 1 && c->type <= 256 && c->time <= 100000 && c->chars <= 100000 && c->leap <= 100000 &&
           (c->isut == 0 || c->isut == c->type) && (c->isstd == 0 || c->isstd == c->type);
}

size_t BlockSize(const TzifCounts& c, size_t timeSize) {
    return c.time * timeSize + c.time + c.type * 6 + c.chars + c.leap * (timeSize + 4) + c.isstd + c.isut;
}

// ---- POSIX TZ texts ----

struct Transition {
    int kind = 0;      // 'J' (1..365, no 29 February), 'N' (0..365), 'M' (month, week, weekday)
    int a = 0, b = 0, c = 0;
    int time = 7200;   // seconds after local midnight, may be negative or past a day
};

struct FutureRule {
    int stdOffset = 0;  // east of UTC
    bool dst = false;
    int dstOffset = 0;
    Transition start, end;
};

class TzText {
  public:
    explicit TzText(const std::string& s) : s_(s) {}
    bool Done() const { return at_ == s_.size(); }
    bool Eat(char c) {
        if (at_ < s_.size() && s_[at_] == c) return ++at_, true;
        return false;
    }
    char Peek() const { return at_ < s_.size() ? s_[at_] : '\0'; }
    bool Name() {
        size_t from = at_;
        if (Eat('<')) {
            while (at_ < s_.size() && s_[at_] != '>') ++at_;
            return Eat('>') && at_ - from >= 5;
        }
        while (at_ < s_.size() && std::isalpha(static_cast<unsigned char>(s_[at_]))) ++at_;
        return at_ - from >= 3;
    }
    bool Number(int lo, int hi, int* out) {
        size_t from = at_;
        int v = 0;
        while (at_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[at_])) && at_ - from < 4)
            v = v * 10 + (s_[at_++] - '0');
        if (at_ == from || v < lo || v > hi) return false;
        *out = v;
        return true;
    }
    // [+-]hh[:mm[:ss]] as seconds; hours up to maxHours.
    bool Time(int maxHours, int* out) {
        int sign = Eat('-') ? -1 : (Eat('+'), 1);
        int h, m = 0, sec = 0;
        if (!Number(0, maxHours, &h)) return false;
        if (Eat(':') && (!Number(0, 59, &m) || (Eat(':') && !Number(0, 59, &sec)))) return false;
        *out = sign * (h * 3600 + m * 60 + sec);
        return true;
    }
    bool Rule(Transition* t) {
        if (Eat('J')) {
            t->kind = 'J';
            if (!Number(1, 365, &t->a)) return false;
        } else if (Eat('M')) {
            t->kind = 'M';
            if (!Number(1, 12, &t->a) || !Eat('.') || !Number(1, 5, &t->b) || !Eat('.') || !Number(0, 6, &t->c))
                return false;
        } else {
            t->kind = 'N';
            if (!Number(0, 365, &t->a)) return false;
        }
        return !Eat('/') || Time(167, &t->time);
    }

  private:
    const std::string& s_;
    size_t at_ = 0;
};

bool ParseFuture(const std::string& text, FutureRule* out) {
    TzText t(text);
    int west;
    if (!t.Name() || !t.Time(24, &west)) return false;
    *out = FutureRule{};
    out->stdOffset = -west;
    if (t.Done()) return true;
    if (!t.Name()) return false;
    out->dst = true;
    out->dstOffset = out->stdOffset + 3600;
    if (t.Peek() != ',' && !t.Done()) {
        if (!t.Time(24, &west)) return false;
        out->dstOffset = -west;
    }
    if (t.Done()) {  // no dates: the United States' rule, as the zone database's default
        out->start = Transition{'M', 3, 2, 0, 7200};
        out->end = Transition{'M', 11, 1, 0, 7200};
        return true;
    }
    return t.Eat(',') && t.Rule(&out->start) && t.Eat(',') && t.Rule(&out->end) && t.Done();
}

int WeekdayOfDay(int dayNumber) { return ((dayNumber + 4) % 7 + 7) % 7; }

// The local day (a day number) a transition falls on in year.
int TransitionDay(const Transition& t, int year) {
    if (t.kind == 'J') {
        bool leap = DaysInMonth(year, 2) == 29;
        return DayNumberOf(year, 1, 1) + t.a - 1 + (leap && t.a >= 60 ? 1 : 0);
    }
    if (t.kind == 'N') return DayNumberOf(year, 1, 1) + t.a;
    int first = DayNumberOf(year, t.a, 1);
    int day = first + (t.c - WeekdayOfDay(first) + 7) % 7 + 7 * (t.b - 1);
    while (day >= first + DaysInMonth(year, t.a)) day -= 7;  // week 5: the last such weekday
    return day;
}

int FutureOffset(const FutureRule& r, long long utc) {
    if (!r.dst) return r.stdOffset;
    int year, month, day;
    DateOfDayNumber(static_cast<int>((utc + r.stdOffset) / 86400 - ((utc + r.stdOffset) % 86400 < 0)), &year, &month,
                    &day);
    // The changes of the years around the instant, in order; the last one not after it holds.
    struct Change {
        long long at;
        bool dst;
    };
    std::vector<Change> changes;
    for (int y = year - 1; y <= year + 1; ++y) {
        // The start is given in standard time, the end in summer time.
        changes.push_back({static_cast<long long>(TransitionDay(r.end, y)) * 86400 + r.end.time - r.dstOffset, false});
        changes.push_back({static_cast<long long>(TransitionDay(r.start, y)) * 86400 + r.start.time - r.stdOffset, true});
    }
    std::stable_sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) { return a.at < b.at; });
    bool dst = !changes.front().dst;
    for (const Change& c : changes)
        if (c.at <= utc) dst = c.dst;
    return dst ? r.dstOffset : r.stdOffset;
}
}  // namespace

long long FirstZoneInstant() { return (static_cast<long long>(FirstCalendarDay()) - 2) * 86400; }

bool ValidFutureRule(const std::string& text) {
    FutureRule r;
    return ParseFuture(text, &r);
}

bool ParseTzif(const std::string& s, long long firstInstant, ZoneRules* out) {
    TzifCounts v1;
    if (!ReadCounts(s, 0, &v1) || s.size() < 5) return false;
    char version = s[4];
    bool wide = version >= '2';
    size_t at = 44;
    TzifCounts c = v1;
    size_t timeSize = 4;
    if (wide) {
        at += BlockSize(v1, 4);
        if (!ReadCounts(s, at, &c)) return false;
        at += 44;
        timeSize = 8;
    }
    if (s.size() < at + BlockSize(c, timeSize)) return false;
    size_t times = at, indices = times + c.time * timeSize, types = indices + c.time;
    auto offsetOf = [&](unsigned index) { return static_cast<int>(Be32(s, types + index * 6)); };
    *out = ZoneRules{};
    out->initialOffset = offsetOf(0);
    long long last = 0;
    for (uint32_t i = 0; i < c.time; ++i) {
        long long when = timeSize == 8 ? Be64(s, times + i * 8) : static_cast<int32_t>(Be32(s, times + i * 4));
        unsigned index = static_cast<unsigned char>(s[indices + i]);
        if (index >= c.type || (i && when <= last)) return false;
        last = when;
        int offset = offsetOf(index);
        if (offset < -26 * 3600 || offset > 26 * 3600) return false;
        if (when < firstInstant) {
            out->initialOffset = offset;
        } else {
            out->changes.push_back(when);
            out->offsets.push_back(offset);
        }
    }
    if (wide) {
        size_t footer = at + BlockSize(c, timeSize);
        if (footer < s.size() && s[footer] == '\n') {
            size_t end = s.find('\n', footer + 1);
            if (end == std::string::npos) return false;
            out->future = s.substr(footer + 1, end - footer - 1);
            if (!out->future.empty() && !ValidFutureRule(out->future)) return false;
        }
    }
    return true;
}

int OffsetAt(const ZoneRules& zone, long long utc) {
    auto after = std::upper_bound(zone.changes.begin(), zone.changes.end(), utc);
    if (after == zone.changes.end() && !zone.future.empty()) {
        FutureRule r;
        if (ParseFuture(zone.future, &r)) return FutureOffset(r, utc);
    }
    if (after == zone.changes.begin()) return zone.initialOffset;
    return zone.offsets[after - zone.changes.begin() - 1];
}

long long WallToUtc(const ZoneRules& zone, long long wall) {
    // Changes are far more than a day apart: the offsets a day either side are the candidates.
    int before = OffsetAt(zone, wall - 86400 - 26 * 3600), after = OffsetAt(zone, wall + 86400 + 26 * 3600);
    if (OffsetAt(zone, wall - before) == before) return wall - before;
    if (OffsetAt(zone, wall - after) == after) return wall - after;
    return wall - before;
}
