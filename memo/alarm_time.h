// Times of day inside memo lines (9:30, １５：００): what counts, the first one, sorting by them.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "config/app_state.h"

// > 0: length of the time at p; < 0: skip that many bytes; 0: no time here, go on at the next
// character (a double-byte character is skipped whole, never entered at its trail byte).
int ScanTime(const char* p, int* hour, int* minute);
// Minutes after midnight of the first time in line, or -1.
int FindTime(const char* line);
// Whether a memo is put in time order when it is stored: "ALARM" and "ALARM_MEMO_SORT" on.
inline bool SortsMemosByTime(const Settings& settings) { return settings.alarm && settings.alarmMemoSort; }
// The text with its lines in time order; nothing when no line moved.
std::optional<std::string> SortMemoByTime(std::string_view text);
// The date memo the alarms and the tray tip use.
std::string AlarmTextOfDate(int year, int month, int day);
