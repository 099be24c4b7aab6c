#include "sync/dav_xml.h"

#include <cstdlib>
#include <cstring>

int DavStatusCode(const std::string& statusLine) {
    // "HTTP/1.1 200 OK"
    size_t space = statusLine.find(' ');
    if (space == std::string::npos) return 0;
    return std::atoi(statusLine.c_str() + space + 1);
}
