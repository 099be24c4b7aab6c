// What the running calendar makes of changes in its data folder: which names are its data files,
// and which of those another program (the companion, a sync tool, a second PC's copy) has
// changed since the calendar last looked. Its own writes are told apart by the stamps the
// profile store records for them, so they never make it read its files again.
#pragma once
#include <string>
#include <unordered_map>

#include "config/file_names.h"
#include "config/file_ops.h"

enum class DataFileKind { kNone, kYearMemo, kCommonMemo, kHoliday };

// The kind of a file name (without folder) in the data folder. The configuration is none: the
// settings in force stay as they are until the next start (the calendar writes them key by key,
// so another program's keys are kept). The store's temporary files and its lock file are none.
DataFileKind KindOfDataFileName(const char* name, const DataFiles& files);

// The stamps of the data files as the calendar last took them in, by path.
struct DataWatch {
    std::unordered_map<std::string, FileStamp> seen;
};

struct DataChanges {
    bool memos = false;        // a year memo file or the common memo file
    bool commonMemo = false;   // the common memo file: the free memo, the phrases, the countdowns
    bool holidays = false;     // the holiday file
    bool any() const { return memos || holidays; }
};

// Looks at every data file now (year memo files that came or went too) and answers what changed
// since the last look other than by this process's own writes; the stamps seen now are kept.
DataChanges CheckDataFiles(DataWatch* watch, const DataFiles& files);
