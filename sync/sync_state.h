// What the last sync left agreed between the memo files and the calendar: for each event its
// href, ETag, UID and the memo lines it stands for (day, place in the day's memo, text), and the
// collection's sync-token or ctag. Kept in its own INI file beside the memo files and written
// through the profile store, so every save replaces the file whole.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "config/file_ops.h"

struct SyncLine {
    int day = 0;
    int pos = 0;       // line index in the day's memo (blank lines counted), as the server has it
    std::string text;  // code page 932, as the calendar holds it
    int order = 0;     // line index in the memo as the last sync left it (the order lines are matched in)
    bool operator==(const SyncLine&) const = default;
};

struct SyncRecord {
    std::string href;  // as the server names it (path, percent escapes kept)
    std::string etag;
    std::string uid;
    bool own = false;        // made by a Tessel: carries the line itself and its place
    bool recurring = false;  // one event, many dates
    std::vector<SyncLine> lines;
};

struct SyncState {
    std::string url;    // the collection this state belongs to
    std::string token;  // sync-token of the last sync, or empty
    std::string ctag;
    std::map<std::string, SyncRecord> records;  // by href
};

// An absent or unreadable file is an empty state.
SyncState LoadSyncState(const char* path);
// The whole state in one replacement of the file.
[[nodiscard]] WriteResult SaveSyncState(const char* path, const SyncState& state);

// One record as its stored value and back (tests; the file format).
std::string EncodeSyncRecord(const SyncRecord& record);
bool DecodeSyncRecord(const std::string& value, SyncRecord* out);
