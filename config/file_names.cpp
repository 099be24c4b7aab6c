#include "config/file_names.h"

#include <cstdio>
#include <cstring>

#include "base/sjis.h"

DataFiles g_files;

void DirectoryOf(const char* path, char sep, char* out, int outSize) {
    const char* last = std::strrchr(path, sep);
    size_t n = last ? static_cast<size_t>(last - path) : 0;
    if (n >= static_cast<size_t>(outSize)) n = outSize - 1;
    std::memcpy(out, path, n);
    out[n] = 0;
}

void YearMemoPath(const DataFiles& files, int year, char* out, int outSize) {
    std::snprintf(out, static_cast<size_t>(outSize), "%s%d.ini", files.yearMemoBase, year);
}

namespace {
// The path with its last three characters replaced by "ini" (calendar.exe -> calendar.ini).
void WithIniEnding(const char* path, char* out, size_t outSize) {
    CopyField(out, outSize, path);
    size_t n = std::strlen(out);
    if (n >= 3) std::memcpy(out + n - 3, "ini", 3);
}
}  // namespace

void FormDataFileNames(Edition edition, const char* commandLine, const char* programPath, char sep,
                       DataFiles* out) {
    char dataPath[272];
    char program[256];
    CopyField(program, sizeof program, programPath ? programPath : "");  // the program path holds 255 characters
    DirectoryOf(program, sep, out->programDir, sizeof out->programDir);
    if (commandLine && *commandLine) {
        CopyField(out->configPath, sizeof out->configPath, commandLine);
        CopyField(dataPath, sizeof dataPath, commandLine);
    } else {
        WithIniEnding(program, out->configPath, sizeof out->configPath);
        if (edition == kLayeredEdition) {
            std::snprintf(dataPath, sizeof dataPath, "%s%ctessel.ini", out->programDir, sep);
        } else {
            CopyField(dataPath, sizeof dataPath, out->configPath);
        }
    }
    // Base: the data path without its ".ini".
    char base[272];
    CopyField(base, sizeof base, dataPath);
    size_t n = std::strlen(base);
    base[n >= 4 ? n - 4 : 0] = 0;
    std::snprintf(out->memoPath, sizeof out->memoPath, "%s_memo.ini", base);
    std::snprintf(out->yearMemoBase, sizeof out->yearMemoBase, "%s_memo", base);
    std::snprintf(out->holidayPath, sizeof out->holidayPath, "%s_holiday.ini", base);
}
