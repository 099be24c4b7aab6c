// The profile store: INI files parsed once and kept, checked against the file's size and
// last-write time on every access, rewritten whole through a temporary file on every write.
//
// Reading follows the platform's profile functions: a line "[NAME]" (blanks around it allowed,
// the name up to the last "]") opens a section; "KEY=value" is a key line, the key and value
// stripped of blanks; other lines are kept but mean nothing. Only the first section of a name
// and the first key of a name in it count; removing a key removes its later lines in that
// section too, so none of them comes back. Names match regardless of ASCII case.
#include "config/profile_store.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "base/sjis.h"
#include "config/file_ops.h"

namespace {

struct Span {
    uint32_t off = 0;
    uint32_t len = 0;
};

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Case folding leaves the trail byte of a double-byte character alone: it may look like a letter.
struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const {
        uint64_t h = 1469598103934665603ull;
        for (size_t i = 0; i < s.size(); ++i) {
            unsigned char c = static_cast<unsigned char>(s[i]);
            if (IsSjisLead(c) && i + 1 < s.size()) {
                h = (h ^ c) * 1099511628211ull;
                c = static_cast<unsigned char>(s[++i]);
            } else {
                c = FoldAscii(c);
            }
            h = (h ^ c) * 1099511628211ull;
        }
        return static_cast<size_t>(h);
    }
};

struct NameEq {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i) {
            unsigned char x = static_cast<unsigned char>(a[i]);
            unsigned char y = static_cast<unsigned char>(b[i]);
            if (IsSjisLead(x) && i + 1 < a.size()) {
                if (x != y || a[i + 1] != b[i + 1]) return false;
                ++i;
            } else if (FoldAscii(x) != FoldAscii(y)) {
                return false;
            }
        }
        return true;
    }
};

template <class V>
using NameMap = std::unordered_map<std::string, V, NameHash, NameEq>;

struct KeyEntry {
    uint32_t line = 0;
    Span name;   // as spelt in the file
    Span value;  // without the blanks at either end
};

struct Section {
    uint32_t headerLine = 0;
    uint32_t lastKeyLine = 0;  // where a new key goes after: the last key line, or the header
    NameMap<KeyEntry> keys;
    // Later lines of a key already there, in file order: unseen now, they would count once the
    // first went, so removing a key removes them too.
    std::vector<KeyEntry> repeated;
};

struct ParsedFile {
    FileStamp stamp;
    uint64_t checkedInBatch = 0;  // the read batch in which the stamp was last compared (0: none)
    std::string text;  // the file's bytes as read
    std::vector<Span> lines;
    std::vector<Section> sections;
    NameMap<uint32_t> sectionIndex;
};

struct PathHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
};

// A file written inside a write batch: held locked, its new text kept here until the batch ends.
struct PendingFile {
    FileWriteLock lock;
    std::unique_ptr<ParsedFile> file;
    bool changed = false;
};

// The batches a thread has open: each thread's batches are its own, so a worker's writes never
// end up in the window's batch, nor its reads in the window's view of a file.
struct ThreadBatches {
    // Inside a read batch each file is looked at once: its stamp, or that it is missing.
    int readDepth = 0;
    uint64_t readBatch = 0;  // the open read batch's number, 0 outside one
    std::unordered_set<std::string, PathHash, std::equal_to<>> missingInBatch;
    // Inside a write batch the files written so far, each replaced once when the batch ends.
    int writeDepth = 0;
    std::unordered_map<std::string, PendingFile, PathHash, std::equal_to<>> pending;
};

// Everything the store keeps, shared by every thread of the process; lock guards all of it.
struct Store {
    std::mutex lock;
    std::unordered_map<std::string, std::unique_ptr<ParsedFile>, PathHash, std::equal_to<>> files;
    int parseCount = 0;
    int replaceCount = 0;
    uint64_t lastReadBatch = 0;  // numbers read batches, so no two share one
    std::unordered_map<std::thread::id, ThreadBatches> threads;  // only threads with a batch open
    // Failed writes not yet taken, and the files whose last write failed.
    std::vector<WriteFailure> failures;
    std::unordered_set<std::string, PathHash, std::equal_to<>> failing;
    void (*failureListener)() = nullptr;
    // This process's replacements of each file, not yet taken.
    std::unordered_map<std::string, std::vector<OwnReplacement>, PathHash, std::equal_to<>> replaced;
};

// Enough for the writes of a few seconds; a longer run unread only makes a watcher look again.
constexpr size_t kKeptReplacements = 64;

Store g_store;

// The calling thread's open batches, or null when it has none.
ThreadBatches* BatchesOfThisThread(Store& st) {
    auto it = st.threads.find(std::this_thread::get_id());
    return it == st.threads.end() ? nullptr : &it->second;
}

// A thread's entry goes once its last batch has ended.
void ForgetIfDone(Store& st, ThreadBatches* tb) {
    if (tb && tb->readDepth == 0 && tb->writeDepth == 0) st.threads.erase(std::this_thread::get_id());
}

std::string_view View(const ParsedFile& f, Span s) { return std::string_view(f.text.data() + s.off, s.len); }

void Parse(ParsedFile& f) {
    f.lines.clear();
    f.sections.clear();
    f.sectionIndex.clear();
    const char* t = f.text.data();
    size_t n = f.text.size();
    size_t pos = 0;
    // A byte-order mark written by an editor is not part of the first line.
    if (n >= 3 && std::memcmp(t, "\xEF\xBB\xBF", 3) == 0) pos = 3;
    int current = -1;  // section taking key lines, -1 before the first one or in a repeated one
    while (pos < n) {
        size_t end = pos;
        while (end < n && t[end] != '\r' && t[end] != '\n') ++end;
        uint32_t lineNo = static_cast<uint32_t>(f.lines.size());
        f.lines.push_back({static_cast<uint32_t>(pos), static_cast<uint32_t>(end - pos)});
        size_t next = end;
        if (next < n) next += (t[next] == '\r' && next + 1 < n && t[next + 1] == '\n') ? 2 : 1;

        // A NUL byte ends what a line can mean; the bytes stay in the file.
        const char* nul = static_cast<const char*>(std::memchr(t + pos, 0, end - pos));
        size_t b = pos, e = nul ? static_cast<size_t>(nul - t) : end;
        while (b < e && IsBlank(t[b])) ++b;
        while (e > b && IsBlank(t[e - 1])) --e;
        pos = next;
        if (b == e || t[b] == ';') continue;

        if (t[b] == '[') {
            const char* close = nullptr;
            for (size_t i = e; i > b + 1; --i) {
                if (t[i - 1] == ']') {
                    close = t + i - 1;
                    break;
                }
            }
            if (close) {
                std::string name(t + b + 1, close);
                auto [it, fresh] = f.sectionIndex.try_emplace(std::move(name), 0u);
                if (fresh) {
                    it->second = static_cast<uint32_t>(f.sections.size());
                    f.sections.emplace_back();
                    f.sections.back().headerLine = lineNo;
                    f.sections.back().lastKeyLine = lineNo;
                    current = static_cast<int>(it->second);
                } else {
                    current = -1;
                }
                continue;
            }
        }
        if (current < 0) continue;
        const char* eq = static_cast<const char*>(std::memchr(t + b, '=', e - b));
        if (!eq) continue;
        size_t ne = static_cast<size_t>(eq - t);
        while (ne > b && IsBlank(t[ne - 1])) --ne;
        if (ne == b) continue;
        size_t vb = static_cast<size_t>(eq - t) + 1;
        while (vb < e && IsBlank(t[vb])) ++vb;
        Section& sec = f.sections[current];
        sec.lastKeyLine = lineNo;
        KeyEntry entry;
        entry.line = lineNo;
        entry.name = {static_cast<uint32_t>(b), static_cast<uint32_t>(ne - b)};
        entry.value = {static_cast<uint32_t>(vb), static_cast<uint32_t>(e - vb)};
        if (!sec.keys.try_emplace(std::string(t + b, ne - b), entry).second) sec.repeated.push_back(entry);
    }
}

bool ReadWholeFile(const char* path, std::string& out, int64_t sizeHint) {
    FILE* fp = OpenFileNamed(path, "rb");
    if (!fp) return false;
    out.clear();
    if (sizeHint > 0) out.reserve(static_cast<size_t>(sizeHint));
    char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, fp)) > 0) out.append(chunk, got);
    bool ok = !std::ferror(fp);
    std::fclose(fp);
    return ok;
}

// The parsed file for a read: the kept one while the file's stamp is unchanged. Null when the
// file is missing or cannot be read.
const ParsedFile* FileForRead(Store& st, const char* path) {
    ThreadBatches* tb = BatchesOfThisThread(st);
    if (tb) {
        if (auto p = tb->pending.find(std::string_view(path)); p != tb->pending.end()) return p->second.file.get();
    }
    bool inBatch = tb && tb->readDepth > 0;
    uint64_t batch = inBatch ? tb->readBatch : 0;
    auto it = st.files.find(std::string_view(path));
    if (inBatch) {
        if (it != st.files.end() && it->second->checkedInBatch == batch) return it->second.get();
        if (tb->missingInBatch.count(std::string_view(path))) return nullptr;
    }
    FileStamp stamp = StampOfFile(path);
    if (!stamp.exists) {
        if (it != st.files.end()) st.files.erase(it);
        if (inBatch) tb->missingInBatch.emplace(path);
        return nullptr;
    }
    if (it != st.files.end() && it->second->stamp == stamp) {
        it->second->checkedInBatch = batch;
        return it->second.get();
    }
    auto f = std::make_unique<ParsedFile>();
    if (!ReadWholeFile(path, f->text, stamp.size)) return nullptr;
    f->stamp = stamp;  // taken before reading: a change during the read shows next time
    f->checkedInBatch = batch;
    Parse(*f);
    ++st.parseCount;
    ParsedFile* raw = f.get();
    if (it != st.files.end()) it->second = std::move(f);
    else st.files.emplace(std::string(path), std::move(f));
    return raw;
}

const KeyEntry* FindKey(const ParsedFile& f, const char* section, const char* key) {
    auto s = f.sectionIndex.find(std::string_view(section));
    if (s == f.sectionIndex.end()) return nullptr;
    const Section& sec = f.sections[s->second];
    auto k = sec.keys.find(std::string_view(key));
    return k == sec.keys.end() ? nullptr : &k->second;
}

bool HasAny(std::string_view s, const char* bytes) { return s.find_first_of(bytes) != std::string_view::npos; }

// How long a writer waits for another process's write to the same file.
constexpr int kLockTimeoutMs = 10000;

void Keep(Store& st, const char* path, std::unique_ptr<ParsedFile> f) {
    auto it = st.files.find(std::string_view(path));
    if (it != st.files.end()) it->second = std::move(f);
    else st.files.emplace(std::string(path), std::move(f));
}

void Forget(Store& st, const char* path) {
    auto it = st.files.find(std::string_view(path));
    if (it != st.files.end()) st.files.erase(it);
}

// The number a name spells in decimal digits alone, or -1.
long NumberOf(std::string_view name) {
    if (name.empty() || name.size() > 9) return -1;
    long n = 0;
    for (char c : name) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

// Where a new line goes in number order: the line to put it before, or UINT32_MAX for the place
// it would go otherwise. among gives each candidate's name and line.
template <typename Candidates>
uint32_t BeforeGreater(long number, const Candidates& among) {
    long best = -1;
    uint32_t line = UINT32_MAX;
    for (const auto& [name, at] : among) {
        long n = NumberOf(name);
        if (n > number && (best < 0 || n < best)) best = n, line = at;
    }
    return line;
}

// Whether removing entry (and its repeated lines) leaves its section with no line but its header.
bool EmptiedBy(const Section& section, const KeyEntry& entry, const std::vector<uint32_t>& removed) {
    for (uint32_t i = section.headerLine + 1; i <= section.lastKeyLine; ++i)
        if (i != entry.line && std::find(removed.begin(), removed.end(), i) == removed.end()) return false;
    return true;
}

// The file's text with the key's line replaced, removed or added (behind the section's last key,
// or in a new section at the end; in number order when the edit asks for it).
std::string Rewritten(const ParsedFile& f, std::string_view sec, std::string_view k, const KeyEntry* entry,
                      const ProfileEdit& change) {
    std::string line;
    if (!change.remove) {
        std::string_view val = change.value;
        while (!val.empty() && IsBlank(val.front())) val.remove_prefix(1);
        while (!val.empty() && IsBlank(val.back())) val.remove_suffix(1);
        line.reserve(k.size() + val.size() + 1);
        line.append(entry ? View(f, entry->name) : k).append("=").append(val);
    }
    auto s = f.sectionIndex.find(sec);
    std::string out;
    out.reserve(f.text.size() + line.size() + sec.size() + 8);
    uint32_t insertAfter = UINT32_MAX, insertBefore = UINT32_MAX, sectionBefore = UINT32_MAX, dropHeader = UINT32_MAX;
    long keyNumber = change.numberOrder ? NumberOf(k) : -1, sectionNumber = change.numberOrder ? NumberOf(sec) : -1;
    if (!entry && s != f.sectionIndex.end()) {
        const Section& section = f.sections[s->second];
        insertAfter = section.lastKeyLine;
        if (keyNumber >= 0) {
            std::vector<std::pair<std::string_view, uint32_t>> keys;
            for (const auto& [name, key] : section.keys) keys.emplace_back(name, key.line);
            insertBefore = BeforeGreater(keyNumber, keys);
            if (insertBefore != UINT32_MAX) insertAfter = UINT32_MAX;
        }
    }
    if (!entry && s == f.sectionIndex.end() && sectionNumber >= 0) {
        std::vector<std::pair<std::string_view, uint32_t>> sections;
        for (const auto& [name, index] : f.sectionIndex) sections.emplace_back(name, f.sections[index].headerLine);
        sectionBefore = BeforeGreater(sectionNumber, sections);
    }
    std::vector<uint32_t> removed;  // the repeated lines of a removed key, in file order
    if (entry && change.remove)
        for (const KeyEntry& r : f.sections[s->second].repeated)
            if (NameEq()(View(f, r.name), k)) removed.push_back(r.line);
    if (entry && change.remove && sectionNumber >= 0 && EmptiedBy(f.sections[s->second], *entry, removed))
        dropHeader = f.sections[s->second].headerLine;
    size_t nextRemoved = 0;
    for (uint32_t i = 0; i < f.lines.size(); ++i) {
        if (i == insertBefore) out.append(line).append("\r\n");
        if (i == sectionBefore) out.append("[").append(sec).append("]\r\n").append(line).append("\r\n");
        if (i == dropHeader) continue;
        if (entry && entry->line == i) {
            if (!change.remove) out.append(line).append("\r\n");
        } else if (nextRemoved < removed.size() && removed[nextRemoved] == i) {
            ++nextRemoved;
        } else {
            out.append(View(f, f.lines[i])).append("\r\n");
        }
        if (i == insertAfter) out.append(line).append("\r\n");
    }
    if (!entry && s == f.sectionIndex.end() && sectionBefore == UINT32_MAX)
        out.append("[").append(sec).append("]\r\n").append(line).append("\r\n");
    return out;
}

// The file as it is on disk now, read under its lock (held by the caller): another process's
// write, or an edit by hand since the last access, is kept even when size and time look the same.
WriteResult ReadUnderLock(Store& st, const char* path, std::unique_ptr<ParsedFile>* out) {
    FileStamp stamp = StampOfFile(path);
    auto it = st.files.find(std::string_view(path));
    auto cur = std::make_unique<ParsedFile>();
    if (stamp.exists) {
        // A reader elsewhere may hold the file for a moment (Windows readers share it badly).
        bool read = ReadWholeFile(path, cur->text, stamp.size);
        for (int i = 0; !read && i < 20 && StampOfFile(path).exists; ++i) {
            SleepMs(25);
            read = ReadWholeFile(path, cur->text, stamp.size);
        }
        if (!read) {
            Forget(st, path);
            return WriteResult{WriteError::kCannotRead, 0};
        }
        if (it != st.files.end() && it->second->text == cur->text) {
            // Taken out of the kept files: the others read the file from the disk meanwhile.
            cur = std::move(it->second);
            st.files.erase(it);
        } else {
            Parse(*cur);
            ++st.parseCount;
        }
        cur->stamp = stamp;
    } else {
        Parse(*cur);
    }
    *out = std::move(cur);
    return WriteResult{};
}

// The edit applied to the text of f: *changed tells whether the text is another now.
WriteResult ApplyEdit(ParsedFile& f, const char* section, const char* key,
                      const std::function<ProfileEdit(std::string_view, bool)>& edit, bool* changed) {
    *changed = false;
    const KeyEntry* entry = FindKey(f, section, key);
    ProfileEdit change = edit(entry ? View(f, entry->value) : std::string_view(), entry != nullptr);
    bool write = change.change && (!change.remove || entry);
    if (!write) return WriteResult{};
    if (!change.remove && HasAny(change.value, "\r\n")) return WriteResult{WriteError::kRefused, 0};
    std::string out = Rewritten(f, section, key, entry, change);
    if (out == f.text) return WriteResult{};
    f.text = std::move(out);
    Parse(f);
    *changed = true;
    return WriteResult{};
}

// Puts the new text of path on the disk and keeps it parsed.
WriteResult Commit(Store& st, const char* path, std::unique_ptr<ParsedFile> f) {
    if (WriteResult r = ReplaceFileContent(path, f->text); !r) {
        Forget(st, path);
        return r;
    }
    ++st.replaceCount;
    FileStamp before = f->stamp;
    f->stamp = StampOfFile(path);
    std::vector<OwnReplacement>& own = st.replaced[path];
    if (own.size() >= kKeptReplacements) own.erase(own.begin());
    own.push_back(OwnReplacement{before, f->stamp});
    // The file is there now, whatever a read batch found before.
    std::string name(path);
    for (auto& [thread, batches] : st.threads) batches.missingInBatch.erase(name);
    ThreadBatches* tb = BatchesOfThisThread(st);
    f->checkedInBatch = tb && tb->readDepth > 0 ? tb->readBatch : 0;
    Keep(st, path, std::move(f));
    return WriteResult{};
}

// The write itself, under the store's mutex: at once under the file's lock, or into the pending
// text of the thread's write batch. lock is the file's lock, taken by the caller, unless the
// batch holds it already.
WriteResult EditLocked(Store& st, const char* section, const char* key, const char* path,
                       const std::function<ProfileEdit(std::string_view, bool)>& edit, FileWriteLock lock) {
    if (ThreadBatches* tb = BatchesOfThisThread(st); tb && tb->writeDepth > 0) {
        auto p = tb->pending.find(std::string_view(path));
        if (p == tb->pending.end()) {
            PendingFile fresh;
            fresh.lock = std::move(lock);
            if (WriteResult r = ReadUnderLock(st, path, &fresh.file); !r) return r;
            p = tb->pending.emplace(std::string(path), std::move(fresh)).first;
        }
        bool changed = false;
        WriteResult r = ApplyEdit(*p->second.file, section, key, edit, &changed);
        p->second.changed |= changed;
        return r;
    }
    std::unique_ptr<ParsedFile> cur;
    if (WriteResult r = ReadUnderLock(st, path, &cur); !r) return r;
    bool existed = cur->stamp.exists;
    bool changed = false;
    WriteResult result = ApplyEdit(*cur, section, key, edit, &changed);
    if (!result || !changed) {
        if (existed && !changed) Keep(st, path, std::move(cur));  // nothing written; keep what was read
        return result;
    }
    return Commit(st, path, std::move(cur));
}

// The user hears of a file once when its writes begin to fail, not at every write. Returns the
// listener to call (outside the store's mutex) when this failure is news.
using Listener = void (*)();
Listener NoteResult(Store& st, const char* path, const WriteResult& result) {
    if (result) {
        st.failing.erase(std::string(path));
        return nullptr;
    }
    if (!st.failing.emplace(path).second) return nullptr;
    st.failures.push_back(WriteFailure{path, result});
    return st.failureListener;
}

}  // namespace

int ProfileReadString(const char* section, const char* key, const char* def, char* buf, int size,
                      const char* path) {
    if (!buf || size <= 0) return 0;
    std::string_view value;
    bool found = false;
    Store& st = g_store;
    std::lock_guard<std::mutex> guard(st.lock);
    if (section && key && path) {
        if (const ParsedFile* f = FileForRead(st, path)) {
            if (const KeyEntry* k = FindKey(*f, section, key)) {
                value = View(*f, k->value);
                found = true;
            }
        }
    }
    if (!found) {
        // Like the platform: a default loses its trailing spaces.
        value = def ? std::string_view(def) : std::string_view();
        while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
    }
    size_t n = value.size() < static_cast<size_t>(size - 1) ? value.size() : static_cast<size_t>(size - 1);
    if (n) std::memcpy(buf, value.data(), n);
    buf[n] = 0;
    return static_cast<int>(n);
}

int ProfileReadInt(const char* section, const char* key, int def, const char* path) {
    char buf[64];
    if (ProfileReadString(section, key, "", buf, sizeof buf, path) == 0) return def;
    // The platform's rule: optional sign, then "0x", "0o" or "0b" for another base, then the
    // digits valid in that base; the total wraps at 32 bits.
    const char* p = buf;
    bool minus = false;
    if (*p == '-') {
        minus = true;
        ++p;
    } else if (*p == '+') {
        ++p;
    }
    unsigned base = 10;
    if (p[0] == '0' && p[1] == 'x') base = 16, p += 2;
    else if (p[0] == '0' && p[1] == 'o') base = 8, p += 2;
    else if (p[0] == '0' && p[1] == 'b') base = 2, p += 2;
    uint32_t total = 0;
    for (;; ++p) {
        unsigned d;
        if (*p >= '0' && *p <= '9') d = static_cast<unsigned>(*p - '0');
        else if (*p >= 'a' && *p <= 'z') d = static_cast<unsigned>(*p - 'a' + 10);
        else if (*p >= 'A' && *p <= 'Z') d = static_cast<unsigned>(*p - 'A' + 10);
        else break;
        if (d >= base) break;
        total = total * base + d;
    }
    if (minus) total = 0u - total;
    return static_cast<int>(total);
}

WriteResult ProfileEditString(const char* section, const char* key, const char* path,
                              const std::function<ProfileEdit(std::string_view current, bool found)>& edit) {
    if (!path || !*path) return WriteResult{WriteError::kRefused, 0};
    WriteResult result;
    std::string_view sec(section ? section : ""), k(key ? key : "");
    // Anything here that would change the file's lines or their meaning is refused.
    if (sec.empty() || k.empty() || HasAny(sec, "\r\n]") || HasAny(k, "\r\n=") || IsBlank(k.front()) ||
        IsBlank(k.back()) || k.front() == ';' || k.front() == '[') {
        result = WriteResult{WriteError::kRefused, 0};
    }
    Store& st = g_store;
    // The file's lock is waited for without the store's mutex, so that the thread holding it (in
    // a write batch) can go on and end its batch meanwhile.
    bool held = false;
    {
        std::lock_guard<std::mutex> guard(st.lock);
        ThreadBatches* tb = BatchesOfThisThread(st);
        held = tb && tb->writeDepth > 0 && tb->pending.count(std::string_view(path));
    }
    FileWriteLock lock;
    if (result && !held) result = lock.Acquire(path, kLockTimeoutMs);
    Listener listener = nullptr;
    {
        std::lock_guard<std::mutex> guard(st.lock);
        if (result) result = EditLocked(st, section, key, path, edit, std::move(lock));
        listener = NoteResult(st, path, result);
    }
    if (listener) listener();
    return result;
}

WriteResult ProfileWriteString(const char* section, const char* key, const char* value, const char* path) {
    return ProfileEditString(section, key, path, [value](std::string_view current, bool found) {
        ProfileEdit e;
        e.remove = value == nullptr;
        if (!e.remove) e.value = value;
        e.change = e.remove ? found : !found || current != e.value;
        return e;
    });
}

std::vector<WriteFailure> ProfileTakeWriteFailures() {
    Store& st = g_store;
    std::lock_guard<std::mutex> guard(st.lock);
    std::vector<WriteFailure> taken;
    taken.swap(st.failures);
    return taken;
}

void ProfileSetWriteFailureListener(void (*listener)()) {
    Store& st = g_store;
    std::lock_guard<std::mutex> guard(st.lock);
    st.failureListener = listener;
}

void ProfileStoreReset() {
    Store& st = g_store;
    std::lock_guard<std::mutex> guard(st.lock);
    st.files.clear();
    st.parseCount = 0;
    st.replaceCount = 0;
    st.failures.clear();
    st.failing.clear();
    st.replaced.clear();
}

void ProfileBeginReadBatch() {
    Store& st = g_store;
    std::lock_guard<std::mutex> guard(st.lock);
    ThreadBatches& tb = st.threads[std::this_thread::get_id()];
    if (tb.readDepth++ == 0) tb.readBatch = ++st.lastReadBatch;
}

void ProfileEndReadBatch() {
    Store& st = g_store;
    std::lock_guard<std::mutex> guard(st.lock);
    ThreadBatches* tb = BatchesOfThisThread(st);
    if (!tb || tb->readDepth == 0) return;
    if (--tb->readDepth == 0) {
        tb->readBatch = 0;  // nothing checked in this batch counts as checked any more
        tb->missingInBatch.clear();
    }
    ForgetIfDone(st, tb);
}

void ProfileBeginWriteBatch() {
    Store& st = g_store;
    std::lock_guard<std::mutex> guard(st.lock);
    ++st.threads[std::this_thread::get_id()].writeDepth;
}

WriteResult ProfileEndWriteBatch() {
    Store& st = g_store;
    WriteResult first;
    std::vector<Listener> listeners;
    {
        std::lock_guard<std::mutex> guard(st.lock);
        ThreadBatches* tb = BatchesOfThisThread(st);
        if (!tb || tb->writeDepth == 0 || --tb->writeDepth > 0) return first;
        auto pending = std::move(tb->pending);
        tb->pending.clear();
        ForgetIfDone(st, tb);
        for (auto& [path, p] : pending) {
            if (!p.changed) {
                if (p.file->stamp.exists) Keep(st, path.c_str(), std::move(p.file));
                continue;
            }
            WriteResult r = Commit(st, path.c_str(), std::move(p.file));
            if (first && !r) first = r;
            if (Listener l = NoteResult(st, path.c_str(), r)) listeners.push_back(l);
        }
    }  // the files' locks go with pending
    for (Listener l : listeners) l();
    return first;
}

std::vector<OwnReplacement> ProfileTakeOwnReplacements(const char* path) {
    Store& st = g_store;
    std::lock_guard<std::mutex> guard(st.lock);
    auto it = st.replaced.find(std::string_view(path ? path : ""));
    if (it == st.replaced.end()) return {};
    std::vector<OwnReplacement> taken = std::move(it->second);
    st.replaced.erase(it);
    return taken;
}

int ProfileStoreParseCount() {
    Store& st = g_store;
    std::lock_guard<std::mutex> guard(st.lock);
    return st.parseCount;
}

int ProfileStoreReplaceCount() {
    Store& st = g_store;
    std::lock_guard<std::mutex> guard(st.lock);
    return st.replaceCount;
}
