#include "config/named_designs.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/sjis.h"
#include "config/design.h"
#include "config/profile_access.h"
#include "config/profile_store.h"
#include "config/standard_design.h"

namespace {
constexpr int kNameSize = 260;

std::string NameIn(const char* path) {
    char name[kNameSize];
    ProfileReadString(kDesignSection, "NAME", "", name, sizeof name, path);
    return name;
}

// The length of prefix when text begins with it, ASCII letters folded and double-byte characters
// compared whole (their trail bytes may look like letters); -1 when it does not.
int MatchedPrefix(const char* text, const char* prefix) {
    size_t i = 0;
    while (prefix[i]) {
        unsigned char p = static_cast<unsigned char>(prefix[i]);
        unsigned char t = static_cast<unsigned char>(text[i]);
        if (IsSjisLead(p) && prefix[i + 1]) {
            if (t != p || text[i + 1] != prefix[i + 1]) return -1;
            i += 2;
            continue;
        }
        if (FoldAscii(t) != FoldAscii(p)) return -1;
        ++i;
    }
    return static_cast<int>(i);
}

bool SameFile(const char* a, const char* b) {
    int n = MatchedPrefix(a, b);
    return n >= 0 && a[n] == 0;
}

// base, a number >= 1, ".ini".
bool IsYearMemoFile(const char* path, const char* base) {
    int n = MatchedPrefix(path, base);
    if (n <= 0) return false;
    const char* digits = path + n;
    const char* p = digits;
    bool nonZero = false;
    for (; *p >= '0' && *p <= '9'; ++p)
        if (*p != '0') nonZero = true;
    return p > digits && nonZero && SameFile(p, ".ini");
}

void SetDesignName(Settings* s, const char* name) {
    std::memset(s->currentDesign, 0, sizeof s->currentDesign);
    CopyField(s->currentDesign, sizeof s->currentDesign, name);
}
}  // namespace

std::vector<std::string> ListDesignNames(const char* folder, char sep) {
    std::vector<std::string> names;
    char pattern[kNameSize + 8];
    std::snprintf(pattern, sizeof pattern, "%s%c*.ini", folder, sep);
    ProfileReadBatch batch;
    for (const std::string& file : FindFileNames(pattern)) {
        std::string name = NameIn((std::string(folder) + sep + file).c_str());
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

std::string DesignFilePath(const char* folder, const char* name, char sep) {
    return std::string(folder) + sep + name + ".ini";
}

bool IsDesignFile(const char* path) { return !NameIn(path).empty(); }

std::string StandardDesignName(const char* folder, char sep) {
    bool taken = IsDesignFile(DesignFilePath(folder, kStandardDesignName, sep).c_str());
    return taken ? kStandardDesignOtherName : kStandardDesignName;
}

bool SelectDesign(const char* folder, char sep, const char* name, const char* liveName, AppState* work) {
    SetDesignName(&work->settings, name);
    std::string path = DesignFilePath(folder, name, sep);
    if (IsDesignFile(path.c_str())) ReadDesignFile(work, path.c_str());
    else if (StandardDesignName(folder, sep) == name) ReadStandardDesign(work);
    else if (std::strcmp(name, liveName) == 0) ReadDesign(work);
    else return false;
    return true;
}

bool IsProtectedFile(const char* path, const DataFiles& files) {
    return SameFile(path, files.configPath) || SameFile(path, files.memoPath) ||
           SameFile(path, files.holidayPath) || IsYearMemoFile(path, files.yearMemoBase);
}

WriteResult SaveDesignAs(const char* path, char sep, AppState* work) {
    const char* file = std::strrchr(path, sep);
    std::string name = file ? file + 1 : path;
    size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.resize(dot);

    // The first write takes the file's lock for the batch: when it cannot, it says why, and the
    // design is not written value by value into the same refusal.
    ProfileWriteBatch batch;
    WriteResult result = ProfileWriteString(kDesignSection, "NAME", name.c_str(), path);
    bool accepted = result.ok() && WriteDesignFile(*work, path);
    WriteResult written = batch.End();
    if (result.ok()) result = written;
    if (result.ok() && !accepted) result.error = WriteError::kRefused;
    if (!result.ok()) return result;

    SetDesignName(&work->settings, name.c_str());
    return result;
}

bool MarkChangedDesign(const char* folder, char sep, AppState* live) {
    Settings& s = live->settings;
    std::string path = DesignFilePath(folder, s.currentDesign, sep);
    AppState stored{};
    if (IsDesignFile(path.c_str())) ReadDesignFile(&stored, path.c_str());
    else if (StandardDesignName(folder, sep) == s.currentDesign) ReadStandardDesign(&stored);
    else return false;
    if (DesignEquals(stored, *live)) return false;
    char marked[sizeof s.currentDesign + sizeof kChangedDesignMark];
    std::snprintf(marked, sizeof marked, "%s%s", s.currentDesign, kChangedDesignMark);
    SetDesignName(&s, marked);
    return true;
}

bool StartWithStandardDesign(const char* folder, char sep, AppState* state) {
    std::string name = StandardDesignName(folder, sep);
    ReadStandardDesign(state);
    SetDesignName(&state->settings, name.c_str());
    ProfileWriteBatch batch;
    bool written = WriteProfileText("CONFIG", "CURRENT_DESIGN", name.c_str()).ok();
    written &= WriteDesign(*state);
    return batch.End().ok() && written;
}
