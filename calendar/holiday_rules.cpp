#include "calendar/holiday_rules.h"

namespace {
int g_ruleCount;
}

// The rule table is still empty: no rule is read from the file yet.
int LoadHolidayRules(const char*) {
    g_ruleCount = 0;
    return g_ruleCount;
}
void ReleaseHolidayRules() { g_ruleCount = 0; }
int HolidayRuleCount() { return g_ruleCount; }
