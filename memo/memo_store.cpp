#include "memo/memo_store.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "base/sjis.h"
#include "config/file_names.h"
#include "config/profile_store.h"
#include "memo/undo_journal.h"

namespace {
// What the store keeps between calls, shared by every thread that reads or writes memos.
struct MemoStoreState {
    std::mutex lock;
    int readSize = 256;  // grows for the whole run, never shrinks
    int drawSize = 256;  // "DRAWMEMOSIZE": first size and growth step of the reads for drawing
    int lastReads = 0;
    MemoProfileReader reader = ProfileReadString;
    // Where the memos live, as formed by whoever formed the data file names.
    DataFiles files{};
    // The year file's name is formed once per year, not at every read: a search reads 372 keys
    // of each file in a row.
    int year = 0;
    std::string yearPath;
};
MemoStoreState g_store;

struct Address {
    std::string path;
    char section[16];
    char key[16];
};

void PutNumber(int n, char (&out)[16]) {
    auto end = std::to_chars(out, out + sizeof out - 1, n).ptr;
    *end = 0;
}

std::string YearFilePath(int year) {
    std::lock_guard<std::mutex> guard(g_store.lock);
    if (year != g_store.year || g_store.yearPath.empty()) {
        char path[300];
        YearMemoPath(g_store.files, year, path, sizeof path);
        g_store.year = year;
        g_store.yearPath = path;
    }
    return g_store.yearPath;
}

std::string CommonMemoPath() {
    std::lock_guard<std::mutex> guard(g_store.lock);
    return g_store.files.memoPath;
}

Address Locate(int year, int month, int day) {
    Address a;
    if (month >= 1) {
        a.path = YearFilePath(year);
        PutNumber(month, a.section);
        PutNumber(day, a.key);
    } else {
        a.path = CommonMemoPath();
        if (year == 0) {
            std::strcpy(a.section, "MEMO");
            std::strcpy(a.key, "MEMO");
        } else {
            std::strcpy(a.section, "REGWORD");
            std::snprintf(a.key, sizeof a.key, "%02d", day + 1);
        }
    }
    return a;
}

// Reads until the value fits, starting with a buffer of *size bytes. It grows by step, or by its
// own size once that is larger, so a 64 KB memo needs a handful of reads, not hundreds. *size is
// left at the size that fitted.
std::string ReadGrowing(const Address& a, MemoProfileReader reader, int* size, int step) {
    std::string buf;
    int reads = 0;
    for (;;) {
        buf.resize(static_cast<size_t>(*size));
        int n = reader(a.section, a.key, "", buf.data(), *size, a.path.c_str());
        ++reads;
        if (n < *size - 1) {
            buf.resize(static_cast<size_t>(n));
            break;
        }
        *size += *size > step ? *size : step;
    }
    std::lock_guard<std::mutex> guard(g_store.lock);
    g_store.lastReads = reads;
    return buf;
}

// A read through the shared size, which grows to fit the longest memo read so far.
std::string ReadStored(const Address& a) {
    MemoProfileReader reader;
    int size;
    {
        std::lock_guard<std::mutex> guard(g_store.lock);
        reader = g_store.reader;
        size = g_store.readSize;
    }
    std::string stored = ReadGrowing(a, reader, &size, 256);
    std::lock_guard<std::mutex> guard(g_store.lock);
    if (size > g_store.readSize) g_store.readSize = size;
    return stored;
}
// Stores what next makes of the stored value (marker and 0x7F line breaks included), under the
// file's lock; nothing is written when it stays the same.
MemoStoreResult EditStored(const Address& a, const std::function<std::string(std::string_view)>& next) {
    MemoStoreResult out;
    out.result = ProfileEditString(a.section, a.key, a.path.c_str(), [&](std::string_view current, bool) {
        std::string value = next(current);
        ProfileEdit edit;
        edit.numberOrder = true;  // months and days in order, however the memos came
        if (value == current) return edit;
        out.before.assign(current);
        out.after = value;
        out.changed = true;
        edit.change = true;
        edit.remove = value.empty();
        edit.value = std::move(value);
        return edit;
    });
    return out;
}
}  // namespace

int MemoLastReadCount() {
    std::lock_guard<std::mutex> guard(g_store.lock);
    return g_store.lastReads;
}

void SetMemoProfileReader(MemoProfileReader reader) {
    std::lock_guard<std::mutex> guard(g_store.lock);
    g_store.reader = reader ? reader : ProfileReadString;
}

void SetMemoFiles(const DataFiles& files) {
    std::lock_guard<std::mutex> guard(g_store.lock);
    g_store.files = files;
    g_store.year = 0;
    g_store.yearPath.clear();
}

void SetDrawMemoSize(int size) {
    std::lock_guard<std::mutex> guard(g_store.lock);
    g_store.drawSize = size > 1 ? size : 256;
}

void ResetMemoStore() {
    std::lock_guard<std::mutex> guard(g_store.lock);
    g_store.readSize = 256;
    g_store.drawSize = 256;
    g_store.lastReads = 0;
    g_store.reader = ProfileReadString;
    g_store.files = DataFiles{};
    g_store.year = 0;
    g_store.yearPath.clear();
}

std::string ReadMemo(int year, int month, int day) { return DecodeMemo(ReadStored(Locate(year, month, day))); }

MemoStoreResult StoreMemo(int year, int month, int day, std::string_view text, bool append) {
    std::string value = EncodeMemo(text, true);
    if (append && value.empty()) return MemoStoreResult{};
    // The new value is made from the stored one under the file's lock, so an append cannot drop
    // a line another process added in between.
    return EditStored(Locate(year, month, day), [&](std::string_view current) {
        return append ? AppendStoredLine(current, value) : value;
    });
}

MemoStoreResult StoreMemoFrom(int year, int month, int day, const std::function<std::string(const std::string&)>& make) {
    return EditStored(Locate(year, month, day), [&](std::string_view current) {
        return EncodeMemo(make(DecodeMemo(std::string(current))), true);
    });
}

WriteResult WriteMemo(int year, int month, int day, std::string_view text, bool append) {
    MemoStoreResult stored = StoreMemo(year, month, day, text, append);
    // Only a change that reached the disk can be undone; fixed phrases are never recorded.
    if (stored.result && stored.changed && (month >= 1 || year == 0))
        RecordUndo(year, month, day, 0, stored.before, stored.after);
    return stored.result;
}

std::string ReadMemoRaw(int year, int month, int day) {
    MemoProfileReader reader;
    int size;
    {
        std::lock_guard<std::mutex> guard(g_store.lock);
        reader = g_store.reader;
        size = g_store.drawSize;
    }
    return ReadGrowing(Locate(year, month, day), reader, &size, size);
}

std::string ReadFreeMemo(int memoRow) {
    std::string text = ReadMemo(0, 0, 0);
    if (!text.empty()) return text;
    // Older files kept the free memo as one key per line.
    constexpr size_t kMax = 4096;
    const std::string path = CommonMemoPath();
    std::string joined;
    const char def[2] = {kMemoLineBreak, 0};
    for (int i = 1; i <= memoRow; ++i) {
        char key[16], line[1024];
        std::snprintf(key, sizeof key, "MEMO%d", i);
        ProfileReadString("MEMO", key, def, line, sizeof line, path.c_str());
        if (line[0] == kMemoLineBreak) break;
        // A line holds 255 bytes, cut on a character boundary: half a character would take the
        // line break behind it for its second byte.
        line[SjisCompleteLength(line)] = 0;
        SjisCut(line, 255);
        if (i > 1) {
            if (joined.size() + 2 >= kMax) break;
            joined += "\r\n";
        }
        size_t whole = std::strlen(line);
        size_t n = SjisFitLength(line, kMax - 1 - joined.size());
        joined.append(line, n);
        if (n < whole) break;  // the text is full
    }
    if (!joined.empty()) {
        (void)WriteMemo(0, 0, 0, joined, false);  // a failure is listed for the user by the store
        return joined;
    }
    return text;
}

WriteResult WriteFreeMemo(std::string_view text, int memoRow) {
    WriteResult result = WriteMemo(0, 0, 0, text, false);
    if (!result || !text.empty()) return result;
    // The old lines go too, or they would come back as the free memo.
    const std::string path = CommonMemoPath();
    for (int i = 1; i <= memoRow; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "MEMO%d", i);
        if (WriteResult r = ProfileWriteString("MEMO", key, nullptr, path.c_str()); !r) return r;
    }
    return result;
}
