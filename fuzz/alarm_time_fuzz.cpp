// Times inside memo lines: ScanTime at every byte of a text, FindTime of every line, the lines
// sorted by their times, and the start-up alarm times of the configuration. The sort gives the
// same lines, those with a time in the order of their times (equal ones as they were), those
// without in their own order; it says "nothing moved" only when nothing had to.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "config/app_state.h"
#include "config/settings.h"
#include "fuzz_common.h"
#include "memo/alarm_time.h"

namespace {
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    for (;;) {
        size_t end = text.find('\n', at);
        std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        lines.push_back(line);
        if (end == std::string::npos) break;
        at = end + 1;
        if (at == text.size()) break;
    }
    return lines;
}

// The sorted text: its lines joined by CR LF, an empty last one included.
std::vector<std::string> Joined(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) lines.push_back(text.substr(at, end - at));
    lines.push_back(text.substr(at));
    return lines;
}

bool IsDigit(const char* p) {
    return (*p >= '0' && *p <= '9') || (p[0] == '\x82' && p[1] >= '\x4F' && p[1] <= '\x58');
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    int outSize = in.ConsumeIntegralInRange(1, 100);
    std::string times = in.ConsumeRandomLengthString(300);
    // A memo text: CR only before LF.
    std::string bytes = in.ConsumeRemainingBytesAsString(), text;
    for (size_t i = 0; i < bytes.size() && bytes[i]; ++i)
        if (bytes[i] != '\r' || bytes[i + 1] == '\n') text += bytes[i];

    for (size_t at = 0; at < text.size(); ++at) {
        int hour = -1, minute = -1;
        int r = ScanTime(text.c_str() + at, &hour, &minute);
        FUZZ_CHECK(r <= static_cast<int>(text.size() - at) && -r <= static_cast<int>(text.size() - at),
                   "ScanTime went %d bytes past the end", r);
        if (r > 0) {
            FUZZ_CHECK(hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59, "time %d:%d", hour, minute);
            FUZZ_CHECK(IsDigit(text.c_str() + at), "a time that starts with no digit");
        }
    }

    std::vector<std::string> lines = Lines(text);
    std::vector<int> keys;
    for (const std::string& line : lines) {
        int t = line.empty() ? -1 : FindTime(line.c_str());
        FUZZ_CHECK(t >= -1 && t < 24 * 60, "FindTime %d", t);
        keys.push_back(t);
    }
    g_app.settings.alarm = 1;
    g_app.settings.alarmMemoSort = 1;
    std::optional<std::string> sorted = SortMemoByTime(text.c_str());
    std::vector<std::string> got = sorted ? Joined(*sorted) : lines;
    // The expected order: the lines with a time, stably by time, in the places of the first
    // ones; those without keep their order.
    std::vector<size_t> order(lines.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::vector<size_t> timed;
    for (size_t i = 0; i < lines.size(); ++i)
        if (keys[i] >= 0) timed.push_back(i);
    std::vector<size_t> byTime = timed;
    std::stable_sort(byTime.begin(), byTime.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    bool moved = byTime != timed;
    if (lines.size() >= 2) {
        std::vector<std::string> gotTimed, gotUntimed, wantTimed, wantUntimed;
        FUZZ_CHECK(got.size() == lines.size(), "%zu lines sorted into %zu", lines.size(), got.size());
        for (const std::string& line : got) (line.empty() || FindTime(line.c_str()) < 0 ? gotUntimed : gotTimed).push_back(line);
        for (size_t i : byTime) wantTimed.push_back(lines[i]);
        for (size_t i = 0; i < lines.size(); ++i)
            if (keys[i] < 0) wantUntimed.push_back(lines[i]);
        FUZZ_CHECK(gotTimed == wantTimed, "the lines with a time are out of order");
        FUZZ_CHECK(gotUntimed == wantUntimed, "the lines without a time moved among themselves");
    }
    FUZZ_CHECK(sorted || !moved, "lines out of time order left unsorted");

    // ALARM_STARTUP_TIME: "" or "HH:MM[,HH:MM...]" within its field.
    char out[100];
    std::memset(out, 0x55, sizeof out);
    NormaliseStartupTimes(times.c_str(), out, outSize);
    size_t len = strnlen(out, static_cast<size_t>(outSize));
    FUZZ_CHECK(len < static_cast<size_t>(outSize), "the times fill their field without an end");
    for (size_t i = static_cast<size_t>(outSize); i < sizeof out; ++i) FUZZ_CHECK(out[i] == 0x55, "written past the field");
    for (size_t i = 0; i < len; i += 6) {
        int h = (out[i] - '0') * 10 + (out[i + 1] - '0'), m = (out[i + 3] - '0') * 10 + (out[i + 4] - '0');
        FUZZ_CHECK(len >= i + 5 && out[i + 2] == ':' && (i + 5 == len || out[i + 5] == ',') && h >= 0 && h <= 23 &&
                       m >= 0 && m <= 59,
                   "startup times \"%s\"", out);
    }
    return 0;
}
