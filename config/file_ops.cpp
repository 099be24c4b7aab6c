#include "config/file_ops.h"

#include <cstring>

#include "base/sjis.h"

FileWriteLock& FileWriteLock::operator=(FileWriteLock&& other) noexcept {
    if (this != &other) {
        Release();
        handle_ = other.handle_;
        offset_ = other.offset_;
        other.handle_ = kNone;
    }
    return *this;
}

uint64_t WriteLockOffset(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '/' || *p == '\\') name = p + 1;
    // FNV-1a over the name; a lead byte keeps its trail byte out of the folding.
    uint64_t h = 1469598103934665603ull;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p; ++p) {
        unsigned char c = *p;
        if (IsSjisLead(c) && p[1]) {
            h = (h ^ c) * 1099511628211ull;
            c = *++p;
        } else {
            c = FoldAscii(c);
        }
        h = (h ^ c) * 1099511628211ull;
    }
    // Byte 0 is left alone; offsets stay well inside what every platform can lock.
    return 1 + (h & 0x3FFFFFFFull);
}
