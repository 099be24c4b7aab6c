// Multistatus bodies read with libxml2: no network, no entity substitution, no DTD loaded.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>
#include <string>

#include "sync/dav_xml.h"


namespace {
const char kDav[] = "DAV:";
const char kCalDav[] = "urn:ietf:params:xml:ns:caldav";
const char kCalendarServer[] = "http://calendarserver.org/ns/";

bool Is(const xmlNode* n, const char* ns, const char* name) {
    return n->type == XML_ELEMENT_NODE && n->ns && n->ns->href &&
           std::strcmp(reinterpret_cast<const char*>(n->ns->href), ns) == 0 &&
           std::strcmp(reinterpret_cast<const char*>(n->name), name) == 0;
}

std::string TextOf(const xmlNode* n) {
    xmlChar* text = xmlNodeGetContent(n);
    std::string out = text ? reinterpret_cast<const char*>(text) : "";
    xmlFree(text);
    return out;
}

std::string Trimmed(std::string s) {
    size_t a = s.find_first_not_of(" \t\r\n"), b = s.find_last_not_of(" \t\r\n");
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

void ReadProp(const xmlNode* prop, DavResource* r) {
    for (const xmlNode* p = prop->children; p; p = p->next) {
        if (Is(p, kDav, "getetag")) {
            r->etag = Trimmed(TextOf(p));
        } else if (Is(p, kCalDav, "calendar-data")) {
            r->hasCalendarData = true;
            r->calendarData = TextOf(p);
        } else if (Is(p, kDav, "resourcetype")) {
            for (const xmlNode* t = p->children; t; t = t->next) {
                if (Is(t, kDav, "collection")) r->isCollection = true;
                if (Is(t, kCalDav, "calendar")) r->isCalendar = true;
            }
        } else if (Is(p, kCalDav, "supported-calendar-component-set")) {
            for (const xmlNode* c = p->children; c; c = c->next) {
                if (!Is(c, kCalDav, "comp")) continue;
                xmlChar* name = xmlGetNoNsProp(c, reinterpret_cast<const xmlChar*>("name"));
                if (name) r->components.emplace_back(reinterpret_cast<const char*>(name));
                xmlFree(name);
            }
        } else if (Is(p, kCalendarServer, "getctag")) {
            r->ctag = Trimmed(TextOf(p));
        } else if (Is(p, kDav, "sync-token")) {
            r->syncToken = Trimmed(TextOf(p));
        }
    }
}

DavResource ReadResponse(const xmlNode* response) {
    DavResource r;
    int found = 0, other = 0;
    for (const xmlNode* n = response->children; n; n = n->next) {
        if (Is(n, kDav, "href")) {
            r.href = Trimmed(TextOf(n));
        } else if (Is(n, kDav, "status")) {
            r.status = DavStatusCode(Trimmed(TextOf(n)));
        } else if (Is(n, kDav, "propstat")) {
            int status = 0;
            const xmlNode* prop = nullptr;
            for (const xmlNode* c = n->children; c; c = c->next) {
                if (Is(c, kDav, "status")) status = DavStatusCode(Trimmed(TextOf(c)));
                if (Is(c, kDav, "prop")) prop = c;
            }
            if (status >= 200 && status < 300) {
                found = status;
                if (prop) ReadProp(prop, &r);
            } else if (!other) {
                other = status;
            }
        }
    }
    if (!r.status) r.status = found ? found : other;
    return r;
}
}  // namespace

bool ParseMultistatus(const std::string& body, DavMultistatus* out) {
    *out = DavMultistatus{};
    if (body.size() > static_cast<size_t>(INT32_MAX)) return false;
    xmlDoc* doc = xmlReadMemory(body.data(), static_cast<int>(body.size()), "multistatus.xml", nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!doc) return false;
    const xmlNode* root = xmlDocGetRootElement(doc);
    bool ok = root && Is(root, kDav, "multistatus");
    if (ok) {
        for (const xmlNode* n = root->children; n; n = n->next) {
            if (Is(n, kDav, "response")) out->resources.push_back(ReadResponse(n));
            else if (Is(n, kDav, "sync-token")) out->syncToken = Trimmed(TextOf(n));
        }
    }
    xmlFreeDoc(doc);
    return ok;
}
