// A calendar resource from the server read as the memo lines it stands for, and a memo line
// made into the resource a Tessel sends. Our own events carry the line as written and its place
// in the day (X-TESSEL-LINE, X-TESSEL-POS) for other Tessels; other clients ignore them and see
// an ordinary event. X-TESSEL-SHOWN holds the line as an event reader would make it of the
// event: when that no longer matches, another client has edited the event and its summary and
// start count, not the line carried.
#pragma once
#include <string>

#include "sync/memo_events.h"
#include "sync/sync_state.h"

// What a resource holds; false when it is no iCalendar object with an event that can be placed.
bool ReadRemoteEvent(const std::string& ics, SyncRecord* out);

// The resource of our own event for a memo line at (day, pos).
std::string OwnEventIcs(const std::string& uid, const SyncLine& line, const LineEventOptions& options,
                        const char* stamp);
