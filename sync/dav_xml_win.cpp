// Multistatus bodies read with XmlLite, the system's XML reader: no document type processed, no
// outside resource resolved. xmllite.dll is loaded by name (the MinGW toolchain has no import
// library for it). The reader's nodes become the element tree the common reading walks
// (sync/dav_xml.cpp).
#include <windows.h>
#include <objbase.h>
#include <shlwapi.h>
#include <xmllite.h>

#include <cstring>
#include <string>
#include <vector>

#include "sync/dav_xml.h"
#include "base/win/wide_text.h"

namespace {
constexpr int kMaxDepth = 64;

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

bool ReadAttributes(IXmlReader* reader, DavXmlElement* e) {
    HRESULT hr = reader->MoveToFirstAttribute();
    for (; hr == S_OK; hr = reader->MoveToNextAttribute()) {
        const wchar_t *local = nullptr, *uri = nullptr, *value = nullptr;
        UINT valueLength = 0;
        if (FAILED(reader->GetLocalName(&local, nullptr)) || FAILED(reader->GetNamespaceUri(&uri, nullptr)) ||
            FAILED(reader->GetValue(&value, &valueLength)))
            return false;
        if (uri && !uri[0] && std::wcscmp(local, L"name") == 0) e->nameAttr = NarrowOf(CP_UTF8, std::wstring_view(value, valueLength));
    }
    return SUCCEEDED(hr) && SUCCEEDED(reader->MoveToElement());
}

// The whole document as a tree under root; false when it is not well formed.
bool ReadTree(IXmlReader* reader, DavXmlElement* root) {
    std::vector<DavXmlElement*> open;  // the elements begun and not yet ended, innermost last
    bool rootSeen = false;
    XmlNodeType type;
    HRESULT hr;
    while ((hr = reader->Read(&type)) == S_OK) {
        switch (type) {
        case XmlNodeType_Element: {
            if (open.empty() && rootSeen) return false;
            DavXmlElement e;
            const wchar_t *local = nullptr, *uri = nullptr;
            UINT localLength = 0, uriLength = 0;
            if (FAILED(reader->GetLocalName(&local, &localLength)) || FAILED(reader->GetNamespaceUri(&uri, &uriLength)))
                return false;
            e.name = NarrowOf(CP_UTF8, std::wstring_view(local, localLength));
            e.ns = NarrowOf(CP_UTF8, std::wstring_view(uri, uriLength));
            bool empty = reader->IsEmptyElement();
            if (!ReadAttributes(reader, &e)) return false;
            DavXmlElement* placed;
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
            open.back()->text += NarrowOf(CP_UTF8, std::wstring_view(value, length));
            break;
        }
        default:
            break;
        }
    }
    return hr == S_FALSE && rootSeen && open.empty();
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
    DavXmlElement root;
    return ReadTree(reader.p, &root) && MultistatusOfTree(root, out);
}
