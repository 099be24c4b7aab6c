// What a WebDAV multistatus response (PROPFIND, calendar-query, calendar-multiget,
// sync-collection) holds, as the sync engine reads it. One parse function per platform (XmlLite
// on Windows, libxml2 elsewhere); both promise the same record for the same body, refuse a body
// that is not a well-formed multistatus rather than guess, and never follow external entities.
#pragma once
#include <string>
#include <vector>

// One <response>: a resource or the collection itself.
struct DavResource {
    std::string href;          // as written, percent escapes kept
    int status = 0;            // the response's own status, else that of the propstat holding the
                               // properties asked for (200 when found); 404 for a removed member
    std::string etag;          // getetag, quotes kept (it goes back in If-Match as it came)
    bool hasCalendarData = false;
    std::string calendarData;  // calendar-data text (UTF-8)
    // Properties of a collection, where asked:
    bool isCollection = false;     // resourcetype holds collection
    bool isCalendar = false;       // resourcetype holds calendar
    std::vector<std::string> components;  // supported-calendar-component-set names ("VEVENT")
    std::string ctag;          // getctag (calendarserver.org namespace)
    std::string syncToken;     // sync-token as a property
};

struct DavMultistatus {
    std::vector<DavResource> resources;
    std::string syncToken;  // the multistatus's own sync-token (sync-collection REPORT)
};

// An element of a parsed body as each platform's reader hands it over: namespace and local name,
// its own text (UTF-8, CDATA included), its "name" attribute without namespace, its elements.
struct DavXmlElement {
    std::string ns, name;
    std::string text;
    std::string nameAttr;
    std::vector<DavXmlElement> children;
};

// The multistatus a whole body's element tree holds; false (out empty) when the root is no
// DAV: multistatus. Both readers end here, so both give the same record for the same body.
bool MultistatusOfTree(const DavXmlElement& root, DavMultistatus* out);

// The code of a status line ("HTTP/1.1 404 Not Found" gives 404); 0 when it has none.
int DavStatusCode(const std::string& statusLine);

// False when body is not a multistatus document (or is not well formed); out is then empty.
bool ParseMultistatus(const std::string& body, DavMultistatus* out);
