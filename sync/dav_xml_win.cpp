// Multistatus bodies read with XmlLite, the system's XML reader: no document type processed, no
// outside resource resolved. xmllite.dll is loaded by name (the MinGW toolchain has no import
// library for it). The reader's nodes are gathered into a small tree first, then read as the
// POSIX side reads libxml2's.
#include <windows.h>
#include <objbase.h>
#include <shlwapi.h>
#include <xmllite.h>

#include <cstring>
#include <string>
#include <vector>

#include "sync/dav_xml.h"

namespace {
const wchar_t kDav[] = L"DAV:";
const wchar_t kCalDav[] = L"urn:ietf:params:xml:ns:caldav";
const wchar_t kCalendarServer[] = L"http://calendarserver.org/ns/";
constexpr int kMaxDepth = 64;

struct Element {
    std::wstring ns, name;
    std::string text;      // its own text nodes, in order (UTF-8)
    std::string nameAttr;  // the "name" attribute without namespace (supported components)
    std::vector<Element> children;
};

template <typename T>
struct ComRef {
    T* p = nullptr;
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() {
        if (p) p->Release();
    }
};

std::string Utf8(const wchar_t* w, UINT length) {
    if (!w || length == 0) return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, w, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w, static_cast<int>(length), out.data(), n, nullptr, nullptr);
    return out;
}

using CreateReader = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

// Loaded once for the process and kept: parses run on the worker thread as well as the window's.
CreateReader ReaderFactory() {
    static const CreateReader create = [] {
        HMODULE xmllite = LoadLibraryW(L"xmllite.dll");
        return xmllite ? reinterpret_cast<CreateReader>(reinterpret_cast<void*>(GetProcAddress(xmllite, "CreateXmlReader")))
                       : nullptr;
    }();
    return create;
}

bool ReadAttributes(IXmlReader* reader, Element* e) {
    HRESULT hr = reader->MoveToFirstAttribute();
    for (; hr == S_OK; hr = reader->MoveToNextAttribute()) {
        const wchar_t *local = nullptr, *uri = nullptr, *value = nullptr;
        UINT valueLength = 0;
        if (FAILED(reader->GetLocalName(&local, nullptr)) || FAILED(reader->GetNamespaceUri(&uri, nullptr)) ||
            FAILED(reader->GetValue(&value, &valueLength)))
            return false;
        if (uri && !uri[0] && std::wcscmp(local, L"name") == 0) e->nameAttr = Utf8(value, valueLength);
    }
    return SUCCEEDED(hr) && SUCCEEDED(reader->MoveToElement());
}

// The whole document as a tree under root; false when it is not well formed.
bool ReadTree(IXmlReader* reader, Element* root) {
    std::vector<Element*> open;  // the elements begun and not yet ended, innermost last
    bool rootSeen = false;
    XmlNodeType type;
    HRESULT hr;
    while ((hr = reader->Read(&type)) == S_OK) {
        switch (type) {
        case XmlNodeType_Element: {
            if (open.empty() && rootSeen) return false;
            Element e;
            const wchar_t *local = nullptr, *uri = nullptr;
            UINT localLength = 0, uriLength = 0;
            if (FAILED(reader->GetLocalName(&local, &localLength)) || FAILED(reader->GetNamespaceUri(&uri, &uriLength)))
                return false;
            e.name.assign(local, localLength);
            e.ns.assign(uri, uriLength);
            bool empty = reader->IsEmptyElement();
            if (!ReadAttributes(reader, &e)) return false;
            Element* placed;
            if (open.empty()) {
                *root = std::move(e);
                rootSeen = true;
                placed = root;
            } else {
                open.back()->children.push_back(std::move(e));
                placed = &open.back()->children.back();
            }
            if (!empty) open.push_back(placed);
            break;
        }
        case XmlNodeType_EndElement:
            if (open.empty()) return false;
            open.pop_back();
            break;
        case XmlNodeType_Text:
        case XmlNodeType_CDATA:
        case XmlNodeType_Whitespace: {
            if (open.empty()) break;
            const wchar_t* value = nullptr;
            UINT length = 0;
            if (FAILED(reader->GetValue(&value, &length))) return false;
            open.back()->text += Utf8(value, length);
            break;
        }
        default:
            break;
        }
    }
    return hr == S_FALSE && rootSeen && open.empty();
}

bool Is(const Element& e, const wchar_t* ns, const wchar_t* name) { return e.ns == ns && e.name == name; }

// All the text inside an element, its children's included.
void AppendText(const Element& e, std::string* out) {
    // Text and child elements are kept apart; for the properties read here only one of them is
    // there (a text property, or a property of elements).
    *out += e.text;
    for (const Element& c : e.children) AppendText(c, out);
}

std::string TextOf(const Element& e) {
    std::string out;
    AppendText(e, &out);
    return out;
}

std::string Trimmed(std::string s) {
    size_t a = s.find_first_not_of(" \t\r\n"), b = s.find_last_not_of(" \t\r\n");
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

void ReadProp(const Element& prop, DavResource* r) {
    for (const Element& p : prop.children) {
        if (Is(p, kDav, L"getetag")) {
            r->etag = Trimmed(TextOf(p));
        } else if (Is(p, kCalDav, L"calendar-data")) {
            r->hasCalendarData = true;
            r->calendarData = TextOf(p);
        } else if (Is(p, kDav, L"resourcetype")) {
            for (const Element& t : p.children) {
                if (Is(t, kDav, L"collection")) r->isCollection = true;
                if (Is(t, kCalDav, L"calendar")) r->isCalendar = true;
            }
        } else if (Is(p, kCalDav, L"supported-calendar-component-set")) {
            for (const Element& c : p.children)
                if (Is(c, kCalDav, L"comp") && !c.nameAttr.empty()) r->components.push_back(c.nameAttr);
        } else if (Is(p, kCalendarServer, L"getctag")) {
            r->ctag = Trimmed(TextOf(p));
        } else if (Is(p, kDav, L"sync-token")) {
            r->syncToken = Trimmed(TextOf(p));
        }
    }
}

DavResource ReadResponse(const Element& response) {
    DavResource r;
    int found = 0, other = 0;
    for (const Element& n : response.children) {
        if (Is(n, kDav, L"href")) {
            r.href = Trimmed(TextOf(n));
        } else if (Is(n, kDav, L"status")) {
            r.status = DavStatusCode(Trimmed(TextOf(n)));
        } else if (Is(n, kDav, L"propstat")) {
            int status = 0;
            const Element* prop = nullptr;
            for (const Element& c : n.children) {
                if (Is(c, kDav, L"status")) status = DavStatusCode(Trimmed(TextOf(c)));
                if (Is(c, kDav, L"prop")) prop = &c;
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

bool ParseMultistatus(const std::string& body, DavMultistatus* out) {
    *out = DavMultistatus{};
    CreateReader create = ReaderFactory();
    if (!create || body.size() > 0x7FFFFFFFu) return false;
    ComRef<IStream> stream;
    stream.p = SHCreateMemStream(reinterpret_cast<const BYTE*>(body.data()), static_cast<UINT>(body.size()));
    ComRef<IXmlReader> reader;
    if (!stream.p || FAILED(create(__uuidof(IXmlReader), reinterpret_cast<void**>(&reader.p), nullptr))) return false;
    if (FAILED(reader.p->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit)) ||
        FAILED(reader.p->SetProperty(XmlReaderProperty_XmlResolver, 0)) ||
        FAILED(reader.p->SetProperty(XmlReaderProperty_MaxElementDepth, kMaxDepth)) ||
        FAILED(reader.p->SetInput(stream.p)))
        return false;
    Element root;
    if (!ReadTree(reader.p, &root) || !Is(root, kDav, L"multistatus")) return false;
    for (const Element& n : root.children) {
        if (Is(n, kDav, L"response")) out->resources.push_back(ReadResponse(n));
        else if (Is(n, kDav, L"sync-token")) out->syncToken = Trimmed(TextOf(n));
    }
    return true;
}
