#include "sync/sync_state.h"

#include <cstdio>
#include <cstdlib>

#include "config/profile_store.h"

namespace {
const char kStateSection[] = "SYNC";
const char kRecordSection[] = "EVENTS";

// Bytes that would break a field, a value or the file's lines, as %XX.
std::string Escape(const std::string& s) {
    std::string out;
    for (unsigned char c : s) {
        if (c <= 0x20 || c == '%' || c == '|' || c == ',' || c == 0x7F || c == ';' || c == '=' || c == '[') {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string Unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size()) {
            char hex[3] = {s[i + 1], s[i + 2], 0};
            out += static_cast<char>(std::strtol(hex, nullptr, 16));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> out;
    size_t at = 0;
    for (;;) {
        size_t end = s.find(sep, at);
        out.push_back(s.substr(at, end == std::string::npos ? std::string::npos : end - at));
        if (end == std::string::npos) return out;
        at = end + 1;
    }
}

std::string ReadValue(const char* section, const char* key, const char* path) {
    std::string buf(1024, '\0');
    for (;;) {
        int n = ProfileReadString(section, key, "", buf.data(), static_cast<int>(buf.size()), path);
        if (n < static_cast<int>(buf.size()) - 1) {
            buf.resize(static_cast<size_t>(n));
            return buf;
        }
        buf.resize(buf.size() * 4);
    }
}

// The keys of a section: the file read as text (the store reads values, not lists of keys).
std::vector<std::string> KeysOf(const char* path) {
    std::vector<std::string> keys;
    std::string index = ReadValue(kStateSection, "COUNT", path);
    int count = std::atoi(index.c_str());
    for (int i = 0; i < count; ++i) keys.push_back(std::to_string(i));
    return keys;
}
}  // namespace

std::string EncodeSyncRecord(const SyncRecord& r) {
    std::string v = Escape(r.href) + "|" + Escape(r.etag) + "|" + Escape(r.uid) + "|" + (r.own ? "1" : "0") +
                    (r.recurring ? "1" : "0");
    for (const SyncLine& l : r.lines)
        v += "|" + std::to_string(l.day) + "," + std::to_string(l.pos) + "," + std::to_string(l.order) + "," + Escape(l.text);
    return v;
}

bool DecodeSyncRecord(const std::string& value, SyncRecord* out) {
    std::vector<std::string> f = Split(value, '|');
    if (f.size() < 4 || f[3].size() != 2) return false;
    SyncRecord r;
    r.href = Unescape(f[0]);
    r.etag = Unescape(f[1]);
    r.uid = Unescape(f[2]);
    r.own = f[3][0] == '1';
    r.recurring = f[3][1] == '1';
    for (size_t i = 4; i < f.size(); ++i) {
        std::vector<std::string> p = Split(f[i], ',');
        if (p.size() != 4) return false;
        r.lines.push_back(SyncLine{std::atoi(p[0].c_str()), std::atoi(p[1].c_str()), Unescape(p[3]), std::atoi(p[2].c_str())});
    }
    if (r.href.empty()) return false;
    *out = std::move(r);
    return true;
}

SyncState LoadSyncState(const char* path) {
    SyncState s;
    s.url = Unescape(ReadValue(kStateSection, "URL", path));
    s.token = Unescape(ReadValue(kStateSection, "TOKEN", path));
    s.ctag = Unescape(ReadValue(kStateSection, "CTAG", path));
    for (const std::string& key : KeysOf(path)) {
        SyncRecord r;
        if (DecodeSyncRecord(ReadValue(kRecordSection, key.c_str(), path), &r)) s.records[r.href] = std::move(r);
    }
    return s;
}

WriteResult SaveSyncState(const char* path, const SyncState& state) {
    int before = std::atoi(ReadValue(kStateSection, "COUNT", path).c_str());
    ProfileWriteBatch batch;  // one replacement of the file, locked from the first write on
    (void)ProfileWriteString(kStateSection, "URL", Escape(state.url).c_str(), path);
    (void)ProfileWriteString(kStateSection, "TOKEN", Escape(state.token).c_str(), path);
    (void)ProfileWriteString(kStateSection, "CTAG", Escape(state.ctag).c_str(), path);
    (void)ProfileWriteString(kStateSection, "COUNT", std::to_string(state.records.size()).c_str(), path);
    int i = 0;
    for (const auto& entry : state.records)
        (void)ProfileWriteString(kRecordSection, std::to_string(i++).c_str(), EncodeSyncRecord(entry.second).c_str(), path);
    for (; i < before; ++i) (void)ProfileWriteString(kRecordSection, std::to_string(i).c_str(), nullptr, path);
    return batch.End();
}
