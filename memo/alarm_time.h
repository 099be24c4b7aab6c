// Times of day inside memo lines (9:30, １５：００): what counts, the first one, sorting by them.
#pragma once
#include <optional>
#include <string>
#include <string_view>

// > 0: length of the time at p; < 0: skip that many bytes; 0: no time here, go on at the next
// character (a double-byte character is skipped whole, never entered at its trail byte).
int ScanTime(const char* p, int* hour, int* minute);
// Minutes after midnight of the first time in line, or -1.
int FindTime(const char* line);
// The text with its lines in time order; nothing when no line moved (or sorting is off).
std::optional<std::string> SortMemoByTime(std::string_view text);
// The date memo the alarms and the tray tip use.
std::string AlarmTextOfDate(int year, int month, int day);
