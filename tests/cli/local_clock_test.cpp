// The local date and time of imported events past 2037, as a runtime whose time is 32 bits
// wide would leave them: it is asked only about instants it can hold, and summer time still falls
// on the days today's rules give (New York's, worked out independently).
#include "sync/local_clock.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "calendar/civil_date.h"

namespace {
// std::localtime as a runtime with a 32-bit time_t has it: nothing from 19 January 2038 on.
const std::tm* LocalTimeOf32Bits(const std::time_t* t) {
    if (*t > INT_MAX || *t < INT_MIN) return nullptr;
    return std::localtime(t);
}

long long Utc(int y, int mo, int d, int h, int mi, int s = 0) {
    return static_cast<long long>(DayNumberOf(y, mo, d)) * 86400 + h * 3600 + mi * 60 + s;
}

// "YYYY-MM-DD HH:MM:SS" of what UtcToLocalClock gives.
std::string Local(long long utc, LocalTimeOf localTimeOf) {
    int day = 0, seconds = 0;
    UtcToLocalClock(utc, &day, &seconds, localTimeOf);
    int y, m, d;
    DateOfDayNumber(day, &y, &m, &d);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", y, m, d, seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

class LocalClock : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* tz = std::getenv("TZ");
        hadZone_ = tz != nullptr;
        if (tz) zone_ = tz;
        setenv("TZ", "America/New_York", 1);
        tzset();
    }
    void TearDown() override {
        if (hadZone_) setenv("TZ", zone_.c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }
    bool hadZone_ = false;
    std::string zone_;
};
}  // namespace

TEST_F(LocalClock, InstantsPast2038ThroughARuntimeOf32Bits) {
    struct Case {
        long long utc;
        const char* local;
    };
    const Case cases[] = {
        {Utc(2026, 7, 1, 13, 0), "2026-07-01 09:00:00"},
        {Utc(2038, 1, 19, 3, 14, 8), "2038-01-18 22:14:08"},  // one second past 32 bits
        {Utc(2099, 3, 8, 6, 59), "2099-03-08 01:59:00"},      // summer time begins
        {Utc(2099, 3, 8, 7, 0), "2099-03-08 03:00:00"},
        {Utc(2099, 7, 1, 13, 0), "2099-07-01 09:00:00"},
        {Utc(2099, 11, 1, 5, 59), "2099-11-01 01:59:00"},     // and ends
        {Utc(2099, 11, 1, 6, 0), "2099-11-01 01:00:00"},
        {Utc(2099, 12, 31, 23, 30), "2099-12-31 18:30:00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Local(c.utc, LocalTimeOf32Bits), c.local);
        EXPECT_EQ(Local(c.utc, nullptr), c.local);  // the runtime's own
    }
}
