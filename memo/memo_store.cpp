#include "memo/memo_store.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/app_globals.h"
#include "app/file_names.h"
#include "app/working_text.h"
#include "config/app_state.h"
#include "config/profile_store.h"
#include "config/sjis.h"
#include "memo/undo_journal.h"

namespace {
constexpr char kBreak = 0x7F;
constexpr char kMarker = static_cast<char>(0x80);
int g_readSize = 256;  // grows for the whole run, never shrinks
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

// The year file's name is formed once per year and pattern, not at every read: a search reads
// 372 keys of each file in a row.
const char* YearFilePath(int year) {
    static char pattern[sizeof g_files.yearMemoPattern] = "";
    static int lastYear = 0;
    static char path[300] = "";
    if (year != lastYear || std::strcmp(pattern, g_files.yearMemoPattern) != 0) {
        std::memcpy(pattern, g_files.yearMemoPattern, sizeof pattern);
        std::snprintf(path, sizeof path, pattern, year);
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
    while (o > 0 && out[o - 1] == kBreak) --o;
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
void ResetMemoReadBuffer() { g_readSize = 256; }

char* ReadMemo(int year, int month, int day, char* buf, int size) {
    Address a;
    Locate(year, month, day, &a);
    char* stored = ReadGrowing(a, &g_readSize, 256);
    char* text = Decode(stored);
    std::free(stored);
    return Deliver(text, buf, size);
}

void WriteMemo(int year, int month, int day, const char* text, bool append) {
    char* encoded = Encode(text ? text : "", true);
    Address a;
    Locate(year, month, day, &a);
    char* current = ReadGrowing(a, &g_readSize, 256);
    size_t n = std::strlen(encoded);
    char* value = encoded;
    if (append) {
        if (n == 0) {
            std::free(encoded);
            std::free(current);
            return;
        }
        size_t c = std::strlen(current);
        const char* tail = encoded[0] == kMarker && c ? encoded + 1 : encoded;
        value = static_cast<char*>(std::malloc(c + std::strlen(tail) + 2));
        std::memcpy(value, current, c);
        size_t o = c;
        if (c) value[o++] = kBreak;
        std::strcpy(value + o, tail);
        std::free(encoded);
    }
    if (std::strcmp(value, current) != 0) {
        if (month >= 1 || year == 0) RecordUndo(year, month, day, 0, current, value);
        ProfileWriteString(a.section, a.key, value[0] ? value : nullptr, a.path);
    }
    std::free(value);
    std::free(current);
}

char* ReadMemoRaw(int year, int month, int day) {
    // The cell being edited shows the text as it is typed.
    if (month >= 1 && IsEditingDate(year, month, day)) return Encode(WorkingTextOrEmpty(), false);
    Address a;
    Locate(year, month, day, &a);
    int step = g_shell.drawMemoSize > 1 ? g_shell.drawMemoSize : 256;
    int size = step;
    return ReadGrowing(a, &size, step);
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
            char key[16], line[256];
            std::snprintf(key, sizeof key, "MEMO%d", i);
            ProfileReadString("MEMO", key, def, line, sizeof line, g_files.memoPath);
            if (line[0] == kBreak) break;
            if (i > 1 && len + 2 < kMax) { joined[len++] = '\r'; joined[len++] = '\n'; }
            size_t n = SjisFitLength(line, kMax - 1 - len);
            std::memcpy(joined + len, line, n);
            len += n;
            joined[len] = 0;
        }
        if (joined[0]) {
            WriteMemo(0, 0, 0, joined, false);
            std::free(text);
            text = static_cast<char*>(std::malloc(len + 1));
            std::memcpy(text, joined, len + 1);
        }
    }
    return Deliver(text, buf, size);
}

void WriteFreeMemo(const char* text) {
    WriteMemo(0, 0, 0, text, false);
    if (text && text[0]) return;
    for (int i = 1; i <= g_app.design.memoRow; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "MEMO%d", i);
        ProfileWriteString("MEMO", key, nullptr, g_files.memoPath);
    }
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
