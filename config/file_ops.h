// The few file-system calls the profile store needs that differ between Windows and POSIX.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct FileStamp {
    bool exists = false;
    int64_t size = 0;
    int64_t writeTime = 0;  // platform units, finest resolution available
    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOfFile(const char* path);

// Replaces target by tmp in one step (tmp lies in the same folder). False on failure.
bool ReplaceFileAtomically(const char* tmp, const char* target);

// Flushes an open file's data to the disk before it replaces the old file.
bool FlushFileToDisk(void* stdioFile);

// A process id to make temporary names unique.
int CurrentProcessId();

// Names (without folder) of the files that match pattern, a path whose last part may hold the
// wildcards "?" (one character) and "*" (any run). Empty when nothing matches.
std::vector<std::string> FindFileNames(const char* pattern);
