#include "cli/ical_import.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <vector>

#include "base/sjis.h"
#include "calendar/civil_date.h"
#include "sync/ical_calendar.h"
#include "sync/ical_occurrences.h"
#include "sync/ical_recur.h"
#include "sync/ical_text.h"
#include "sync/ical_zones.h"
#include "sync/memo_events.h"
#include "sync/text_convert.h"
#include "config/profile_store.h"
#include "memo/alarm_time.h"
#include "memo/date_choice.h"
#include "memo/memo_store.h"
#include "memo/tag_words.h"

namespace {
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

ImportOutcome ImportIcs(const std::string& text) {
    ImportOutcome result;
    std::vector<Component> calendars;
    if (!ParseCalendars(text, &calendars)) return result;
    result.parsed = true;
    std::vector<PlacedLine> placed;
    for (const Component& calendar : calendars) {
        CalendarZones zones(calendar);
        ForEachEvent(calendar, [&](const Component& c, const EventSchedule& schedule) {
            if (IsOwnRuleOrCountdown(c)) {
                ++result.own;
                return;
            }
            SkippedEvent::Reason why;
            if (!PlaceEvent(c, zones, schedule, &placed, &result.replaced, &result.floating, &why)) {
                if (++result.skipped <= kNamedSkips) result.skippedEvents.push_back(Skipped(c, why));
            }
        });
    }

    ProfileWriteBatch batch;  // each year file replaced once, locked against the calendar meanwhile
    for (const PlacedLine& p : placed) {
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
