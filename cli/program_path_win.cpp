#include "cli/program_path.h"

#include <windows.h>

bool GetProgramPath(char* out, int outSize) {
    if (outSize <= 1) return false;
    DWORD n = GetModuleFileNameA(nullptr, out, static_cast<DWORD>(outSize));
    if (n == 0 || n >= static_cast<DWORD>(outSize)) return false;
    out[n] = 0;
    return true;
}

char PathSeparator() { return '\\'; }

PathKind KindOfPath(const char* path) {
    DWORD attrs = GetFileAttributesA(path);
    if (attrs == INVALID_FILE_ATTRIBUTES) return kPathMissing;
    if (attrs & FILE_ATTRIBUTE_DIRECTORY) return kPathDirectory;
    if (attrs & FILE_ATTRIBUTE_DEVICE) return kPathOther;
    return kPathFile;
}
