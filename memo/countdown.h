// The countdown memos of the common memo file, held for the whole run.
#pragma once

// Loads the countdown memos; returns how many were loaded.
int LoadCountdowns(const char* memoPath);
void ReleaseCountdowns();
int CountdownCount();
