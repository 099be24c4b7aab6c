#include "sync/remote_event.h"

#include <cstdlib>
#include <vector>

#include "sync/ical_text.h"
#include "sync/text_convert.h"

namespace {
const char kHead[] = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tessel//desk-calendar//JA\r\n";
const char kTail[] = "END:VCALENDAR\r\n";

std::string Utf8(const std::string& cp932) { return Cp932ToUtf8(cp932.c_str()).value_or(""); }

// The lines an event reader makes of an event: every VEVENT of every calendar placed.
bool PlaceAll(const std::vector<Component>& calendars, std::vector<PlacedLine>* placed, int* events, bool* recurring) {
    *events = 0;
    *recurring = false;
    for (const Component& calendar : calendars) {
        CalendarZones zones(calendar);
        bool placeable = true;
        ForEachEvent(calendar, [&](const Component& c, const EventSchedule& schedule) {
            ++*events;
            if (c.Prop("RRULE") || c.Prop("RDATE") || c.Prop("RECURRENCE-ID")) *recurring = true;
            int replaced = 0, floating = 0;
            SkippedEvent::Reason why;
            placeable = PlaceEvent(c, zones, schedule, placed, &replaced, &floating, &why) && placeable;
        });
        if (!placeable) return false;
    }
    return *events > 0;
}
}  // namespace

bool ReadRemoteEvent(const std::string& ics, SyncRecord* out) {
    std::vector<Component> calendars;
    if (!ParseCalendars(ics, &calendars)) return false;
    std::vector<PlacedLine> placed;
    int events;
    bool recurring;
    if (!PlaceAll(calendars, &placed, &events, &recurring)) return false;
    const Component* first = nullptr;
    for (const Component& c : calendars[0].children)
        if (c.name == "VEVENT" && !first) first = &c;
    out->uid = first && first->Prop("UID") ? first->Prop("UID")->value : "";
    out->recurring = recurring || placed.size() > 1;
    out->own = false;
    out->lines.clear();
    const ContentLine *line = first ? first->Prop("X-TESSEL-LINE") : nullptr,
                      *shown = first ? first->Prop("X-TESSEL-SHOWN") : nullptr,
                      *pos = first ? first->Prop("X-TESSEL-POS") : nullptr;
    int replaced = 0;
    if (events == 1 && placed.size() == 1 && line && shown &&
        Utf8ToCp932Lossy(UnescapeText(shown->value), &replaced) == placed[0].line) {
        out->own = true;
        out->recurring = false;
        SyncLine l{placed[0].day, -1, Utf8ToCp932Lossy(UnescapeText(line->value), &replaced)};
        // "YYYYMMDD/N": the place holds only on the day it was written for.
        if (pos && pos->value.size() > 9 && pos->value.compare(0, 8, IcsDateText(l.day)) == 0)
            l.pos = std::atoi(pos->value.c_str() + 9);
        if (!l.text.empty()) out->lines.push_back(l);
        return true;
    }
    for (const PlacedLine& p : placed)
        if (!p.line.empty()) out->lines.push_back(SyncLine{p.day, -1, p.line});
    return true;
}

std::string OwnEventIcs(const std::string& uid, const SyncLine& line, const LineEventOptions& options,
                        const char* stamp) {
    std::vector<std::string> extra = {"X-TESSEL-LINE:" + EscapeText(Utf8(line.text)),
                                      "X-TESSEL-POS:" + IcsDateText(line.day) + "/" + std::to_string(line.pos)};
    std::string bare = kHead;
    AppendLineEvent(&bare, uid, line.day, line.text.c_str(), options, stamp, extra);
    bare += kTail;
    // What a reader of the event makes of it, so that a receiving Tessel can tell whether another
    // client has changed it since.
    std::vector<Component> calendars;
    std::vector<PlacedLine> placed;
    int events;
    bool recurring;
    std::string seen;
    if (ParseCalendars(bare, &calendars) && PlaceAll(calendars, &placed, &events, &recurring) && placed.size() == 1)
        seen = Utf8(placed[0].line);
    extra.push_back("X-TESSEL-SHOWN:" + EscapeText(seen));
    std::string ics = kHead;
    AppendLineEvent(&ics, uid, line.day, line.text.c_str(), options, stamp, extra);
    ics += kTail;
    return ics;
}
