// Time zones by name: the rules read from the system's zone files against the C library's own
// reading of the same files, and the table built into the Windows companion against the files
// it was generated from.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "calendar/civil_date.h"
#include "sync/zone_names.h"
#include "sync/zone_rules.h"
#include "sync/zone_table.h"

namespace {
// The C library's reading of a zone, with TZ set while it lives.
class LibraryZone {
  public:
    explicit LibraryZone(const char* zone) : old_(std::getenv("TZ") ? std::getenv("TZ") : "") {
        setenv("TZ", zone, 1);
        tzset();
    }
    ~LibraryZone() {
        setenv("TZ", old_.c_str(), 1);
        tzset();
    }
    int OffsetAt(long long utc) const {
        std::time_t t = static_cast<std::time_t>(utc);
        std::tm local;
        localtime_r(&t, &local);
        return static_cast<int>(local.tm_gmtoff);
    }

  private:
    std::string old_;
};

long long At(int y, int m, int d, int h = 0) { return static_cast<long long>(DayNumberOf(y, m, d)) * 86400 + h * 3600; }
}  // namespace

TEST(ZoneRules, OffsetsAgreeWithTheCLibraryFrom1970To2099) {
    // Zones with summer time in both hemispheres, changed rules, half hours, and none at all.
    for (const char* name : {"America/New_York", "Europe/Berlin", "Australia/Sydney", "America/Santiago",
                             "Asia/Tehran", "Asia/Kolkata", "Asia/Tokyo", "Africa/Casablanca", "Pacific/Chatham",
                             "America/Sao_Paulo", "Europe/Moscow", "Pacific/Apia", "Asia/Jerusalem"}) {
        ZoneRules zone;
        ASSERT_TRUE(LoadDatabaseZone(name, &zone)) << name;
        LibraryZone library(name);
        int mismatches = 0;
        // Every 13 hours steps through every hour of the day over the years.
        for (long long t = At(1970, 1, 1); t < At(2100, 1, 1) && mismatches < 5; t += 13 * 3600) {
            int want = library.OffsetAt(t);
            if (OffsetAt(zone, t) != want) {
                ++mismatches;
                ADD_FAILURE() << name << " at " << t << ": " << OffsetAt(zone, t) << " want " << want;
            }
        }
    }
}

TEST(ZoneRules, WallClockTimesBecomeTheInstantsTheyName) {
    ZoneRules ny;
    ASSERT_TRUE(LoadDatabaseZone("America/New_York", &ny));
    EXPECT_EQ(WallToUtc(ny, At(2026, 7, 4, 9)), At(2026, 7, 4, 13));   // EDT
    EXPECT_EQ(WallToUtc(ny, At(2026, 1, 15, 9)), At(2026, 1, 15, 14)); // EST
    // 2:30 on 8 March 2026 does not exist: read with the offset before the change (EST).
    EXPECT_EQ(WallToUtc(ny, At(2026, 3, 8, 2) + 1800), At(2026, 3, 8, 7) + 1800);
    // 1:30 on 1 November 2026 happens twice: the first (EDT).
    EXPECT_EQ(WallToUtc(ny, At(2026, 11, 1, 1) + 1800), At(2026, 11, 1, 5) + 1800);
    EXPECT_EQ(WallToUtc(ny, At(2090, 7, 4, 9)), At(2090, 7, 4, 13));  // by the rule after the last change
}

TEST(ZoneNames, PrefixedQuotedAndWindowsNamesFindTheirZones) {
    ZoneRules a, b;
    ASSERT_TRUE(LoadDatabaseZone("America/New_York", &a));
    for (const char* name : {"America/New_York", "/mozilla.org/20070129_1/America/New_York",
                             "/softwarestudio.org/Olson_20011030_5/America/New_York", "Eastern Standard Time",
                             "eastern standard time", "\"America/New_York\"", "US/Eastern"}) {
        ASSERT_TRUE(FindNamedZone(name, &b)) << name;
        EXPECT_EQ(OffsetAt(b, At(2026, 7, 4)), -4 * 3600) << name;
        EXPECT_EQ(OffsetAt(b, At(2026, 1, 4)), -5 * 3600) << name;
    }
    ASSERT_TRUE(FindNamedZone("/freeassociation.sourceforge.net/Tzfile/Europe/Berlin", &b));
    EXPECT_EQ(OffsetAt(b, At(2026, 7, 4)), 2 * 3600);
    ASSERT_TRUE(FindNamedZone("Tokyo Standard Time", &b));
    EXPECT_EQ(OffsetAt(b, At(2026, 7, 4)), 9 * 3600);
    EXPECT_STREQ(DatabaseNameOfWindowsZone("W. Europe Standard Time"), "Europe/Berlin");
    // Nothing outside the zone files is read, and what is not a zone is none.
    for (const char* name : {"Eastern", "", "/", "../../../etc/passwd", "/etc/passwd", "zone.tab", "America",
                             "localtime", "right/Asia/Tokyo/../../../etc/hostname", "Mars/Olympus_Mons"})
        EXPECT_FALSE(FindNamedZone(name, &b)) << name;
}

TEST(ZoneTable, TheBuiltInTableHoldsEveryZoneAsItsFileHasIt) {
    ASSERT_GT(kBuiltInZoneNameCount, 300);
    for (int i = 0; i < kBuiltInZoneNameCount; ++i) {
        const char* name = kBuiltInZoneNames[i].name;
        if (i) {
            ASSERT_LT(std::string(kBuiltInZoneNames[i - 1].name), name);  // sorted for the search
        }
        ZoneRules table, file;
        ASSERT_TRUE(LoadBuiltInZone(name, &table)) << name;
        ASSERT_TRUE(LoadDatabaseZone(name, &file)) << name;
        EXPECT_EQ(table.initialOffset, file.initialOffset) << name;
        EXPECT_EQ(table.changes, file.changes) << name;
        EXPECT_EQ(table.offsets, file.offsets) << name;
        EXPECT_EQ(table.future, file.future) << name;
    }
    ZoneRules none;
    EXPECT_FALSE(LoadBuiltInZone("Asia/Nowhere", &none));
    // Every Windows name leads to a zone the table holds.
    for (int i = 0; i < kWindowsZoneNameCount; ++i) EXPECT_TRUE(LoadBuiltInZone(kWindowsZoneNames[i].database, &none))
        << kWindowsZoneNames[i].windows;
}
