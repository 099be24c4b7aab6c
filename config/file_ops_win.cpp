#include "config/file_ops.h"

#include <windows.h>

#include <cstring>

#include "base/win/handles.h"
#include "base/win/wide_text.h"

namespace {
WriteError ErrorOf(DWORD e) {
    switch (e) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: return WriteError::kFolderMissing;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return WriteError::kFolderReadOnly;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return WriteError::kBusy;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return WriteError::kDiskFull;
    default: return WriteError::kOther;
    }
}

WriteResult Failed(DWORD e) { return WriteResult{ErrorOf(e), static_cast<int>(e)}; }

bool IsReadOnlyFile(const char* path) {
    DWORD attributes = FileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_READONLY);
}

// Another program (a reader, a virus scanner, a sync tool) may hold the file for a moment.
bool IsTransient(DWORD e) {
    return e == ERROR_ACCESS_DENIED || e == ERROR_SHARING_VIOLATION || e == ERROR_LOCK_VIOLATION;
}

void Pause(DWORD* waitMs) {
    Sleep(*waitMs);
    if (*waitMs < 20) *waitMs *= 2;
}

std::string LockPathOf(const char* path) {
    const char* end = nullptr;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/') end = p;
    std::string dir = end ? std::string(path, static_cast<size_t>(end - path)) : std::string(".");
    return dir + "\\" + kWriteLockName;
}
}  // namespace

FileStamp StampOfFile(const char* path) {
    FileStamp s;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!path || !GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return s;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return s;
    s.exists = true;
    s.size = (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    s.writeTime = (static_cast<int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                  data.ftLastWriteTime.dwLowDateTime;
    return s;
}

WriteResult ReplaceFileContent(const char* path, const std::string& content) {
    if (IsReadOnlyFile(path)) return WriteResult{WriteError::kFileReadOnly, ERROR_ACCESS_DENIED};
    std::wstring target = Wide(path);
    std::wstring tmp = target + L"." + std::to_wstring(CurrentProcessId()) + L".tmp";
    {
        FileHandle out(CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                   nullptr));
        if (!out.valid()) return Failed(GetLastError());
        const char* data = content.data();
        size_t left = content.size();
        bool ok = true;
        while (ok && left > 0) {
            DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left), written = 0;
            ok = WriteFile(out.get(), data, chunk, &written, nullptr) && written == chunk;
            data += written;
            left -= written;
        }
        ok = ok && FlushFileBuffers(out.get());
        if (!ok) {
            DWORD e = GetLastError();
            out.reset();
            DeleteFileW(tmp.c_str());
            return Failed(e);
        }
    }
    DWORD waitMs = 1, waited = 0;
    for (;;) {
        if (MoveFileExW(tmp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return WriteResult{};
        DWORD e = GetLastError();
        bool readOnly = IsReadOnlyFile(path);
        if (readOnly || !IsTransient(e) || waited >= 3000) {
            DeleteFileW(tmp.c_str());
            if (readOnly) return WriteResult{WriteError::kFileReadOnly, static_cast<int>(e)};
            return WriteResult{IsTransient(e) ? WriteError::kBusy : ErrorOf(e), static_cast<int>(e)};
        }
        waited += waitMs;
        Pause(&waitMs);
    }
}

WriteResult FileWriteLock::Acquire(const char* path, int timeoutMs) {
    Release();
    std::string lockPath = LockPathOf(path);
    FileHandle file(CreateFileW(Wide(lockPath).c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (!file) return Failed(GetLastError());
    uint64_t offset = WriteLockOffset(path);
    DWORD waitMs = 1;
    DWORD start = GetTickCount();
    for (;;) {
        OVERLAPPED at = {};
        at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        if (LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) break;
        DWORD e = GetLastError();
        if ((e != ERROR_LOCK_VIOLATION && e != ERROR_IO_PENDING) ||
            GetTickCount() - start >= static_cast<DWORD>(timeoutMs)) {
            return WriteResult{e == ERROR_LOCK_VIOLATION || e == ERROR_IO_PENDING ? WriteError::kBusy : ErrorOf(e),
                               static_cast<int>(e)};
        }
        Pause(&waitMs);
    }
    handle_ = reinterpret_cast<intptr_t>(file.release());
    offset_ = offset;
    return WriteResult{};
}

void FileWriteLock::Release() {
    if (handle_ == kNone) return;
    FileHandle file(reinterpret_cast<HANDLE>(handle_));
    handle_ = kNone;
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(offset_ & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(offset_ >> 32);
    UnlockFileEx(file.get(), 0, 1, 0, &at);
}

void SleepMs(int ms) { Sleep(static_cast<DWORD>(ms)); }

int CurrentProcessId() { return static_cast<int>(GetCurrentProcessId()); }

std::vector<std::string> FindFileNames(const char* pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    FileSearch search(Wide(pattern ? pattern : "").c_str(), &data);
    if (!search.found()) return names;
    do {
        // A name 932 cannot hold could not be opened again by its 932 form: it is no file of ours.
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY || FirstUnheld(data.cFileName)) continue;
        names.push_back(Sjis(data.cFileName));
    } while (search.Next(&data));
    return names;
}

FILE* OpenFileNamed(const char* path, const char* mode) { return OpenFile(path, mode); }
