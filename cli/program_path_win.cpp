#include "cli/program_path.h"

#include <windows.h>

#include <cstring>

#include "base/win/wide_text.h"

bool GetProgramPath(char* out, int outSize) {
    if (outSize <= 1) return false;
    std::string path = ProgramFilePath();
    if (path.empty() || path.size() >= static_cast<size_t>(outSize)) return false;
    std::memcpy(out, path.c_str(), path.size() + 1);
    return true;
}

char PathSeparator() { return '\\'; }

PathKind KindOfPath(const char* path) {
    DWORD attrs = FileAttributes(path);
    if (attrs == INVALID_FILE_ATTRIBUTES) return kPathMissing;
    if (attrs & FILE_ATTRIBUTE_DIRECTORY) return kPathDirectory;
    if (attrs & FILE_ATTRIBUTE_DEVICE) return kPathOther;
    return kPathFile;
}
