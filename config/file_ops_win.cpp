#include "config/file_ops.h"

#include <windows.h>

#include <cstdio>
#include <io.h>

#include "app/win_handles.h"

FileStamp StampOfFile(const char* path) {
    FileStamp s;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!path || !GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return s;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return s;
    s.exists = true;
    s.size = (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    s.writeTime = (static_cast<int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                  data.ftLastWriteTime.dwLowDateTime;
    return s;
}

bool ReplaceFileAtomically(const char* tmp, const char* target) {
    return MoveFileExA(tmp, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool FlushFileToDisk(void* stdioFile) {
    FILE* f = static_cast<FILE*>(stdioFile);
    if (!f || std::fflush(f) != 0) return false;
    HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
    if (h == INVALID_HANDLE_VALUE) return false;
    return FlushFileBuffers(h) != 0;
}

int CurrentProcessId() { return static_cast<int>(GetCurrentProcessId()); }

std::vector<std::string> FindFileNames(const char* pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    FileSearch search(pattern, &data);
    if (!search.found()) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(data.cFileName);
    } while (search.Next(&data));
    return names;
}
