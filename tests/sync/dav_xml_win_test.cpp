// The multistatus reader on Windows (XmlLite): bodies as CalDAV servers write them, with other
// prefixes, CDATA and entities, removed members, and bodies it must refuse.
#include <gtest/gtest.h>

#include <string>

#include "sync/dav_xml.h"

namespace {
// Bodies come in UTF-8 whatever this file's literals are.
std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

const char kCollection[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<multistatus xmlns=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:caldav\" xmlns:CS=\"http://calendarserver.org/ns/\">"
    "<response><href>/user/cal/</href>"
    "<propstat><prop><resourcetype><collection/><C:calendar/></resourcetype>"
    "<C:supported-calendar-component-set><C:comp name=\"VEVENT\"/><C:comp name=\"VTODO\"/>"
    "</C:supported-calendar-component-set>"
    "<CS:getctag>\"ctag-7\"</CS:getctag><sync-token>http://radicale.org/ns/sync/abc</sync-token></prop>"
    "<status>HTTP/1.1 200 OK</status></propstat>"
    "<propstat><prop><displayname/></prop><status>HTTP/1.1 404 Not Found</status></propstat>"
    "</response></multistatus>";
}  // namespace

TEST(XmlLiteMultistatus, ReadsTheCollectionsTypeComponentsCtagAndToken) {
    DavMultistatus ms;
    ASSERT_TRUE(ParseMultistatus(kCollection, &ms));
    ASSERT_EQ(ms.resources.size(), 1u);
    const DavResource& r = ms.resources[0];
    EXPECT_EQ(r.href, "/user/cal/");
    EXPECT_EQ(r.status, 200);
    EXPECT_TRUE(r.isCollection);
    EXPECT_TRUE(r.isCalendar);
    ASSERT_EQ(r.components.size(), 2u);
    EXPECT_EQ(r.components[0], "VEVENT");
    EXPECT_EQ(r.components[1], "VTODO");
    EXPECT_EQ(r.ctag, "\"ctag-7\"");
    EXPECT_EQ(r.syncToken, "http://radicale.org/ns/sync/abc");
}

// Prefixes are the server's choice; what counts is the namespace. Calendar data keeps its
// Japanese text, entities and CDATA read as text; its line ends come as XML gives them (LF).
TEST(XmlLiteMultistatus, ReadsMembersWithTheirEtagAndCalendarDataWhateverThePrefixes) {
    std::string body =
        "<d:multistatus xmlns:d=\"DAV:\" xmlns:cal=\"urn:ietf:params:xml:ns:caldav\">"
        "<d:response><d:href>/cal/a%20b.ics</d:href><d:propstat><d:prop>"
        "<d:getetag> \"e1\" </d:getetag>"
        "<cal:calendar-data>BEGIN:VCALENDAR\r\nSUMMARY:" + U8(u8"会議 &amp; 昼食") + "\r\n<![CDATA[X-A:<b>]]>\r\nEND:VCALENDAR\r\n"
        "</cal:calendar-data></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>"
        "<d:response><d:href>/cal/gone.ics</d:href><d:status>HTTP/1.1 404 Not Found</d:status></d:response>"
        "<d:sync-token>token-2</d:sync-token></d:multistatus>";
    DavMultistatus ms;
    ASSERT_TRUE(ParseMultistatus(body, &ms));
    ASSERT_EQ(ms.resources.size(), 2u);
    EXPECT_EQ(ms.resources[0].href, "/cal/a%20b.ics");
    EXPECT_EQ(ms.resources[0].status, 200);
    EXPECT_EQ(ms.resources[0].etag, "\"e1\"");
    EXPECT_TRUE(ms.resources[0].hasCalendarData);
    EXPECT_EQ(ms.resources[0].calendarData,
              "BEGIN:VCALENDAR\nSUMMARY:" + U8(u8"会議 & 昼食") + "\nX-A:<b>\nEND:VCALENDAR\n");
    EXPECT_FALSE(ms.resources[0].isCollection);
    EXPECT_EQ(ms.resources[1].href, "/cal/gone.ics");
    EXPECT_EQ(ms.resources[1].status, 404);
    EXPECT_FALSE(ms.resources[1].hasCalendarData);
    EXPECT_EQ(ms.syncToken, "token-2");
}

TEST(XmlLiteMultistatus, AMemberWhosePropertiesWereNotFoundKeepsThatStatus) {
    std::string body =
        "<multistatus xmlns=\"DAV:\"><response><href>/cal/x.ics</href><propstat><prop><getetag/></prop>"
        "<status>HTTP/1.1 404 Not Found</status></propstat></response></multistatus>";
    DavMultistatus ms;
    ASSERT_TRUE(ParseMultistatus(body, &ms));
    ASSERT_EQ(ms.resources.size(), 1u);
    EXPECT_EQ(ms.resources[0].status, 404);
    EXPECT_TRUE(ms.resources[0].etag.empty());
}

TEST(XmlLiteMultistatus, RefusesWhatIsNoWellFormedMultistatus) {
    DavMultistatus ms;
    ms.syncToken = "left over";
    std::string whole = kCollection;
    EXPECT_FALSE(ParseMultistatus(whole.substr(0, whole.size() - 20), &ms));  // cut off mid-way
    EXPECT_TRUE(ms.resources.empty());
    EXPECT_TRUE(ms.syncToken.empty());
    EXPECT_FALSE(ParseMultistatus("", &ms));
    EXPECT_FALSE(ParseMultistatus("<html><body>Service Unavailable</body></html>", &ms));
    EXPECT_FALSE(ParseMultistatus("<multistatus/>", &ms));  // not in DAV:
    EXPECT_FALSE(ParseMultistatus("<multistatus xmlns=\"DAV:\"><response></multistatus>", &ms));
    EXPECT_FALSE(ParseMultistatus("<multistatus xmlns=\"DAV:\"/><multistatus xmlns=\"DAV:\"/>", &ms));
}

// A document type could expand entities without end or fetch files: none is processed.
TEST(XmlLiteMultistatus, RefusesADocumentType) {
    std::string body =
        "<?xml version=\"1.0\"?><!DOCTYPE m [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">"
        "<!ENTITY x SYSTEM \"file:///c:/windows/win.ini\">]>"
        "<multistatus xmlns=\"DAV:\"><response><href>&b;&x;</href></response></multistatus>";
    DavMultistatus ms;
    EXPECT_FALSE(ParseMultistatus(body, &ms));
    EXPECT_TRUE(ms.resources.empty());
}

TEST(XmlLiteMultistatus, ManyMembersAllArrive) {
    std::string body = "<multistatus xmlns=\"DAV:\">";
    for (int i = 0; i < 3000; ++i)
        body += "<response><href>/cal/" + std::to_string(i) + ".ics</href><propstat><prop><getetag>\"" +
                std::to_string(i) + "\"</getetag></prop><status>HTTP/1.1 200 OK</status></propstat></response>";
    body += "</multistatus>";
    DavMultistatus ms;
    ASSERT_TRUE(ParseMultistatus(body, &ms));
    ASSERT_EQ(ms.resources.size(), 3000u);
    EXPECT_EQ(ms.resources[2999].href, "/cal/2999.ics");
    EXPECT_EQ(ms.resources[2999].etag, "\"2999\"");
}
