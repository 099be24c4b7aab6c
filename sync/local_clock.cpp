#include "sync/local_clock.h"

#include "calendar/civil_date.h"

namespace {
constexpr long long kDay = 86400;
constexpr long long kCycleDays = 28 * 365 + 7;  // 28 years with seven leap days

// The sync converts on its worker thread beside the window's: each thread its own result.
const std::tm* RuntimeLocalTime(const std::time_t* t) {
    thread_local std::tm out;
#ifdef _WIN32
    return localtime_s(&out, t) == 0 ? &out : nullptr;
#else
    return localtime_r(t, &out);
#endif
}
}  // namespace

void UtcToLocalClock(long long utc, int* day, int* seconds, LocalTimeOf localTimeOf) {
    if (!localTimeOf) localTimeOf = RuntimeLocalTime;
    // A day of slack before 2038 for the zone's offset: the runtime never sees 2038 local time.
    const long long latest = (DayNumberOf(2037, 12, 31) - 1) * kDay;
    long long cycles = utc > latest ? (utc - latest + kCycleDays * kDay - 1) / (kCycleDays * kDay) : 0;
    std::time_t t = static_cast<std::time_t>(utc - cycles * kCycleDays * kDay);
    const std::tm* local = localTimeOf(&t);
    if (!local) {
        long long d = utc >= 0 ? utc / kDay : -((-utc + kDay - 1) / kDay);
        *day = static_cast<int>(d);
        *seconds = static_cast<int>(utc - d * kDay);
        return;
    }
    *day = DayNumberOf(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday) +
           static_cast<int>(cycles * kCycleDays);
    *seconds = local->tm_hour * 3600 + local->tm_min * 60 + local->tm_sec;
}
