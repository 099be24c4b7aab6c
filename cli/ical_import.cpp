#include "cli/ical_import.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include "base/sjis.h"
#include "calendar/calendar_years.h"
#include "calendar/civil_date.h"
#include "cli/ical_calendar.h"
#include "cli/ical_occurrences.h"
#include "cli/ical_recur.h"
#include "cli/ical_text.h"
#include "cli/ical_zones.h"
#include "cli/local_clock.h"
#include "cli/text_convert.h"
#include "config/profile_store.h"
#include "memo/alarm_time.h"
#include "memo/memo_store.h"
#include "memo/tag_words.h"

namespace {
struct Placed {
    int day;
    std::string line;  // code page 932
};

const int kFirstDay = FirstCalendarDay();
const int kLastDay = LastCalendarDay();

// The memo lines of an event on the days it happens; false, with *why, when it cannot be placed.
bool PlaceEvent(const Component& event, CalendarZones& zones, EventSchedule schedule, std::vector<Placed>* out,
                int* replaced, int* floating, SkippedEvent::Reason* why) {
    const ContentLine* start = event.Prop("DTSTART");
    When& when = schedule.start;
    *why = SkippedEvent::kNoStart;
    if (!start || !ParseWhen(start->value, IsDateValue(*start), &when)) return false;
    *why = SkippedEvent::kRule;
    bool unknownZone = false;
    const EventZone& zone = zones.Of(*start, when, &unknownZone);
    schedule.zone = &zone;
    *floating += unknownZone;
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
    std::vector<long long> starts;
    // A day of slack: the machine's clock may be a day ahead of the event's.
    if (!EventOccurrences(event, schedule, zones, kLastDay + 1, &starts)) return false;
    for (long long clock : starts) {
        int day = static_cast<int>(clock / 86400 - (clock % 86400 < 0));
        if (when.date) {
            for (int d = day; d < day + spanDays; ++d)
                if (d >= kFirstDay && d <= kLastDay) out->push_back(Placed{d, text});
            continue;
        }
        int localDay = day, seconds = static_cast<int>(clock - static_cast<long long>(day) * 86400);
        if (zone.kind != EventZone::kFloating) UtcToLocalClock(ZoneClockToUtc(zone, clock), &localDay, &seconds);
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

// The events named one by one; a file of thousands that all fail is summed up after these.
constexpr int kNamedSkips = 20;

SkippedEvent Skipped(const Component& event, SkippedEvent::Reason why) {
    SkippedEvent e{why, "", "?"};
    if (const ContentLine* s = event.Prop("SUMMARY")) e.summary = UnescapeText(s->value);
    for (char& c : e.summary)
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    // As a memo line would hold it: what the terminal is given is whole characters.
    int replaced = 0;
    std::string cp = Utf8ToCp932Lossy(e.summary, &replaced);
    cp.resize(SjisFitLength(cp.c_str(), 200));
    e.summary = Cp932ToUtf8(cp.c_str()).value_or("?");
    When when;
    if (const ContentLine* start = event.Prop("DTSTART"); start && ParseWhen(start->value.substr(0, 8), true, &when)) {
        int y, m, d;
        DateOfDayNumber(when.day, &y, &m, &d);
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", y, m, d);
        e.date = date;
    }
    return e;
}

// Our export writes the holiday rules and the countdown memos as events with categories; they
// come from the holiday file and the countdown list, so they do not come back as memo lines.
bool IsOwnRuleOrCountdown(const Component& event) {
    const ContentLine* uid = event.Prop("UID");
    const std::string suffix = "@tessel";
    return uid && event.Prop("CATEGORIES") && uid->value.size() > suffix.size() &&
           uid->value.compare(uid->value.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Whether the memo holds the line, as it stands or as an export shows it: without its tag words,
// so that a tagged line exported and imported again is found.
bool HasLine(const char* memo, const std::string& line) {
    for (const char* at = memo; *at;) {
        const char* end = std::strstr(at, "\r\n");
        size_t n = end ? static_cast<size_t>(end - at) : std::strlen(at);
        std::string stored(at, n), shown = stored;
        RemoveTagWords(g_tags, shown.data());
        shown.resize(std::strlen(shown.c_str()));
        if (line == stored || line == shown) return true;
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
        std::optional<std::string> cp = c < 0x20 ? std::nullopt : Utf8ToCp932(one.c_str());
        if (cp && !cp->empty()) {
            out += *cp;
        } else if (c == '\t') {
            out += ' ';
        } else {
            out += '?';
            ++*replaced;
        }
        i += n;
    }
    return out;
}

ImportOutcome ImportIcs(const std::string& text) {
    ImportOutcome result;
    std::vector<Component> calendars;
    if (!ParseCalendars(text, &calendars)) return result;
    result.parsed = true;
    std::vector<Placed> placed;
    for (const Component& calendar : calendars) {
        CalendarZones zones(calendar);
        // Events that replace one occurrence of another (same UID, RECURRENCE-ID).
        std::map<std::string, std::vector<const ContentLine*>> replacedOf;
        for (const Component& c : calendar.children) {
            const ContentLine *uid = c.Prop("UID"), *id = c.Prop("RECURRENCE-ID");
            if (c.name == "VEVENT" && uid && id) replacedOf[uid->value].push_back(id);
        }
        for (const Component& c : calendar.children) {
            if (c.name != "VEVENT") continue;
            if (IsOwnRuleOrCountdown(c)) {
                ++result.own;
                continue;
            }
            EventSchedule schedule;
            const ContentLine* uid = c.Prop("UID");
            schedule.single = c.Prop("RECURRENCE-ID") != nullptr;
            if (uid && !schedule.single) {
                if (auto r = replacedOf.find(uid->value); r != replacedOf.end()) schedule.replaced = r->second;
            }
            SkippedEvent::Reason why;
            if (!PlaceEvent(c, zones, schedule, &placed, &result.replaced, &result.floating, &why)) {
                if (++result.skipped <= kNamedSkips) result.skippedEvents.push_back(Skipped(c, why));
            }
        }
    }

    ProfileWriteBatch batch;  // each year file replaced once, locked against the calendar meanwhile
    for (const Placed& p : placed) {
        if (p.line.empty()) continue;
        int y, m, d;
        DateOfDayNumber(p.day, &y, &m, &d);
        if (HasLine(ReadMemo(y, m, d).c_str(), p.line)) {
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
