// The machine's local date and time of a UTC instant, also for the years after 2037 that a
// runtime with a 32-bit time cannot convert.
#pragma once
#include <ctime>

// The runtime's conversion (std::localtime); tests hand in one that gives up after 2037.
typedef const std::tm* (*LocalTimeOf)(const std::time_t* t);

// The local day number and seconds since local midnight of utc (seconds since 1970 UTC). The
// runtime is asked only about instants up to the end of 2037: a later one is moved back by whole
// 28-year cycles, which repeat the weekdays and leap years up to 2099, so that summer time falls
// on the same days as under today's rules. When the runtime gives up, the time is taken as UTC.
void UtcToLocalClock(long long utc, int* day, int* seconds, LocalTimeOf localTimeOf = nullptr);
