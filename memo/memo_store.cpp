#include "memo/memo_store.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/sjis.h"
#include "config/app_state.h"
#include "config/file_names.h"
#include "config/profile_store.h"
#include "memo/undo_journal.h"
#include "memo/working_text.h"

namespace {
constexpr char kBreak = 0x7F;
constexpr char kMarker = static_cast<char>(0x80);
int g_readSize = 256;  // grows for the whole run, never shrinks
int g_drawSize = 256;  // "DRAWMEMOSIZE": first size and growth step of the reads for drawing
int g_lastReads = 0;
MemoProfileReader g_reader = ProfileReadString;

struct Address {
    char path[300];
    char section[16];
    char key[16];
};

void PutNumber(int n, char* out) {
    char digits[12];
    int i = 0;
    unsigned u = n < 0 ? 0u - static_cast<unsigned>(n) : static_cast<unsigned>(n);
    do digits[i++] = static_cast<char>('0' + u % 10); while (u /= 10);
    if (n < 0) *out++ = '-';
    while (i) *out++ = digits[--i];
    *out = 0;
}

// The year file's name is formed once per year and base, not at every read: a search reads
// 372 keys of each file in a row.
const char* YearFilePath(int year) {
    static char base[sizeof g_files.yearMemoBase] = "";
    static int lastYear = 0;
    static char path[300] = "";
    if (year != lastYear || std::strcmp(base, g_files.yearMemoBase) != 0) {
        std::memcpy(base, g_files.yearMemoBase, sizeof base);
        YearMemoPath(g_files, year, path, sizeof path);
        lastYear = year;
    }
    return path;
}

void Locate(int year, int month, int day, Address* a) {
    if (month >= 1) {
        std::strcpy(a->path, YearFilePath(year));
        PutNumber(month, a->section);
        PutNumber(day, a->key);
    } else {
        std::snprintf(a->path, sizeof a->path, "%s", g_files.memoPath);
        if (year == 0) {
            std::strcpy(a->section, "MEMO");
            std::strcpy(a->key, "MEMO");
        } else {
            std::strcpy(a->section, "REGWORD");
            std::snprintf(a->key, sizeof a->key, "%02d", day + 1);
        }
    }
}

// Reads until the value fits; *size is the buffer size to start with. It grows by step, or by
// its own size once that is larger, so a 64 KB memo needs a handful of reads, not hundreds.
char* ReadGrowing(const Address& a, int* size, int step) {
    g_lastReads = 0;
    for (;;) {
        char* buf = static_cast<char*>(std::malloc(*size));
        int n = g_reader(a.section, a.key, "", buf, *size, a.path);
        ++g_lastReads;
        if (n < *size - 1) return buf;
        std::free(buf);
        *size += *size > step ? *size : step;
    }
}

char* Encode(const char* text, bool marker) {
    size_t n = std::strlen(text);
    char* out = static_cast<char*>(std::malloc(n + 2));
    size_t o = 0;
    if (marker && text[0] == ' ') out[o++] = kMarker;
    for (const char* p = text; *p; ++p) {
        if (*p == '\r') continue;
        out[o++] = *p == '\n' ? kBreak : *p;
    }
    // The store drops the blanks at the end of a value, so the line ends before them go too: a
    // value ending in TAB, 0x7F and a space would read back with an empty last line. A marker
    // left with nothing to protect goes as well.
    while (o > 0 && (out[o - 1] == kBreak || out[o - 1] == ' ' || out[o - 1] == '\t')) --o;
    if (o == 1 && out[0] == kMarker) o = 0;
    out[o] = 0;
    return out;
}

char* Deliver(char* text, char* buf, int size) {
    if (!buf || size <= 0) return text;
    size_t n = SjisFitLength(text, static_cast<size_t>(size - 1));
    std::memcpy(buf, text, n);
    buf[n] = 0;
    std::free(text);
    return nullptr;
}

// The lines of a stored value joined by CR LF: TAB and 0x7F end a line, a double-byte character
// is taken whole, and a separator at the very end makes no empty last line.
char* Decode(const char* stored) {
    const char* p = stored[0] == kMarker ? stored + 1 : stored;
    size_t n = std::strlen(p);
    char* out = static_cast<char*>(std::malloc(2 * n + 1));
    size_t o = 0;
    while (*p) {
        if (IsSjisLead(static_cast<unsigned char>(*p)) && p[1]) {
            out[o++] = *p++;
            out[o++] = *p++;
        } else if (*p == '\t' || *p == kBreak) {
            if (!*++p) break;
            out[o++] = '\r';
            out[o++] = '\n';
        } else {
            out[o++] = *p++;
        }
    }
    out[o] = 0;
    return out;
}
}  // namespace

char* MemoTextOut(const char* text, char* buf, int size) {
    size_t n = std::strlen(text);
    char* copy = static_cast<char*>(std::malloc(n + 1));
    std::memcpy(copy, text, n + 1);
    return Deliver(copy, buf, size);
}

int MemoLastReadCount() { return g_lastReads; }
void SetMemoProfileReader(MemoProfileReader reader) { g_reader = reader ? reader : ProfileReadString; }
void SetDrawMemoSize(int size) { g_drawSize = size > 1 ? size : 256; }

void ResetMemoStore() {
    g_readSize = 256;
    g_drawSize = 256;
    g_reader = ProfileReadString;
}

char* ReadMemo(int year, int month, int day, char* buf, int size) {
    Address a;
    Locate(year, month, day, &a);
    char* stored = ReadGrowing(a, &g_readSize, 256);
    char* text = Decode(stored);
    std::free(stored);
    return Deliver(text, buf, size);
}

WriteResult WriteMemo(int year, int month, int day, const char* text, bool append) {
    char* encoded = Encode(text ? text : "", true);
    std::string value = encoded;
    std::free(encoded);
    if (append && value.empty()) return WriteResult{};
    Address a;
    Locate(year, month, day, &a);
    // The new value is made from the stored one under the file's lock, so an append cannot drop
    // a line another process added in between.
    std::string before, after;
    bool changed = false;
    WriteResult result = ProfileEditString(a.section, a.key, a.path, [&](std::string_view current, bool) {
        std::string next;
        if (append) {
            // The leading-space marker belongs to the start of the whole value only. A marker
            // alone (written before it was dropped with the blanks it protected) holds no line.
            if (current.size() == 1 && current[0] == kMarker) current = std::string_view();
            const char* tail = value[0] == kMarker && !current.empty() ? value.c_str() + 1 : value.c_str();
            next.assign(current);
            if (!current.empty()) next += kBreak;
            next += tail;
        } else {
            next = value;
        }
        ProfileEdit edit;
        if (next == current) return edit;
        before.assign(current);
        after = next;
        changed = true;
        edit.change = true;
        edit.remove = next.empty();
        edit.value = std::move(next);
        return edit;
    });
    // Only a change that reached the disk can be undone; fixed phrases are never recorded.
    if (result && changed && (month >= 1 || year == 0)) RecordUndo(year, month, day, 0, before.c_str(), after.c_str());
    return result;
}

char* ReadMemoRaw(int year, int month, int day) {
    // The cell being edited shows the text as it is typed.
    if (month >= 1 && IsEditingDate(year, month, day)) return Encode(WorkingTextOrEmpty(), false);
    Address a;
    Locate(year, month, day, &a);
    int size = g_drawSize;
    return ReadGrowing(a, &size, g_drawSize);
}

char* ReadFreeMemo(char* buf, int size) {
    if (IsEditingFreeMemo()) return MemoTextOut(WorkingTextOrEmpty(), buf, size);
    char* text = ReadMemo(0, 0, 0);
    if (!text[0]) {
        // Older files kept the free memo as one key per line.
        constexpr size_t kMax = 4096;
        char joined[kMax] = "";
        size_t len = 0;
        const char def[2] = {kBreak, 0};
        for (int i = 1; i <= g_app.design.memoRow; ++i) {
            char key[16], line[1024];
            std::snprintf(key, sizeof key, "MEMO%d", i);
            ProfileReadString("MEMO", key, def, line, sizeof line, g_files.memoPath);
            if (line[0] == kBreak) break;
            // A line holds 255 bytes, cut on a character boundary: half a character would take
            // the line break behind it for its second byte.
            line[SjisCompleteLength(line)] = 0;
            SjisCut(line, 255);
            if (i > 1) {
                if (len + 2 >= kMax) break;
                joined[len++] = '\r';
                joined[len++] = '\n';
            }
            size_t whole = std::strlen(line);
            size_t n = SjisFitLength(line, kMax - 1 - len);
            std::memcpy(joined + len, line, n);
            len += n;
            joined[len] = 0;
            if (n < whole) break;  // the text is full
        }
        if (joined[0]) {
            (void)WriteMemo(0, 0, 0, joined, false);  // a failure is listed for the user by the store
            std::free(text);
            text = static_cast<char*>(std::malloc(len + 1));
            std::memcpy(text, joined, len + 1);
        }
    }
    return Deliver(text, buf, size);
}

WriteResult WriteFreeMemo(const char* text) {
    WriteResult result = WriteMemo(0, 0, 0, text, false);
    if (!result || (text && text[0])) return result;
    // The old lines go too, or they would come back as the free memo.
    for (int i = 1; i <= g_app.design.memoRow; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "MEMO%d", i);
        if (WriteResult r = ProfileWriteString("MEMO", key, nullptr, g_files.memoPath); !r) return r;
    }
    return result;
}

char** SplitMemoLines(char* text, char a, char b, char** lines, int* count) {
    int cap = *count + 100;
    lines = static_cast<char**>(std::realloc(lines, sizeof(char*) * cap));
    char* p = text;
    for (;;) {
        if (*count == cap) {
            cap += 100;
            lines = static_cast<char**>(std::realloc(lines, sizeof(char*) * cap));
        }
        lines[(*count)++] = p;
        while (*p && *p != a && *p != b) p += IsSjisLead(static_cast<unsigned char>(*p)) && p[1] ? 2 : 1;
        if (!*p) break;
        *p++ = 0;
        if (!*p) break;
    }
    return lines;
}

char** SplitTextLines(char* text, char r) {
    int cap = 100, n = 0;
    char** lines = static_cast<char**>(std::malloc(sizeof(char*) * cap));
    char* p = text;
    while (*p) {
        if (n + 1 >= cap) {
            cap += 100;
            lines = static_cast<char**>(std::realloc(lines, sizeof(char*) * cap));
        }
        lines[n++] = p;
        for (; *p; ++p) {
            if (*p == '\n') { *p++ = r; break; }
            if (*p == '\r') *p = r;
        }
    }
    lines[n] = nullptr;
    return lines;
}
