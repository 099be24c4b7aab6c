// One two-way sync of the date memos with a CalDAV calendar collection. It promises: the memo
// files are read and written only through the memo and profile stores (locked against other
// processes, each file replaced atomically), never a record of the window's, so it may run on a
// worker thread while the window goes on; a failure at any point (a dead server, a timeout, an
// error status, a malformed or huge response, the process killed) leaves every memo file whole
// and the next sync finishes the work without losing or doubling a line; every PUT and DELETE
// carries If-Match (If-None-Match: * for a new event), so a change made elsewhere meanwhile is
// never overwritten; a sync with nothing to do makes at most three requests.
#pragma once
#include <atomic>
#include <string>
#include <vector>

#include "config/file_names.h"
#include "config/tags.h"
#include "sync/http_transport.h"

// Section "CALDAV" of the configuration file.
inline constexpr char kSyncSection[] = "CALDAV";
inline constexpr char kSyncUrlKey[] = "URL";
inline constexpr char kSyncUserKey[] = "USER";

struct SyncJob {
    const DataFiles* files = nullptr;  // the memo files (and so where the sync state file lives)
    std::string url;                   // the calendar collection, ending in "/"
    const TagTable* tags = nullptr;    // tag words left out of the events' summaries
    bool alarm = false;                // "ALARM": timed events carry a VALARM
    int alarmMinutes = 0;              // "ALARM_TIME": how long before the time it rings
    // Days (day numbers) whose memo is open for editing: neither read nor written by this sync;
    // their changes wait for the next one.
    std::vector<int> heldDays;
    // Set from another thread to stop between requests; the sync then ends as a failure (kCancelled)
    // with everything done so far kept.
    const std::atomic<bool>* cancel = nullptr;
};

enum class SyncFailure {
    kNone,
    kInsecureUrl,   // plain http to a host that is not this machine
    kAuth,          // 401: wrong user or password
    kForbidden,     // 403
    kNotFound,      // 404: no such collection
    kNotCalendar,   // the URL is no calendar collection that takes events
    kUnreachable,
    kTimeout,
    kCertificate,
    kTooLarge,      // a response over the size limit
    kServer,        // 5xx or another unexpected status
    kMalformed,     // a response that could not be read
    kWrite,         // a memo or state file did not reach the disk
    kCancelled,
};

struct SyncCounts {
    int sent = 0;             // events made or changed on the server
    int received = 0;         // memo lines added or changed from the server
    int deletedRemote = 0;    // events deleted on the server
    int deletedLocal = 0;     // memo lines removed because their event went
    int conflicts = 0;        // both sides changed: both texts kept
};

struct SyncOutcome {
    SyncFailure failure = SyncFailure::kNone;
    std::string detail;  // what the server or platform said (UTF-8), may be empty
    int status = 0;      // the HTTP status behind the failure, where there was one
    SyncCounts counts;
    bool memosChanged = false;  // some memo file was written: the window rebuilds
    bool ok() const { return failure == SyncFailure::kNone; }
};

// Checks that job.url is a calendar collection that takes VEVENT, authenticating (one PROPFIND).
SyncOutcome CheckSyncCalendar(const std::string& url, HttpTransport& transport);

// One sync, both ways.
SyncOutcome RunSync(const SyncJob& job, HttpTransport& transport);

// The one line that names a failure for the user (code page 932), the detail after it.
std::string SyncFailureLine(const SyncOutcome& outcome);
// What a sync did, in one line (code page 932).
std::string SyncSummaryLine(const SyncCounts& counts);

// The sync state file of these memo files: beside the common memo file.
std::string SyncStatePath(const DataFiles& files);
