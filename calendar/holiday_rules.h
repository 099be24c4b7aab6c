// The holiday and regular memo rules of the holiday file, held for the whole run.
#pragma once

// Loads the rules of the holiday file; returns how many were loaded.
int LoadHolidayRules(const char* holidayPath);
void ReleaseHolidayRules();
int HolidayRuleCount();
