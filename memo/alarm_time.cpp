#include "memo/alarm_time.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/sjis.h"
#include "config/app_state.h"
#include "memo/memo_store.h"

int ScanTime(const char* p, int* hour, int* minute) {
    const unsigned char* s = reinterpret_cast<const unsigned char*>(p);
    int at = 0, number = 0, digits = 0, h = 0;
    bool minutePhase = false;
    for (;;) {
        int len = 0, value = -1;
        if (s[at] >= '0' && s[at] <= '9') { value = s[at] - '0'; len = 1; }
        else if (s[at] == 0x82 && s[at + 1] >= 0x4F && s[at + 1] <= 0x58) { value = s[at + 1] - 0x4F; len = 2; }
        if (value >= 0) {
            // Three digits are never an hour or a minute: counting on is enough, and no long run
            // of digits can overflow the number.
            if (digits < 3) {
                number = number * 10 + value;
                ++digits;
            }
            at += len;
            continue;
        }
        if (minutePhase) {
            if (digits != 2 || number > 59) return -at;
            if (hour) *hour = h;
            if (minute) *minute = number;
            return at;
        }
        int colon = s[at] == ':' ? 1 : (s[at] == 0x81 && s[at + 1] == 0x46) ? 2 : 0;
        if (!colon || digits < 1 || digits > 2 || number > 23) return -at;
        h = number;
        number = digits = 0;
        minutePhase = true;
        at += colon;
    }
}

int FindTime(const char* line) {
    int at = 0;
    while (line[at]) {
        int h, m;
        int r = ScanTime(line + at, &h, &m);
        if (r > 0) return h * 60 + m;
        at += r < 0 ? -r : SjisCharLength(line + at);
    }
    return -1;
}

std::optional<std::string> SortMemoByTime(std::string_view text) {
    if (!g_app.settings.alarm || !g_app.settings.alarmMemoSort) return std::nullopt;
    std::vector<std::string_view> lines = SplitTextLines(text);
    size_t n = lines.size();
    if (n < 2) return std::nullopt;
    // Each line's time as a key; the line and its key travel together.
    std::vector<std::pair<int, std::string_view>> keyed;
    for (std::string_view line : lines) keyed.emplace_back(line.empty() ? -1 : FindTime(std::string(line).c_str()), line);
    bool moved = false;
    for (size_t i = 1; i < n; ++i) {
        int k = keyed[i].first;
        if (k < 0) continue;
        bool passedKeyed = false;
        for (size_t j = 0; j < i; ++j) {
            if (keyed[j].first > k || (keyed[j].first < 0 && passedKeyed)) {
                std::rotate(keyed.begin() + static_cast<std::ptrdiff_t>(j), keyed.begin() + static_cast<std::ptrdiff_t>(i),
                            keyed.begin() + static_cast<std::ptrdiff_t>(i) + 1);
                moved = true;
                break;
            }
            if (keyed[j].first >= 0) passedKeyed = true;
        }
    }
    if (!moved) return std::nullopt;
    std::string out;
    for (size_t i = 0; i < n; ++i) {
        if (i) out += "\r\n";
        out += keyed[i].second;
    }
    return out;
}

std::string AlarmTextOfDate(int year, int month, int day) { return ReadMemo(year, month, day); }
