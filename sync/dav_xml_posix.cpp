// Multistatus bodies read with libxml2: no network, no entity substitution, no DTD loaded. The
// document becomes the element tree the common reading walks (sync/dav_xml.cpp).
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdint>
#include <string>

#include "sync/dav_xml.h"

namespace {
std::string Str(const xmlChar* s) { return s ? reinterpret_cast<const char*>(s) : ""; }

void Gather(const xmlNode* n, DavXmlElement* e) {
    e->ns = n->ns ? Str(n->ns->href) : "";
    e->name = Str(n->name);
    xmlChar* name = xmlGetNoNsProp(n, reinterpret_cast<const xmlChar*>("name"));
    e->nameAttr = Str(name);
    xmlFree(name);
    for (const xmlNode* c = n->children; c; c = c->next) {
        if (c->type == XML_ELEMENT_NODE) {
            e->children.emplace_back();
            Gather(c, &e->children.back());
        } else if (c->type == XML_TEXT_NODE || c->type == XML_CDATA_SECTION_NODE) {
            e->text += Str(c->content);
        }
    }
}
}  // namespace

bool ParseMultistatus(const std::string& body, DavMultistatus* out) {
    *out = DavMultistatus{};
    if (body.size() > static_cast<size_t>(INT32_MAX)) return false;
    xmlDoc* doc = xmlReadMemory(body.data(), static_cast<int>(body.size()), "multistatus.xml", nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!doc) return false;
    const xmlNode* root = xmlDocGetRootElement(doc);
    DavXmlElement tree;
    if (root) Gather(root, &tree);
    xmlFreeDoc(doc);
    return root && MultistatusOfTree(tree, out);
}
