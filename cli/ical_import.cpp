#include "cli/ical_import.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <set>
#include <vector>

#include "calendar/civil_date.h"
#include "cli/ical_calendar.h"
#include "cli/ical_recur.h"
#include "cli/ical_text.h"
#include "cli/ical_zones.h"
#include "cli/text_convert.h"
#include "config/profile_store.h"
#include "memo/alarm_time.h"
#include "memo/date_choice.h"
#include "memo/memo_store.h"

namespace {
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

const int kFirstDay = DayNumberOf(kFirstChoosableYear, 1, 1);
const int kLastDay = DayNumberOf(kLastChoosableYear, 12, 31);

// The days an event's dates given as day numbers in its own terms fall on; false when it
// cannot be placed.
bool PlaceEvent(const Component& event, CalendarZones& zones, std::vector<Placed>* out, int* replaced,
                int* floating) {
    const ContentLine* start = event.Prop("DTSTART");
    When when;
    if (!start || !ParseWhen(start->value, IsDateValue(*start), &when)) return false;
    bool unknownZone = false;
    const EventZone& zone = zones.Of(*start, when, &unknownZone);
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
        if (zone.kind != EventZone::kFloating)
            UtcToLocal(ZoneClockToUtc(zone, static_cast<long long>(day) * 86400 + when.seconds), &localDay, &seconds);
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
    std::vector<Component> calendars;
    if (!ParseCalendars(text, &calendars)) return result;
    result.parsed = true;
    std::vector<Placed> placed;
    for (const Component& calendar : calendars) {
        CalendarZones zones(calendar);
        for (const Component& c : calendar.children) {
            if (c.name != "VEVENT") continue;
            if (IsOwnRuleOrCountdown(c)) ++result.own;
            else if (!PlaceEvent(c, zones, &placed, &result.replaced, &result.floating)) ++result.skipped;
        }
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
