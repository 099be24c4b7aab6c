// INI files read and written one value at a time: the store behind every file of the program.
// Section and key names match regardless of ASCII case; values come back byte for byte, without
// the blanks at either end. Writes replace the file in one step, so it is never left half written.
// Any thread may call it at any time: one mutex guards what it keeps, and each thread's batches
// are its own.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "config/file_ops.h"

// Copies the value (or def when file, section or key is missing) into buf[size], cut to size - 1
// bytes. Returns the bytes copied without the terminating zero (size - 1 when cut).
int ProfileReadString(const char* section, const char* key, const char* def, char* buf, int size,
                      const char* path);

// The number at the start of the value (leading sign, 0x.. hexadecimal), def when the key is
// missing or empty.
int ProfileReadInt(const char* section, const char* key, int def, const char* path);

// Sets the value, creating file and section as needed; value == nullptr removes the key.
// The write holds the file's lock against other processes, reads the file again under it and
// replaces it whole. The result says whether the file on disk holds the value, and if not why
// (the old file then stays as it was). A write that would change nothing leaves the file alone.
[[nodiscard]] WriteResult ProfileWriteString(const char* section, const char* key, const char* value, const char* path);

// What an edit makes of a value: leave it, remove the key, or store value.
struct ProfileEdit {
    bool change = false;
    bool remove = false;
    std::string value;
    // For files whose sections and keys are numbers (the memo year files: months and days): a new
    // key goes before the first key of a greater number, a new section before the first section
    // of a greater number, and a section a removal leaves without lines goes too. Such a file then
    // holds the same bytes whatever order its values were written in, so two folders given the
    // same memos (one typed, one synced) hold the same files.
    bool numberOrder = false;
};
// A read-modify-write of one value under the file's lock, so that a value computed from the one
// stored (an appended line) cannot lose what another process wrote in between. edit gets the
// value stored now, found false when the key is missing; it must not call the store.
[[nodiscard]] WriteResult ProfileEditString(const char* section, const char* key, const char* path,
                              const std::function<ProfileEdit(std::string_view current, bool found)>& edit);

// A failed write the user has not been told about yet.
struct WriteFailure {
    std::string path;
    WriteResult result;
};
// One failure for each file whose writes began to fail since its last good write, oldest first;
// taking them empties the list. A file that keeps failing is not listed again until a write to
// it has succeeded.
std::vector<WriteFailure> ProfileTakeWriteFailures();
// Called on the writing thread after a failure has been listed (null: nobody). It must not call
// the store; it may post itself a reminder to take the failures.
void ProfileSetWriteFailureListener(void (*listener)());

// A read batch of the calling thread: between begin and end, each file's stamp is compared once,
// at its first read, instead of at every read. For a run of reads that belongs together (a search
// over the year files); writes inside a batch still go to the disk and are seen by the reads
// after them, this thread's and the others'. Batches nest.
void ProfileBeginReadBatch();
void ProfileEndReadBatch();

struct ProfileReadBatch {
    ProfileReadBatch() { ProfileBeginReadBatch(); }
    ~ProfileReadBatch() { ProfileEndReadBatch(); }
    ProfileReadBatch(const ProfileReadBatch&) = delete;
    ProfileReadBatch& operator=(const ProfileReadBatch&) = delete;
};

// A write batch of the calling thread: the writes between begin and end change each file in memory
// (this thread's reads see them; the others' see the disk) and each file is replaced once, at the
// end, its lock held from its first write on so nobody writes it in between, another thread of
// this process included (its write waits for the end). For a run of writes that belongs together
// (the settings on OK, a design, the days of a cleared month). The writes inside answer only
// whether they were accepted; the end answers whether every file reached the disk. Batches nest.
void ProfileBeginWriteBatch();
[[nodiscard]] WriteResult ProfileEndWriteBatch();

class ProfileWriteBatch {
  public:
    ProfileWriteBatch() { ProfileBeginWriteBatch(); }
    ~ProfileWriteBatch() {
        if (!ended_) (void)ProfileEndWriteBatch();
    }
    ProfileWriteBatch(const ProfileWriteBatch&) = delete;
    ProfileWriteBatch& operator=(const ProfileWriteBatch&) = delete;
    [[nodiscard]] WriteResult End() {
        ended_ = true;
        return ProfileEndWriteBatch();
    }

  private:
    bool ended_ = false;
};

// A replacement of a file by this process: the file's stamp before it and after it. Whoever
// watches the data folder tells its own writes from another program's by them.
struct OwnReplacement {
    FileStamp before;
    FileStamp after;
};
// The replacements of path since the last take, oldest first (only the latest few are kept);
// taking them empties the list.
std::vector<OwnReplacement> ProfileTakeOwnReplacements(const char* path);

// Forgets every parsed file and every unreported failure (tests; shutdown).
void ProfileStoreReset();

// How many times a file has been read from disk and parsed since the last reset.
int ProfileStoreParseCount();
// How many times a file has been replaced on disk by a write since the last reset.
int ProfileStoreReplaceCount();
