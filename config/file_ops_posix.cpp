#include "config/file_ops.h"

#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileStamp StampOfFile(const char* path) {
    FileStamp s;
    struct stat st;
    if (!path || stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return s;
    s.exists = true;
    s.size = static_cast<int64_t>(st.st_size);
    s.writeTime = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return s;
}

bool ReplaceFileAtomically(const char* tmp, const char* target) {
    if (rename(tmp, target) != 0) return false;
    // The new name has to reach the disk too, or a crash could bring back the old file.
    char dir[4096];
    const char* slash = std::strrchr(target, '/');
    size_t n = slash ? static_cast<size_t>(slash - target) : 0;
    if (n == 0) {
        std::strcpy(dir, slash ? "/" : ".");
    } else {
        if (n >= sizeof dir) return true;
        std::memcpy(dir, target, n);
        dir[n] = 0;
    }
    int fd = open(dir, O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
    return true;
}

bool FlushFileToDisk(void* stdioFile) {
    FILE* f = static_cast<FILE*>(stdioFile);
    if (!f || std::fflush(f) != 0) return false;
    return fsync(fileno(f)) == 0;
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
