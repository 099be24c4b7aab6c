#include "app/data_watch.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/sjis.h"
#include "config/profile_store.h"

namespace {
const char* NameOf(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/') name = p + 1;
    return name;
}

bool SameName(const char* a, const char* b, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (FoldAscii(static_cast<unsigned char>(a[i])) != FoldAscii(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

bool IsName(const char* name, const char* path) {
    const char* own = NameOf(path);
    size_t n = std::strlen(own);
    return n > 0 && std::strlen(name) == n && SameName(name, own, n);
}

// The year memo file's name: the base's name, four digits, ".ini".
bool IsYearMemoName(const char* name, const DataFiles& files) {
    const char* base = NameOf(files.yearMemoBase);
    size_t n = std::strlen(base), len = std::strlen(name);
    if (n == 0 || len != n + 8 || !SameName(name, base, n) || !SameName(name + n + 4, ".ini", 4)) return false;
    for (size_t i = n; i < n + 4; ++i)
        if (name[i] < '0' || name[i] > '9') return false;
    return true;
}

// Whether the stamp now is where this process's own replacements led from the one seen.
bool OwnWritesExplain(const FileStamp& seen, const FileStamp& now, const std::vector<OwnReplacement>& own) {
    FileStamp at = seen;
    for (const OwnReplacement& r : own)
        if (r.before == at) at = r.after;
    return at == now;
}
}  // namespace

DataFileKind KindOfDataFileName(const char* name, const DataFiles& files) {
    if (!name || !name[0]) return DataFileKind::kNone;
    if (IsName(name, files.memoPath)) return DataFileKind::kCommonMemo;
    if (IsName(name, files.holidayPath)) return DataFileKind::kHoliday;
    if (IsYearMemoName(name, files)) return DataFileKind::kYearMemo;
    return DataFileKind::kNone;
}

DataChanges CheckDataFiles(DataWatch* watch, const DataFiles& files) {
    std::vector<std::pair<std::string, DataFileKind>> paths = {{files.memoPath, DataFileKind::kCommonMemo},
                                                               {files.holidayPath, DataFileKind::kHoliday}};
    std::string pattern = std::string(files.yearMemoBase) + "????.ini";
    for (const std::string& name : FindFileNames(pattern.c_str())) {
        if (!IsYearMemoName(name.c_str(), files)) continue;
        // Named as the store names it, so that its record of this process's writes is found.
        int year = std::atoi(name.c_str() + std::strlen(NameOf(files.yearMemoBase)));
        if (year < 1000) continue;  // "0999" is no year the calendar writes
        char path[300];
        YearMemoPath(files, year, path, sizeof path);
        paths.emplace_back(path, DataFileKind::kYearMemo);
    }
    // A year file seen before and gone now counts as a change too.
    for (const auto& [path, stamp] : watch->seen) {
        bool listed = false;
        for (const auto& p : paths) listed = listed || p.first == path;
        if (!listed && stamp.exists) paths.emplace_back(path, DataFileKind::kYearMemo);
    }
    DataChanges changes;
    for (const auto& [path, kind] : paths) {
        FileStamp now = StampOfFile(path.c_str());
        FileStamp& seen = watch->seen[path];
        bool changed = !OwnWritesExplain(seen, now, ProfileTakeOwnReplacements(path.c_str()));
        seen = now;
        if (!changed) continue;
        if (kind == DataFileKind::kHoliday) changes.holidays = true;
        else changes.memos = true;
        if (kind == DataFileKind::kCommonMemo) changes.commonMemo = true;
    }
    return changes;
}
