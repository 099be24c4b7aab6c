#include "app/alarm_rules.h"

#include <cstdio>
#include <cstring>

#include "base/sjis.h"
#include "calendar/civil_date.h"
#include "memo/alarm_time.h"
#include "memo/countdown.h"
#include "memo/tag_words.h"

namespace {
// Minutes after midnight of a bound, or -1 when it is open.
int BoundValue(int hour, int minute) { return hour < 0 || minute < 0 ? -1 : hour * 60 + minute; }

bool HasTimeIn(const char* begin, const char* end, int low, int high) {
    std::string line(begin, end);  // ScanTime reads up to a terminating zero
    const char* p = line.c_str();
    while (*p) {
        int hour, minute;
        int n = ScanTime(p, &hour, &minute);
        if (n > 0) {
            int v = hour * 60 + minute;
            if ((low < 0 || v >= low) && (high < 0 || v <= high)) return true;
            p += n;
        } else {
            p += n < 0 ? -n : SjisCharLength(p);
        }
    }
    return false;
}

void Accumulate(std::string* result, const char* begin, const char* end) {
    if (!result->empty()) result->append("\r\n");
    result->append(begin, end);
}
}  // namespace

void MatchAlarmLines(const char* text, int lowHour, int lowMinute, int highHour, int highMinute,
                     bool linesMode, std::string* result) {
    if (!text) return;
    int low = BoundValue(lowHour, lowMinute), high = BoundValue(highHour, highMinute);
    const char* end = text + std::strlen(text);
    if (!linesMode) {
        if (HasTimeIn(text, end, low, high)) Accumulate(result, text, end);
        return;
    }
    for (const char* line = text; line <= end;) {
        const char* stop = std::strstr(line, "\r\n");
        if (!stop) stop = end;
        if (HasTimeIn(line, stop, low, high)) Accumulate(result, line, stop);
        line = stop + 2;
    }
}

bool IsDayAlarmDue(bool firstRun, int alarmStartup, const char* startupTimes, int hour, int minute) {
    if (firstRun && alarmStartup) return true;
    char now[8];
    std::snprintf(now, sizeof now, "%02d:%02d", hour, minute);
    for (const char* p = startupTimes; p && *p;) {
        const char* comma = std::strchr(p, ',');
        size_t n = comma ? static_cast<size_t>(comma - p) : std::strlen(p);
        if (n == 5 && std::strncmp(p, now, 5) == 0) return true;
        if (!comma) break;
        p = comma + 1;
    }
    return false;
}

bool ComposeDayAlarm(const std::tm& now, const AppState& app,
                     const char countdownForm[kCountdownFormFields][kCountdownFormSlot],
                     AlarmNotice* notice) {
    std::string text = AlarmTextOfDate(now.tm_year + 1900, now.tm_mon + 1, now.tm_mday);
    const Settings& s = app.settings;
    if (s.alarmCdown) {
        // The countdown lines end in CR LF themselves: an empty line comes before the memo. They
        // count from the day the alarm is for, like the memo beside them.
        std::string joined =
            CountdownAlarmText(LocalDayNumber(now), s.alarmCdownDay, s.alarmCdownPast != 0, countdownForm);
        if (!joined.empty()) {
            if (!text.empty()) joined.append("\r\n").append(text);
            text = std::move(joined);
        }
    }
    RemoveTagWords(g_tags, text.data());
    text.resize(std::strlen(text.c_str()));
    if (text.empty()) return false;
    char caption[64];
    std::snprintf(caption, sizeof caption, "%d/%d(%s)", now.tm_mon + 1, now.tm_mday,
                  HeadLabel(app.design, now.tm_wday));
    notice->text = std::move(text);
    notice->caption = caption;
    return true;
}

std::tm AddMinutes(const std::tm& time, int minutes) {
    std::tm t = time;
    t.tm_min += minutes;
    t.tm_isdst = -1;
    std::mktime(&t);
    return t;
}

namespace {
// To the minute, as alarm times count.
bool EarlierMinute(const std::tm& a, const std::tm& b) {
    auto key = [](const std::tm& t) {
        return ((((static_cast<long long>(t.tm_year) * 12 + t.tm_mon) * 31 + t.tm_mday) * 24 + t.tm_hour) * 60) + t.tm_min;
    };
    return key(a) < key(b);
}
}  // namespace

bool ComposeTimeAlarm(const std::tm& now, std::tm* reference, const Settings& settings, AlarmNotice* notice) {
    std::tm w = AddMinutes(now, settings.alarmTime);
    // After the look-ahead was shortened: every line up to the reference has been announced, and
    // the reference waits until the window passes it.
    if (EarlierMinute(w, *reference)) return false;
    // The minute after the reference time; past 23:59 that is 24:00, which no time reaches.
    int lowHour = reference->tm_hour, lowMinute = reference->tm_min + 1;
    if (lowMinute > 59) lowMinute = 0, ++lowHour;
    bool lines = settings.alarmShow == AlarmShow::kTimedLines;
    std::string result;
    auto take = [&](const std::tm& date, int h1, int m1, int h2, int m2) {
        std::string text = AlarmTextOfDate(date.tm_year + 1900, date.tm_mon + 1, date.tm_mday);
        MatchAlarmLines(text.c_str(), h1, m1, h2, m2, lines, &result);
    };
    if (w.tm_mday != reference->tm_mday) {
        take(*reference, lowHour, lowMinute, -1, -1);
        take(w, 0, 0, w.tm_hour, w.tm_min);
    } else {
        take(w, lowHour, lowMinute, w.tm_hour, w.tm_min);
    }
    *reference = w;
    RemoveTagWords(g_tags, result.data());
    result.resize(std::strlen(result.c_str()));
    if (result.empty()) return false;
    char caption[64];
    std::snprintf(caption, sizeof caption, "%d/%d %02d:%02d", now.tm_mon + 1, now.tm_mday, now.tm_hour, now.tm_min);
    notice->text = std::move(result);
    notice->caption = caption;
    return true;
}

int NextMinuteTimerDelay(const std::tm& reference) { return 61000 - reference.tm_sec * 1000; }
