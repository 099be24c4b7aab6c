#include "memo/countdown.h"

namespace {
int g_countdownCount;
}

// The list is still empty: no countdown memo is read from the file yet.
int LoadCountdowns(const char*) {
    g_countdownCount = 0;
    return g_countdownCount;
}
void ReleaseCountdowns() { g_countdownCount = 0; }
int CountdownCount() { return g_countdownCount; }
