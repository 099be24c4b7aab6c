#include "sync/caldav_requests.h"

#include <cstdlib>

namespace {
const char kXml[] = "application/xml; charset=utf-8";

std::string XmlEscaped(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

HttpRequest Xml(const char* method, const std::string& url, const char* depth, std::string body) {
    HttpRequest r;
    r.method = method;
    r.url = url;
    r.headers = {{"Content-Type", kXml}, {"Depth", depth}};
    r.body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + std::move(body);
    return r;
}
}  // namespace

HttpRequest CollectionPropfind(const std::string& url) {
    return Xml("PROPFIND", url, "0",
               "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" "
               "xmlns:cs=\"http://calendarserver.org/ns/\"><d:prop><d:resourcetype/>"
               "<c:supported-calendar-component-set/><cs:getctag/><d:sync-token/></d:prop></d:propfind>");
}

HttpRequest MemberEtagsPropfind(const std::string& url) {
    return Xml("PROPFIND", url, "1",
               "<d:propfind xmlns:d=\"DAV:\"><d:prop><d:resourcetype/><d:getetag/></d:prop></d:propfind>");
}

HttpRequest SyncCollectionReport(const std::string& url, const std::string& token) {
    return Xml("REPORT", url, "0",
               "<d:sync-collection xmlns:d=\"DAV:\"><d:sync-token>" + XmlEscaped(token) +
                   "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop></d:sync-collection>");
}

HttpRequest MultigetReport(const std::string& url, const std::vector<std::string>& hrefs) {
    std::string body = "<c:calendar-multiget xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
                       "<d:prop><d:getetag/><c:calendar-data/></d:prop>";
    for (const std::string& h : hrefs) body += "<d:href>" + XmlEscaped(h) + "</d:href>";
    body += "</c:calendar-multiget>";
    return Xml("REPORT", url, "1", std::move(body));
}

HttpRequest PutEvent(const std::string& url, const std::string& ics, const std::string& etag) {
    HttpRequest r;
    r.method = "PUT";
    r.url = url;
    r.headers = {{"Content-Type", "text/calendar; charset=utf-8"}};
    if (etag.empty()) r.headers.push_back({"If-None-Match", "*"});
    else r.headers.push_back({"If-Match", etag});
    r.body = ics;
    return r;
}

HttpRequest DeleteEvent(const std::string& url, const std::string& etag) {
    HttpRequest r;
    r.method = "DELETE";
    r.url = url;
    r.headers = {{"If-Match", etag.empty() ? "*" : etag}};
    return r;
}

HttpRequest GetEvent(const std::string& url) {
    HttpRequest r;
    r.method = "GET";
    r.url = url;
    return r;
}

std::string PathOfUrl(const std::string& url) {
    size_t scheme = url.find("://");
    if (scheme == std::string::npos) return url;
    size_t slash = url.find('/', scheme + 3);
    return slash == std::string::npos ? "/" : url.substr(slash);
}

std::string UrlOfHref(const std::string& base, const std::string& href) {
    size_t scheme = base.find("://");
    size_t slash = scheme == std::string::npos ? std::string::npos : base.find('/', scheme + 3);
    std::string origin = slash == std::string::npos ? base : base.substr(0, slash);
    // An href naming another server is taken as a path on ours: the password goes nowhere else.
    if (href.find("://") != std::string::npos) return origin + PathOfUrl(href);
    if (!href.empty() && href[0] == '/') return origin + href;
    std::string dir = base.substr(0, base.rfind('/') + 1);
    return dir + href;
}

std::string NormalHref(const std::string& href) {
    std::string path = PathOfUrl(href), out;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '%' && i + 2 < path.size()) {
            char hex[3] = {path[i + 1], path[i + 2], 0};
            char* end = nullptr;
            long v = std::strtol(hex, &end, 16);
            if (end == hex + 2) {
                out += static_cast<char>(v);
                i += 2;
                continue;
            }
        }
        out += path[i];
    }
    return out;
}
