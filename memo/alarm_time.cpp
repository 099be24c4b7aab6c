#include "memo/alarm_time.h"

#include <cstdlib>
#include <cstring>

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

char* SortMemoByTime(const char* text) {
    if (!g_app.settings.alarm || !g_app.settings.alarmMemoSort || !text) return nullptr;
    char* copy = static_cast<char*>(std::malloc(std::strlen(text) + 1));
    std::strcpy(copy, text);
    char** lines = SplitTextLines(copy, 0);
    int n = 0;
    while (lines[n]) ++n;
    char* out = nullptr;
    if (n >= 2) {
        int* keys = static_cast<int*>(std::malloc(sizeof(int) * n));
        for (int i = 0; i < n; ++i) keys[i] = lines[i][0] ? FindTime(lines[i]) : -1;
        bool moved = false;
        for (int i = 1; i < n; ++i) {
            int k = keys[i];
            if (k < 0) continue;
            bool passedKeyed = false;
            for (int j = 0; j < i; ++j) {
                if (keys[j] > k || (keys[j] < 0 && passedKeyed)) {
                    char* line = lines[i];
                    std::memmove(lines + j + 1, lines + j, sizeof(char*) * (i - j));
                    std::memmove(keys + j + 1, keys + j, sizeof(int) * (i - j));
                    lines[j] = line;
                    keys[j] = k;
                    moved = true;
                    break;
                }
                if (keys[j] >= 0) passedKeyed = true;
            }
        }
        if (moved) {
            size_t total = 1;
            for (int i = 0; i < n; ++i) total += std::strlen(lines[i]) + 2;
            out = static_cast<char*>(std::malloc(total));
            size_t o = 0;
            for (int i = 0; i < n; ++i) {
                if (i) { out[o++] = '\r'; out[o++] = '\n'; }
                size_t len = std::strlen(lines[i]);
                std::memcpy(out + o, lines[i], len);
                o += len;
            }
            out[o] = 0;
        }
        std::free(keys);
    }
    std::free(lines);
    std::free(copy);
    return out;
}

char* AlarmTextOfDate(int year, int month, int day, char* buf, int size) {
    return ReadMemo(year, month, day, buf, size);
}
