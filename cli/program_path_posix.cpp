#include "cli/program_path.h"

#include <sys/stat.h>
#include <unistd.h>

bool GetProgramPath(char* out, int outSize) {
    if (outSize <= 1) return false;
    ssize_t n = readlink("/proc/self/exe", out, outSize - 1);
    if (n <= 0 || n >= outSize - 1) return false;  // a cut path names some other file
    out[n] = 0;
    return true;
}

char PathSeparator() { return '/'; }

PathKind KindOfPath(const char* path) {
    struct stat st;
    if (stat(path, &st) != 0) return kPathMissing;
    if (S_ISDIR(st.st_mode)) return kPathDirectory;
    if (S_ISREG(st.st_mode)) return kPathFile;
    return kPathOther;
}
