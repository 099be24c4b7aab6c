// The texts the tray icon shows: its tooltip, and any text cut to what the shell's fields hold.
#pragma once
#include <ctime>
#include <string>

#include "config/app_state.h"

// "month/day(weekday label)", then CR LF and today's memo (at most 223 bytes, tag words taken
// out) when there is one; one line (CR and LF as blanks) below shell version 5.
std::string TrayTooltipText(const std::tm& today, const Design& design, int shellVersion);

// A text for a field of size bytes, its terminating zero included: whole when it fits, else cut
// on a character boundary to size - 4 bytes and "..." appended.
std::string ShortenForShell(const std::string& text, int size);
