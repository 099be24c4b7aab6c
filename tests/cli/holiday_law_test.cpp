// Japan's days off from 2051 to 2099 worked out here from the national holiday law alone, with
// nothing of the calendar's own code: dates and weekdays from the C library's 64-bit time, the
// equinox days from the sun's position (the law names the days of the equinoxes), substitute
// and citizens' holidays by the law's articles. The companion must print the same from the
// shipped holiday file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>

#include "tests/cli/holidays_cli_run.h"

namespace {
// Days since 1970-01-01 of a date, and back, by the C library.
long Date(int y, int m, int d) {
    std::tm t{};
    t.tm_year = y - 1900, t.tm_mon = m - 1, t.tm_mday = d, t.tm_hour = 12;
    return static_cast<long>(timegm(&t) / 86400);
}
std::tm Civil(long day) {
    std::time_t t = static_cast<std::time_t>(day) * 86400 + 43200;
    std::tm out{};
    gmtime_r(&t, &out);
    return out;
}
bool IsSunday(long day) { return Civil(day).tm_wday == 0; }
// The n-th Monday of the month.
long NthMonday(int y, int m, int n) {
    long first = Date(y, m, 1);
    return first + (8 - Civil(first).tm_wday) % 7 + 7 * (n - 1);
}

// The instant of the March or September equinox in Terrestrial Time, as a Julian day: the mean
// instant of the year and the periodic terms of the sun's motion (within about a minute; the
// astronomers' low-precision method for the years 2000 to 3000).
double EquinoxJulianDay(int y, bool september) {
    static const double kTerms[24][3] = {
        {485, 324.96, 1934.136}, {203, 337.23, 32964.467}, {199, 342.08, 20.186},  {182, 27.85, 445267.112},
        {156, 73.14, 45036.886}, {136, 171.52, 22518.443}, {77, 222.54, 65928.934}, {74, 296.72, 3034.906},
        {70, 243.58, 9037.513},  {58, 119.81, 33718.147},  {52, 297.17, 150.678},   {50, 21.02, 2281.226},
        {45, 247.54, 29929.562}, {44, 325.15, 31555.956},  {29, 60.93, 4443.417},   {18, 155.12, 67555.328},
        {17, 288.79, 4562.452},  {16, 198.04, 62894.029},  {14, 199.76, 31436.921}, {12, 95.39, 14577.848},
        {12, 287.11, 31931.756}, {12, 320.81, 34777.259},  {9, 227.73, 1222.114},   {8, 15.45, 16859.074}};
    const double kRad = M_PI / 180;
    double t = (y - 2000) / 1000.0;
    double mean = september ? 2451810.21715 + 365242.01767 * t - 0.11575 * t * t + 0.00337 * t * t * t +
                                  0.00078 * t * t * t * t
                            : 2451623.80984 + 365242.37404 * t + 0.05169 * t * t - 0.00411 * t * t * t -
                                  0.00057 * t * t * t * t;
    double c = (mean - 2451545.0) / 36525;
    double w = (35999.373 * c - 2.47) * kRad;
    double lambda = 1 + 0.0334 * std::cos(w) + 0.0007 * std::cos(2 * w);
    double s = 0;
    for (const auto& term : kTerms) s += term[0] * std::cos((term[1] + term[2] * c) * kRad);
    return mean + 0.00001 * s / lambda;
}

// The day of the equinox in Japan (UTC + 9): Terrestrial Time less the predicted ΔT.
long EquinoxDay(int y, bool september) {
    double t = y - 2000;  // ΔT in seconds as predicted for 2005-2050 and 2050-2150
    double deltaT = y < 2050 ? 62.92 + 0.32217 * t + 0.005589 * t * t
                             : -20 + 32 * std::pow((y - 1820) / 100.0, 2) - 0.5628 * (2150 - y);
    double japan = EquinoxJulianDay(y, september) - deltaT / 86400 + 9.0 / 24;
    double sinceEpoch = japan - 2440587.5;  // days since 1970-01-01 00:00
    // Far enough from midnight that the minute or so of error cannot change the day.
    double fraction = sinceEpoch - std::floor(sinceEpoch);
    EXPECT_GT(std::fmin(fraction, 1 - fraction) * 1440, 2.0) << y << (september ? " September" : " March");
    return static_cast<long>(std::floor(sinceEpoch));
}


// The days off of year y under the law as it stands, "YYYY-MM-DD<TAB>name" lines in date order.
std::string DaysOffByLaw(int y) {
    // Article 2: the national holidays.
    std::map<long, std::string> holidays = {
        {Date(y, 1, 1), Utf8(u8"元日")},           {NthMonday(y, 1, 2), Utf8(u8"成人の日")},
        {Date(y, 2, 11), Utf8(u8"建国記念の日")},  {Date(y, 2, 23), Utf8(u8"天皇誕生日")},
        {EquinoxDay(y, false), Utf8(u8"春分の日")}, {Date(y, 4, 29), Utf8(u8"昭和の日")},
        {Date(y, 5, 3), Utf8(u8"憲法記念日")},     {Date(y, 5, 4), Utf8(u8"みどりの日")},
        {Date(y, 5, 5), Utf8(u8"こどもの日")},     {NthMonday(y, 7, 3), Utf8(u8"海の日")},
        {Date(y, 8, 11), Utf8(u8"山の日")},        {NthMonday(y, 9, 3), Utf8(u8"敬老の日")},
        {EquinoxDay(y, true), Utf8(u8"秋分の日")},  {NthMonday(y, 10, 2), Utf8(u8"スポーツの日")},
        {Date(y, 11, 3), Utf8(u8"文化の日")},      {Date(y, 11, 23), Utf8(u8"勤労感謝の日")}};
    EXPECT_EQ(holidays.size(), 16u) << y;
    std::map<long, std::string> off = holidays;
    for (const auto& [date, name] : holidays) {
        // Article 3.2: a holiday on a Sunday gives the nearest following day that is none.
        if (IsSunday(date)) {
            long next = date + 1;
            while (holidays.count(next)) ++next;
            off.emplace(next, Utf8(u8"振替休日"));
        }
        // Article 3.3: a day between two holidays that is none itself.
        long between = date + 1;
        if (!holidays.count(between) && holidays.count(between + 1) && !IsSunday(between))
            off.emplace(between, Utf8(u8"国民の休日"));
    }
    std::string text;
    for (const auto& [date, name] : off) {
        std::tm t = Civil(date);
        char line[40];
        std::snprintf(line, sizeof line, "%04d-%02d-%02d\t", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
        text += line + name + "\n";
    }
    return text;
}
}  // namespace

// The method agrees with the observatory's published days (2024: 20 March and 22 September).
TEST(HolidayLaw, EquinoxDaysByTheSunAsPublished) {
    EXPECT_EQ(EquinoxDay(2024, false), Date(2024, 3, 20));
    EXPECT_EQ(EquinoxDay(2024, true), Date(2024, 9, 22));
    EXPECT_EQ(EquinoxDay(2025, true), Date(2025, 9, 23));
    EXPECT_EQ(EquinoxDay(2027, false), Date(2027, 3, 21));
}

TEST(HolidayLaw, TheShippedRulesGiveTheDaysOffOf2051To2099) {
    TempFolder dir;
    UseShipped(dir);
    for (int y = 2051; y <= 2099; ++y) {
        CliOutput r = Cli(dir, "holidays " + std::to_string(y));
        EXPECT_EQ(r.code, 0) << y;
        EXPECT_EQ(r.out, DaysOffByLaw(y)) << y;
    }
}
