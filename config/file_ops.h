// The few file-system calls the profile store needs that differ between Windows and POSIX.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct FileStamp {
    bool exists = false;
    int64_t size = 0;
    int64_t writeTime = 0;  // platform units, finest resolution available
    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOfFile(const char* path);

// Why a file could not be written.
enum class WriteError {
    kNone,
    kRefused,         // the value or name would break the file's lines
    kFolderMissing,
    kFolderReadOnly,  // no file can be made in the folder
    kFileReadOnly,
    kBusy,            // another program holds the file (or its lock) too long
    kDiskFull,
    kCannotRead,      // the file exists but cannot be read, so it cannot be rewritten safely
    kOther,
};

// The outcome of a write: whether it reached the disk, and if not why, with the system's own
// error number (errno or GetLastError) when there is one.
struct WriteResult {
    WriteError error = WriteError::kNone;
    int systemCode = 0;
    bool ok() const { return error == WriteError::kNone; }
    explicit operator bool() const { return ok(); }
};

// Writes content to "<path>.<pid>.tmp" beside path, flushes it to the disk, then puts it in
// path's place in one step, so a reader sees the old file or the new one and never a part.
// A read-only file is never replaced. A replace that another program's open handle blocks for a
// moment is retried for a few seconds.
[[nodiscard]] WriteResult ReplaceFileContent(const char* path, const std::string& content);

// The lock every writer of a file holds for its read-modify-write, across processes. It is a
// byte of the hidden lock file kWriteLockName in the file's folder (one per file name), so no
// lock file is left beside every data file and a replaced file keeps no stale lock. Released
// when the owner goes; the system releases it when a process dies.
inline constexpr char kWriteLockName[] = "tessel.lock";

class FileWriteLock {
public:
    FileWriteLock() = default;
    FileWriteLock(FileWriteLock&& other) noexcept { *this = static_cast<FileWriteLock&&>(other); }
    FileWriteLock& operator=(FileWriteLock&& other) noexcept;
    FileWriteLock(const FileWriteLock&) = delete;
    FileWriteLock& operator=(const FileWriteLock&) = delete;
    ~FileWriteLock() { Release(); }

    // Waits up to timeoutMs for the lock on path. On failure nothing is held and the result says
    // why (the folder is missing or cannot take the lock file, or the lock stayed taken).
    [[nodiscard]] WriteResult Acquire(const char* path, int timeoutMs);
    void Release();
    bool held() const { return handle_ != kNone; }

private:
    static constexpr intptr_t kNone = -1;
    intptr_t handle_ = kNone;  // file descriptor or HANDLE of the lock file
    uint64_t offset_ = 0;
};

// The byte of the lock file that stands for path: its file name, ASCII letters folded (Windows
// names do not care about case), hashed.
uint64_t WriteLockOffset(const char* path);

// Opens a file by its name as the program keeps it (code page 932 on Windows, where it goes
// through the wide functions, so a folder named in Japanese is found whatever the system's code
// page); null when it cannot be opened.
FILE* OpenFileNamed(const char* path, const char* mode);

// Waits ms milliseconds.
void SleepMs(int ms);

// A process id to make temporary names unique.
int CurrentProcessId();

// Names (without folder) of the files that match pattern, a path whose last part may hold the
// wildcards "?" (one character) and "*" (any run). Empty when nothing matches.
std::vector<std::string> FindFileNames(const char* pattern);
