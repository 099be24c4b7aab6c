// What the fuzz targets share: a private folder for the files they write (in memory where the
// system has /dev/shm, so that a write's flush costs nothing), checks that stop the run, and
// code page 932 text made from fuzz bytes.
#pragma once
#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "base/sjis.h"
#include "config/file_names.h"
#include "config/profile_access.h"
#include "config/profile_store.h"
#include "memo/memo_store.h"

// A property that failed is a finding: said on stderr, then the run stops like a crash.
#define FUZZ_CHECK(cond, ...)                                                  \
    do {                                                                       \
        if (!(cond)) {                                                         \
            std::fprintf(stderr, "FUZZ_CHECK failed at %s:%d: %s\n", __FILE__, \
                         __LINE__, #cond);                                     \
            std::fprintf(stderr, "  " __VA_ARGS__);                            \
            std::fputc('\n', stderr);                                          \
            std::abort();                                                      \
        }                                                                      \
    } while (0)

// The folder of this process's files (under $TESSEL_FUZZ_DIR when set), made once, emptied by
// the caller as it needs.
inline const std::string& FuzzFolder() {
    // Never destroyed: the handler that removes the folder at exit still needs its name.
    static const std::string* folder = [] {
        const char* base = std::getenv("TESSEL_FUZZ_DIR");
        if (!base) base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/tessel-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        return new std::string(pattern);
    }();
    static const bool removedAtExit = std::atexit([] {
        std::string cmd = "rm -rf '" + *folder + "'";
        if (std::system(cmd.c_str()) != 0) std::perror("rm");
    }) == 0;
    (void)removedAtExit;
    return *folder;
}

inline std::string FuzzFile(const char* name) { return FuzzFolder() + "/" + name; }

inline void PutFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Removes every file of the folder (the lock file and what earlier inputs left).
inline void EmptyFuzzFolder() {
    DIR* d = opendir(FuzzFolder().c_str());
    if (!d) std::abort();
    while (dirent* e = readdir(d))
        if (e->d_name[0] != '.' || (e->d_name[1] && (e->d_name[1] != '.' || e->d_name[2])))
            unlink((FuzzFolder() + "/" + e->d_name).c_str());
    closedir(d);
}

// The calendar's data files named after FuzzFolder()/desk-calendar.ini, the profile store and
// the memo store fresh, the folder empty.
inline void FreshDataFiles() {
    EmptyFuzzFolder();
    ProfileStoreReset();
    ResetMemoStore();
    std::string config = FuzzFile("desk-calendar.ini");
    FormDataFileNames(kLayeredEdition, config.c_str(), "", '/', &g_files);
    SetMemoFiles(g_files);
    SetConfigPath(g_files.configPath);
}

inline bool IsSjisTrail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// The bytes as a code page 932 text a user could have typed: no NUL, no byte that is no
// character (0x80, 0xA0, 0xFD..0xFF, a lead byte without its trail byte), CR only before LF.
inline std::string ValidCp932(const std::string& bytes) {
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (IsSjisLead(c)) {
            if (i + 1 < bytes.size() && IsSjisTrail(static_cast<unsigned char>(bytes[i + 1]))) {
                out.append(bytes, i, 2);
                ++i;
            }
        } else if (c == 0 || c == 0x80 || c == 0xA0 || c >= 0xFD) {
        } else if (c == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') out += "\r\n", ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// Bytes made readable for a failure message: printable ASCII as it is, the rest as \xNN.
inline std::string Show(const std::string& s) {
    std::string out;
    for (unsigned char c : s) {
        char b[8];
        std::snprintf(b, sizeof b, c >= 0x20 && c < 0x7F ? "%c" : "\\x%02X", c);
        out += b;
    }
    return out;
}
