// Temporary folders and INI files for the configuration tests: real files on disk.
#pragma once
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "config/profile_access.h"
#include "config/profile_store.h"

class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/tessel-config-XXXXXX";
        const char* made = mkdtemp(pattern);
        path_ = made ? made : "/tmp";
    }
    ~TempFolder() {
        std::string cmd = "rm -rf '" + path_ + "'";
        if (std::system(cmd.c_str()) != 0) std::perror("rm");
    }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Writes lines joined by CR LF, as the platform's profile functions leave a file.
inline void WriteIni(const std::string& path, std::initializer_list<const char*> lines) {
    std::ofstream out(path, std::ios::binary);
    for (const char* line : lines) out << line << "\r\n";
}

inline std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline bool FileExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

// Points the configuration at path, forgetting what the store parsed.
inline void UseConfig(const std::string& path) {
    ProfileStoreReset();
    SetConfigPath(path.c_str());
}

// The value stored for key in section, or "<missing>", as the store reads it back.
inline std::string StoredValue(const std::string& path, const char* section, const char* key) {
    char buf[512];
    ProfileReadString(section, key, "<missing>", buf, sizeof buf, path.c_str());
    return buf;
}
