#include "config/file_ops.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {
std::string FolderOf(const char* path) {
    const char* slash = std::strrchr(path, '/');
    if (!slash) return ".";
    if (slash == path) return "/";
    return std::string(path, static_cast<size_t>(slash - path));
}

bool NoWriteBits(mode_t mode) { return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0; }

// A folder that is missing, or that nobody may write to. Without any write permission bit the
// folder counts as read-only even for a user the system would let through: the user said so.
WriteError FolderRefusal(const std::string& dir) {
    struct stat st;
    if (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return WriteError::kFolderMissing;
    if (NoWriteBits(st.st_mode)) return WriteError::kFolderReadOnly;
    return WriteError::kNone;
}

WriteError ErrorOf(int e) {
    switch (e) {
    case ENOENT:
    case ENOTDIR: return WriteError::kFolderMissing;
    case EACCES:
    case EPERM:
    case EROFS: return WriteError::kFolderReadOnly;
    case ENOSPC:
    case EDQUOT: return WriteError::kDiskFull;
    default: return WriteError::kOther;
    }
}

WriteResult Failed(WriteError error, int code) { return WriteResult{error, code}; }

void Pause(int* waitMs) {
    SleepMs(*waitMs);
    if (*waitMs < 20) *waitMs *= 2;
}

long long NowMs() {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

bool WriteAll(int fd, const char* data, size_t size, int* error) {
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            *error = errno;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}
}  // namespace

FileStamp StampOfFile(const char* path) {
    FileStamp s;
    struct stat st;
    if (!path || stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return s;
    s.exists = true;
    s.size = static_cast<int64_t>(st.st_size);
    s.writeTime = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return s;
}

WriteResult ReplaceFileContent(const char* path, const std::string& content) {
    std::string dir = FolderOf(path);
    if (WriteError refusal = FolderRefusal(dir); refusal != WriteError::kNone) return Failed(refusal, 0);
    struct stat old;
    bool exists = stat(path, &old) == 0;
    if (exists && S_ISREG(old.st_mode) && (NoWriteBits(old.st_mode) || access(path, W_OK) != 0))
        return Failed(WriteError::kFileReadOnly, EACCES);

    std::string tmp = std::string(path) + "." + std::to_string(CurrentProcessId()) + ".tmp";
    int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return Failed(ErrorOf(errno), errno);
    int error = 0;
    bool ok = WriteAll(fd, content.data(), content.size(), &error);
    if (ok && exists) fchmod(fd, old.st_mode & 07777);  // the file keeps its permissions
    if (ok && fsync(fd) != 0) ok = false, error = errno;
    if (close(fd) != 0 && ok) ok = false, error = errno;
    if (ok && rename(tmp.c_str(), path) != 0) ok = false, error = errno;
    if (!ok) {
        unlink(tmp.c_str());
        return Failed(error == EISDIR ? WriteError::kOther : ErrorOf(error), error);
    }
    // The new name has to reach the disk too, or a crash could bring back the old file.
    int dfd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        fsync(dfd);
        close(dfd);
    }
    return WriteResult{};
}

WriteResult FileWriteLock::Acquire(const char* path, int timeoutMs) {
    Release();
    std::string dir = FolderOf(path);
    if (WriteError refusal = FolderRefusal(dir); refusal != WriteError::kNone) return Failed(refusal, 0);
    std::string lockPath = dir + "/" + kWriteLockName;
    int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return Failed(ErrorOf(errno), errno);
    struct flock range = {};
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    range.l_start = static_cast<off_t>(WriteLockOffset(path));
    range.l_len = 1;
    // Locks of the open file, not of the process: two threads or two opens never share one.
#ifdef F_OFD_SETLK
    const int kSetLock = F_OFD_SETLK;
#else
    const int kSetLock = F_SETLK;
#endif
    long long deadline = NowMs() + timeoutMs;
    int waitMs = 1;
    for (;;) {
        if (fcntl(fd, kSetLock, &range) == 0) break;
        int e = errno;
        if (e == EINTR) continue;
        if ((e != EAGAIN && e != EACCES) || NowMs() >= deadline) {
            close(fd);
            return Failed(e == EAGAIN || e == EACCES ? WriteError::kBusy : WriteError::kOther, e);
        }
        Pause(&waitMs);
    }
    handle_ = fd;
    offset_ = static_cast<uint64_t>(range.l_start);
    return WriteResult{};
}

void FileWriteLock::Release() {
    if (handle_ == kNone) return;
    close(static_cast<int>(handle_));  // closing the last descriptor drops the lock
    handle_ = kNone;
}

void SleepMs(int ms) {
    struct timespec ts = {ms / 1000, static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

int CurrentProcessId() { return static_cast<int>(getpid()); }

namespace {
bool WildcardMatch(const char* pattern, const char* name) {
    if (!*pattern) return !*name;
    if (*pattern == '*') return WildcardMatch(pattern + 1, name) || (*name && WildcardMatch(pattern, name + 1));
    if (!*name) return false;
    return (*pattern == '?' || *pattern == *name) && WildcardMatch(pattern + 1, name + 1);
}
}  // namespace

std::vector<std::string> FindFileNames(const char* pattern) {
    std::vector<std::string> names;
    if (!pattern) return names;
    const char* slash = std::strrchr(pattern, '/');
    std::string dir = !slash            ? std::string(".")
                      : slash == pattern ? std::string("/")
                                         : std::string(pattern, static_cast<size_t>(slash - pattern));
    const char* namePattern = slash ? slash + 1 : pattern;
    DIR* d = opendir(dir.c_str());
    if (!d) return names;
    while (const dirent* e = readdir(d)) {
        if (!WildcardMatch(namePattern, e->d_name)) continue;
        struct stat st;
        std::string full = dir + "/" + e->d_name;
        if (stat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.emplace_back(e->d_name);
    }
    closedir(d);
    return names;
}

FILE* OpenFileNamed(const char* path, const char* mode) { return path && mode ? std::fopen(path, mode) : nullptr; }
