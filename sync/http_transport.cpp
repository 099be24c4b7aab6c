#include "sync/http_transport.h"

#include <cctype>
#include <cstring>

namespace {
bool SameName(const std::string& a, const char* b) {
    size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The host of an absolute URL after its scheme ("[::1]" keeps its brackets), without port.
std::string HostOf(const std::string& rest) {
    size_t end = rest.find_first_of("/?#");
    std::string authority = rest.substr(0, end);
    if (size_t at = authority.rfind('@'); at != std::string::npos) authority.erase(0, at + 1);
    if (!authority.empty() && authority[0] == '[') return authority.substr(0, authority.find(']') + 1);
    return authority.substr(0, authority.find(':'));
}

bool IsLoopback(const std::string& host) {
    if (host == "localhost" || host == "[::1]") return true;
    // 127.0.0.0/8 written as four decimal numbers
    if (host.rfind("127.", 0) != 0) return false;
    int dots = 0;
    for (char c : host) {
        if (c == '.') ++dots;
        else if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    return dots == 3;
}
}  // namespace

const std::string* HttpResponse::Header(const char* name) const {
    for (const HttpHeader& h : headers)
        if (SameName(h.name, name)) return &h.value;
    return nullptr;
}

bool SyncUrlAllowed(const std::string& url, std::string* why) {
    std::string lower = Lower(url);
    if (lower.rfind("https://", 0) == 0 && !HostOf(lower.substr(8)).empty()) return true;
    if (lower.rfind("http://", 0) == 0) {
        if (IsLoopback(HostOf(lower.substr(7)))) return true;
        *why = "暗号化されない http:// はこのパソコンの中 (127.0.0.1、localhost) にだけ使えます。https:// の URL にしてください";
        return false;
    }
    *why = "URL は https:// で始めてください";
    return false;
}
