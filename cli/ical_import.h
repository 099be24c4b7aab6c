// Events of an iCalendar file brought in as memo lines: all-day events on each day they cover,
// timed events at the machine's local time as "H:MM summary", recurrences expanded over the
// years the calendar shows. A line already on its date is not added again, nor one that shows
// as it does without its tag words (the tags must have been read).
#pragma once
#include <string>
#include <vector>

#include "config/file_ops.h"
#include "sync/memo_events.h"

struct ImportOutcome {
    bool parsed = false;  // false: nothing was written
    int added = 0;        // memo lines written
    int present = 0;      // lines already on their date
    int skipped = 0;      // events that could not be placed
    std::vector<SkippedEvent> skippedEvents;  // the first of them, to be named
    int floating = 0;     // events whose TZID names no zone, placed at the time as written
    int replaced = 0;     // characters code page 932 cannot hold, written as "?"
    int own = 0;          // rule and countdown events an export of ours wrote: they are no memos
    WriteResult write;    // the first write that did not reach the disk
};

ImportOutcome ImportIcs(const std::string& text);
