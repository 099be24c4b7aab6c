#include "sync/dav_xml.h"

#include <cstdlib>
#include <cstring>

namespace {
const char kDav[] = "DAV:";
const char kCalDav[] = "urn:ietf:params:xml:ns:caldav";
const char kCalendarServer[] = "http://calendarserver.org/ns/";

bool Is(const DavXmlElement& e, const char* ns, const char* name) { return e.ns == ns && e.name == name; }

// All the text inside an element. The properties read here hold either text or elements, never
// both, so their order does not matter.
void AppendText(const DavXmlElement& e, std::string* out) {
    *out += e.text;
    for (const DavXmlElement& c : e.children) AppendText(c, out);
}

std::string TextOf(const DavXmlElement& e) {
    std::string out;
    AppendText(e, &out);
    return out;
}

std::string Trimmed(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r\n"), b = s.find_last_not_of(" \t\r\n");
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

void ReadProp(const DavXmlElement& prop, DavResource* r) {
    for (const DavXmlElement& p : prop.children) {
        if (Is(p, kDav, "getetag")) {
            r->etag = Trimmed(TextOf(p));
        } else if (Is(p, kCalDav, "calendar-data")) {
            r->hasCalendarData = true;
            r->calendarData = TextOf(p);
        } else if (Is(p, kDav, "resourcetype")) {
            for (const DavXmlElement& t : p.children) {
                if (Is(t, kDav, "collection")) r->isCollection = true;
                if (Is(t, kCalDav, "calendar")) r->isCalendar = true;
            }
        } else if (Is(p, kCalDav, "supported-calendar-component-set")) {
            for (const DavXmlElement& c : p.children)
                if (Is(c, kCalDav, "comp") && !c.nameAttr.empty()) r->components.push_back(c.nameAttr);
        } else if (Is(p, kCalendarServer, "getctag")) {
            r->ctag = Trimmed(TextOf(p));
        } else if (Is(p, kDav, "sync-token")) {
            r->syncToken = Trimmed(TextOf(p));
        }
    }
}

DavResource ReadResponse(const DavXmlElement& response) {
    DavResource r;
    int found = 0, other = 0;
    for (const DavXmlElement& n : response.children) {
        if (Is(n, kDav, "href")) {
            r.href = Trimmed(TextOf(n));
        } else if (Is(n, kDav, "status")) {
            r.status = DavStatusCode(Trimmed(TextOf(n)));
        } else if (Is(n, kDav, "propstat")) {
            int status = 0;
            const DavXmlElement* prop = nullptr;
            for (const DavXmlElement& c : n.children) {
                if (Is(c, kDav, "status")) status = DavStatusCode(Trimmed(TextOf(c)));
                if (Is(c, kDav, "prop")) prop = &c;
            }
            if (status >= 200 && status < 300) {
                found = status;
                if (prop) ReadProp(*prop, &r);
            } else if (!other) {
                other = status;
            }
        }
    }
    if (!r.status) r.status = found ? found : other;
    return r;
}
}  // namespace

int DavStatusCode(const std::string& statusLine) {
    // "HTTP/1.1 200 OK"
    size_t space = statusLine.find(' ');
    if (space == std::string::npos) return 0;
    return std::atoi(statusLine.c_str() + space + 1);
}

bool MultistatusOfTree(const DavXmlElement& root, DavMultistatus* out) {
    *out = DavMultistatus{};
    if (!Is(root, kDav, "multistatus")) return false;
    for (const DavXmlElement& n : root.children) {
        if (Is(n, kDav, "response")) out->resources.push_back(ReadResponse(n));
        else if (Is(n, kDav, "sync-token")) out->syncToken = Trimmed(TextOf(n));
    }
    return true;
}
