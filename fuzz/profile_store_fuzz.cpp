// The profile store on arbitrary file bytes, then reads, writes and deletes on them (some inside a
// write batch). Every value read must be what a plain reading of the file's lines gives, changed
// by the writes so far; the file the store leaves must read back, by the same plain reading and
// by a store that forgot everything, to exactly those keys.
#include <fuzzer/FuzzedDataProvider.h>

#include <map>
#include <string>
#include <vector>

#include "config/profile_store.h"
#include "fuzz_common.h"

namespace {
using Keys = std::map<std::string, std::map<std::string, std::string>>;

bool Blank(char c) { return c == ' ' || c == '\t'; }

// Names compare without ASCII case; the second byte of a double-byte character stays as it is.
std::string Fold(const std::string& name) {
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (IsSjisLead(c) && i + 1 < name.size()) {
            out.append(name, i, 2);
            ++i;
        } else {
            out += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        }
    }
    return out;
}

std::string Trim(std::string s) {
    while (!s.empty() && Blank(s.back())) s.pop_back();
    size_t b = 0;
    while (b < s.size() && Blank(s[b])) ++b;
    return s.substr(b);
}

// The file as the store's header describes it: "[NAME]" (up to the last "]") opens a section,
// "KEY=value" is a key; the first section and key of a name count; a NUL ends a line's meaning;
// a leading byte-order mark is skipped; lines end at CR, LF or CR LF.
Keys ReadPlain(const std::string& text) {
    Keys keys;
    std::map<std::string, std::string>* current = nullptr;
    size_t pos = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end;
        if (pos < text.size()) pos += text.compare(pos, 2, "\r\n") == 0 ? 2 : 1;
        line = Trim(line.substr(0, line.find('\0')));
        if (line.empty() || line[0] == ';') continue;
        size_t close = line.rfind(']');
        if (line[0] == '[' && close != std::string::npos && close >= 1) {
            std::string name = Fold(line.substr(1, close - 1));
            current = keys.count(name) ? nullptr : &keys[name];
            continue;
        }
        size_t eq = line.find('=');
        if (!current || eq == std::string::npos) continue;
        std::string key = Trim(line.substr(0, eq));
        if (key.empty()) continue;
        current->emplace(Fold(key), Trim(line.substr(eq + 1)));
    }
    return keys;
}

constexpr char kMissing[] = "\x01missing";

std::string ReadValue(const std::string& section, const std::string& key, const std::string& path) {
    static std::vector<char> buf(1 << 17);
    int n = ProfileReadString(section.c_str(), key.c_str(), kMissing, buf.data(), static_cast<int>(buf.size()), path.c_str());
    FUZZ_CHECK(n >= 0 && n < static_cast<int>(buf.size()) && buf[n] == 0, "read length %d", n);
    return std::string(buf.data(), static_cast<size_t>(n));
}

std::string Expected(const Keys& model, const std::string& section, const std::string& key) {
    auto s = model.find(Fold(section));
    if (s == model.end()) return kMissing;
    auto k = s->second.find(Fold(key));
    return k == s->second.end() ? kMissing : k->second;
}

// Every key of the model read through the store.
void CheckAll(const Keys& model, const std::string& path, const char* when) {
    for (const auto& [section, keys] : model)
        for (const auto& [key, value] : keys) {
            std::string got = ReadValue(section, key, path);
            FUZZ_CHECK(got == value, "%s: [%s] %s is \"%s\", expected \"%s\"", when, Show(section).c_str(),
                       Show(key).c_str(), Show(got).c_str(), Show(value).c_str());
        }
}

const char* const kNames[] = {"CONFIG", "config", "MEMO", "A", "a", "COUNTDOWN", "01", "1", "\x83\x81\x83\x82"};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    int ops = in.ConsumeIntegralInRange(0, 24);
    bool present = in.ConsumeBool();
    std::string file = in.ConsumeRandomLengthString(size);
    const std::string path = FuzzFile("store.ini");
    EmptyFuzzFolder();
    ProfileStoreReset();
    if (present || !file.empty()) PutFile(path, file);
    Keys model = ReadPlain(file);
    CheckAll(model, path, "first read");

    // Names to write: the file's own, a few fixed ones, and made-up ones.
    std::vector<std::string> sections(std::begin(kNames), std::end(kNames)), keys(sections);
    for (const auto& [section, sectionKeys] : model) {
        sections.push_back(section);
        for (const auto& entry : sectionKeys) keys.push_back(entry.first);
    }
    auto name = [&](const std::vector<std::string>& names) {
        size_t pick = in.ConsumeIntegralInRange<size_t>(0, names.size());
        return pick < names.size() ? names[pick] : in.ConsumeRandomLengthString(12);
    };

    int batch = 0;
    for (int i = 0; i < ops; ++i) {
        int op = in.ConsumeIntegralInRange(0, 5);
        if (op == 4) {
            if (batch < 2) ProfileBeginWriteBatch(), ++batch;
            continue;
        }
        if (op == 5) {
            if (batch > 0) {
                FUZZ_CHECK(ProfileEndWriteBatch().ok(), "batch end failed");
                --batch;
            }
            continue;
        }
        std::string section = name(sections), key = name(keys);
        if (section.find('\0') != std::string::npos || key.find('\0') != std::string::npos) continue;
        if (op == 0) {
            std::string got = ReadValue(section, key, path), want = Expected(model, section, key);
            FUZZ_CHECK(got == want, "[%s] %s is \"%s\", expected \"%s\"", Show(section).c_str(), Show(key).c_str(),
                       Show(got).c_str(), Show(want).c_str());
            continue;
        }
        if (op == 1) {
            // A value cut short reads back cut on its byte count.
            char small[8];
            int n = ProfileReadString(section.c_str(), key.c_str(), kMissing, small, sizeof small, path.c_str());
            std::string want = Expected(model, section, key).substr(0, sizeof small - 1);
            FUZZ_CHECK(std::string(small, static_cast<size_t>(n)) == want && small[n] == 0, "cut read");
            continue;
        }
        bool remove = op == 3;
        std::string value = in.ConsumeRandomLengthString(80);
        if (value.find('\0') != std::string::npos) value.resize(value.find('\0'));
        WriteResult r = ProfileWriteString(section.c_str(), key.c_str(), remove ? nullptr : value.c_str(), path.c_str());
        if (!r) {
            FUZZ_CHECK(r.error == WriteError::kRefused, "write failed: error %d", static_cast<int>(r.error));
            continue;
        }
        if (remove) {
            auto s = model.find(Fold(section));
            if (s != model.end()) s->second.erase(Fold(key));
        } else {
            model[Fold(section)][Fold(key)] = Trim(value);
        }
    }
    while (batch-- > 0) FUZZ_CHECK(ProfileEndWriteBatch().ok(), "batch end failed");
    CheckAll(model, path, "after the writes");

    // What is on the disk now: the same keys, and nothing more, by a plain reading and by a
    // store that parses the file afresh.
    auto withKeys = [](Keys keys) {
        for (auto it = keys.begin(); it != keys.end();) it = it->second.empty() ? keys.erase(it) : std::next(it);
        return keys;
    };
    Keys onDisk = withKeys(ReadPlain(FileBytes(path)));
    Keys want = withKeys(model);
    if (onDisk != want) {
        for (const auto& [section, sectionKeys] : onDisk)
            for (const auto& [key, value] : sectionKeys)
                std::fprintf(stderr, "disk  [%s] %s=%s\n", Show(section).c_str(), Show(key).c_str(), Show(value).c_str());
        for (const auto& [section, sectionKeys] : want)
            for (const auto& [key, value] : sectionKeys)
                std::fprintf(stderr, "model [%s] %s=%s\n", Show(section).c_str(), Show(key).c_str(), Show(value).c_str());
        std::fprintf(stderr, "file: %s\n", Show(FileBytes(path)).c_str());
    }
    FUZZ_CHECK(onDisk == want, "the file on disk holds other keys than were written");
    ProfileStoreReset();
    CheckAll(model, path, "read afresh");
    return 0;
}
