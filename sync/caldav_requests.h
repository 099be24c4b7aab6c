// The requests the sync sends, built once here: the collection's properties, the changes since a
// sync-token, events fetched in multiget batches, and the conditional PUT and DELETE.
#pragma once
#include <string>
#include <vector>

#include "sync/http_transport.h"

// PROPFIND Depth 0 of the collection: resourcetype, supported components, ctag, sync-token.
HttpRequest CollectionPropfind(const std::string& url);
// PROPFIND Depth 1: the getetag of every member.
HttpRequest MemberEtagsPropfind(const std::string& url);
// REPORT sync-collection from token (empty: everything), asking each member's getetag.
HttpRequest SyncCollectionReport(const std::string& url, const std::string& token);
// REPORT calendar-multiget of hrefs, asking getetag and calendar-data.
HttpRequest MultigetReport(const std::string& url, const std::vector<std::string>& hrefs);
// PUT of an event: If-None-Match: * when etag is empty (a new one), else If-Match: etag.
HttpRequest PutEvent(const std::string& url, const std::string& ics, const std::string& etag);
HttpRequest DeleteEvent(const std::string& url, const std::string& etag);
HttpRequest GetEvent(const std::string& url);

// The absolute URL of an href the server gave (a path, or an absolute URL whose path is taken)
// on base's server.
std::string UrlOfHref(const std::string& base, const std::string& href);
// The path of an absolute URL ("https://h/a/b/" gives "/a/b/").
std::string PathOfUrl(const std::string& url);
// An href as a path with its percent escapes decoded, for comparing hrefs written differently.
std::string NormalHref(const std::string& href);
