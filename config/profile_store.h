// INI files read and written one value at a time: the store behind every file of the program.
// Section and key names match regardless of ASCII case; values come back byte for byte, without
// the blanks at either end. Writes replace the file in one step, so it is never left half written.
#pragma once

// Copies the value (or def when file, section or key is missing) into buf[size], cut to size - 1
// bytes. Returns the bytes copied without the terminating zero (size - 1 when cut).
int ProfileReadString(const char* section, const char* key, const char* def, char* buf, int size,
                      const char* path);

// The number at the start of the value (leading sign, 0x.. hexadecimal), def when the key is
// missing or empty.
int ProfileReadInt(const char* section, const char* key, int def, const char* path);

// Sets the value, creating file and section as needed; value == nullptr removes the key.
// Returns false when the file could not be written (the old file then stays as it was).
bool ProfileWriteString(const char* section, const char* key, const char* value, const char* path);

// A read batch: between begin and end, each file's stamp is compared once, at its first read,
// instead of at every read. For a run of reads that belongs together (a search over the year
// files); writes inside a batch still go to the disk and are seen by the reads after them.
// Batches nest.
void ProfileBeginReadBatch();
void ProfileEndReadBatch();

struct ProfileReadBatch {
    ProfileReadBatch() { ProfileBeginReadBatch(); }
    ~ProfileReadBatch() { ProfileEndReadBatch(); }
    ProfileReadBatch(const ProfileReadBatch&) = delete;
    ProfileReadBatch& operator=(const ProfileReadBatch&) = delete;
};

// Forgets every parsed file (tests; shutdown).
void ProfileStoreReset();

// How many times a file has been read from disk and parsed since the last reset.
int ProfileStoreParseCount();
