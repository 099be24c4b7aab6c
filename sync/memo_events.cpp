#include "sync/memo_events.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "calendar/calendar_years.h"
#include "calendar/civil_date.h"
#include "memo/alarm_time.h"
#include "memo/tag_words.h"
#include "sync/ical_text.h"
#include "sync/local_clock.h"
#include "sync/text_convert.h"

namespace {
void Put(std::string* out, const std::string& line) { *out += FoldLine(line); }
}  // namespace

std::string IcsDateText(int dayNumber) {
    int y, m, d;
    DateOfDayNumber(dayNumber, &y, &m, &d);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", y, m, d);
    return text;
}

std::string EventUid(const std::string& what) {
    uint64_t h = 1469598103934665603ULL;  // FNV-1a
    for (unsigned char c : what) h = (h ^ c) * 1099511628211ULL;
    char text[40];
    std::snprintf(text, sizeof text, "%016llx@tessel", static_cast<unsigned long long>(h));
    return text;
}

void AppendLineEvent(std::string* out, const std::string& uid, int day, const char* line,
                     const LineEventOptions& options, const char* stamp, const std::vector<std::string>& extra) {
    std::string shown = line;
    if (options.tags) RemoveTagWords(*options.tags, shown.data());  // as the alarms show the line
    shown.resize(std::strlen(shown.c_str()));
    std::string summary = Cp932ToUtf8(shown.c_str()).value_or("");
    std::string date = IcsDateText(day);
    Put(out, "BEGIN:VEVENT");
    Put(out, "UID:" + uid);
    Put(out, std::string("DTSTAMP:") + stamp);
    Put(out, "SUMMARY:" + EscapeText(summary));
    int minutes = FindTime(line);
    if (minutes < 0) {
        Put(out, "DTSTART;VALUE=DATE:" + date);
    } else {
        char start[32];
        std::snprintf(start, sizeof start, "DTSTART:%sT%02d%02d00", date.c_str(), minutes / 60, minutes % 60);
        Put(out, start);
        Put(out, "DURATION:PT1H");
        if (options.alarm) {
            Put(out, "BEGIN:VALARM");
            Put(out, "ACTION:DISPLAY");
            Put(out, "DESCRIPTION:" + EscapeText(summary));
            Put(out, "TRIGGER:-PT" + std::to_string(options.alarmMinutes) + "M");
            Put(out, "END:VALARM");
        }
    }
    for (const std::string& e : extra) Put(out, e);
    Put(out, "END:VEVENT");
}

int FirstPlaceableDay() { return FirstCalendarDay(); }
int LastPlaceableDay() { return LastCalendarDay(); }

bool PlaceEvent(const Component& event, CalendarZones& zones, EventSchedule schedule, std::vector<PlacedLine>* out,
                int* replaced, int* floating, SkippedEvent::Reason* why) {
    const int firstDay = FirstPlaceableDay(), lastDay = LastPlaceableDay();
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
        spanDays = std::min(spanDays, lastDay - firstDay + 1);
    }
    std::vector<long long> starts;
    // A day of slack: the machine's clock may be a day ahead of the event's.
    if (!EventOccurrences(event, schedule, zones, lastDay + 1, &starts)) return false;
    for (long long clock : starts) {
        int day = static_cast<int>(clock / 86400 - (clock % 86400 < 0));
        if (when.date) {
            for (int d = std::max(day, firstDay); d < day + spanDays && d <= lastDay; ++d) out->push_back(PlacedLine{d, text});
            continue;
        }
        int localDay = day, seconds = static_cast<int>(clock - static_cast<long long>(day) * 86400);
        if (zone.kind != EventZone::kFloating) UtcToLocalClock(ZoneClockToUtc(zone, clock), &localDay, &seconds);
        if (localDay < firstDay || localDay > lastDay) continue;
        int minutes = seconds / 60;
        std::string line = text;
        // A summary that already begins with its time is kept as it is, so exported memos come back alike.
        if (FindTime(text.c_str()) != minutes) line = std::to_string(minutes / 60) + ":" + (minutes % 60 < 10 ? "0" : "") +
                                                      std::to_string(minutes % 60) + " " + text;
        out->push_back(PlacedLine{localDay, line});
    }
    return true;
}

void ForEachEvent(const Component& calendar, const std::function<void(const Component&, const EventSchedule&)>& visit) {
    std::map<std::string, std::vector<const ContentLine*>> replacedOf;
    for (const Component& c : calendar.children) {
        const ContentLine *uid = c.Prop("UID"), *id = c.Prop("RECURRENCE-ID");
        if (c.name == "VEVENT" && uid && id) replacedOf[uid->value].push_back(id);
    }
    for (const Component& c : calendar.children) {
        if (c.name != "VEVENT") continue;
        EventSchedule schedule;
        const ContentLine* uid = c.Prop("UID");
        schedule.single = c.Prop("RECURRENCE-ID") != nullptr;
        if (uid && !schedule.single)
            if (auto r = replacedOf.find(uid->value); r != replacedOf.end()) schedule.replaced = r->second;
        visit(c, schedule);
    }
}

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
