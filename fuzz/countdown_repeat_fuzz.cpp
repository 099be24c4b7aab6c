// Countdown memos and repeat rules from any common memo file: loaded, sorted, formatted with a
// fuzzed countdown form for the window, the alarm and the drawing, saved and loaded again; the
// repeat rules listed, saved, loaded again and one run as a series near the last year.
// What SaveCountdowns and SaveRepeatList write loads back equal (a text less the blanks at its
// end); every text ends within its field.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "calendar/calendar_years.h"
#include "calendar/civil_date.h"
#include "fuzz_common.h"
#include "memo/countdown.h"
#include "memo/repeat.h"
#include "memo/undo_journal.h"
#include "view/countdown_lines.h"

namespace {
template <size_t N>
bool Ends(const char (&field)[N]) {
    return strnlen(field, N) < N;
}

struct Kept {
    int year, month, day;
    std::string text;
    bool operator==(const Kept&) const = default;
};

// The memos as a file keeps them: a text loses the blanks at its end, as every stored value does
// (a cut, or a lead byte that lost its second byte, may leave some there).
std::vector<Kept> KeptMemos() {
    std::vector<Kept> kept;
    for (const CountdownMemo& m : g_countdowns.memos) {
        std::string text = m.text;
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
        kept.push_back({m.year, m.month, m.day, text});
    }
    return kept;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    int today = in.ConsumeIntegralInRange(FirstCalendarDay(), LastCalendarDay());
    int maxDays = in.ConsumeIntegral<int>();
    bool includePast = in.ConsumeBool();
    int startDay = in.ConsumeIntegralInRange(1, 31);
    std::string form;  // a value of the configuration file: no line ends
    for (char c : in.ConsumeRandomLengthString(300))
        if (c != '\r' && c != '\n') form += c;
    FreshDataFiles();
    ResetUndoJournal();
    PutFile(g_files.memoPath, in.ConsumeRemainingBytesAsString());

    ResetCountdowns();
    ApplyCountdownForm(form.c_str(), g_countdowns.form);
    for (const auto& slot : g_countdowns.form) FUZZ_CHECK(Ends(slot), "a form slot without its end");

    int count = LoadCountdowns(g_files.memoPath);
    FUZZ_CHECK(count == CountdownCount(), "count");
    for (const CountdownMemo& memo : g_countdowns.memos) FUZZ_CHECK(Ends(memo.text), "a countdown text without its end");
    std::vector<Kept> loaded = KeptMemos();
    SortCountdowns();
    auto daysTo = [&](const CountdownMemo& c) { return DayOffset(c.year, c.month, c.day, today); };
    for (int i = 1; i < count; ++i)
        FUZZ_CHECK(daysTo(g_countdowns.memos[i - 1]) <= daysTo(g_countdowns.memos[i]), "unsorted at %d", i);
    for (CountdownMemo& memo : g_countdowns.memos) {
        char date[kCountdownDateTextSize], part[kCountdownTextSize];
        FormatCountdownDate(memo, g_countdowns.form, date);
        FormatCountdownText(memo, g_countdowns.form, part);
        char number[64];
        FormatCountdownNumber(daysTo(memo), g_countdowns.form, number, sizeof number);
        FUZZ_CHECK(Ends(date) && Ends(part) && Ends(number), "a formatted piece without its end");
    }
    std::vector<CountdownLine> lines = LayCountdownLines(g_countdowns.memos, g_countdowns.form, today, 0, 100, 15, 24);
    FUZZ_CHECK(lines.size() == g_countdowns.memos.size(), "%zu lines of %d memos", lines.size(), count);
    if (std::string text = CountdownAlarmText(today, maxDays, includePast, g_countdowns.form); !text.empty()) {
        size_t lines = 0;
        for (size_t at = 0, end; at < text.size(); at = end + 2, ++lines) {
            end = text.find("\r\n", at);
            FUZZ_CHECK(end != std::string::npos && end - at <= 255, "an alarm line of %zu bytes", end - at);
        }
        FUZZ_CHECK(lines <= static_cast<size_t>(count), "%zu alarm lines of %d memos", lines, count);
    }

    // Saved and loaded again: the same memos in the same order.
    std::vector<Kept> sorted = KeptMemos();
    FUZZ_CHECK(SaveCountdowns(), "save failed");
    LoadCountdowns(g_files.memoPath);
    std::vector<Kept> back = KeptMemos();
    if (back != sorted) {
        for (const Kept& k : sorted) std::fprintf(stderr, "saved  %d,%d,%d,\"%s\"\n", k.year, k.month, k.day, k.text.c_str());
        for (const Kept& k : back) std::fprintf(stderr, "loaded %d,%d,%d,\"%s\"\n", k.year, k.month, k.day, k.text.c_str());
    }
    FUZZ_CHECK(back == sorted, "countdowns loaded back otherwise");
    (void)loaded;

    RepeatList list;
    int rules = LoadRepeatList(g_files.memoPath, &list);
    FUZZ_CHECK(rules == list.count && rules >= 0 && rules <= kRepeatListMax, "%d repeat rules", rules);
    for (int i = 0; i < rules; ++i) {
        char text[48];
        std::memset(text, 0x55, sizeof text);
        FormatRepeatRule(list.rules[i], text, 40);
        FUZZ_CHECK(strnlen(text, 40) < 40 && text[40] == 0x55, "rule text past its field");
    }
    FUZZ_CHECK(SaveRepeatList(g_files.memoPath, list), "save failed");
    RepeatList again;
    LoadRepeatList(g_files.memoPath, &again);
    FUZZ_CHECK(again.count == list.count &&
                   std::memcmp(again.rules, list.rules, sizeof(RepeatRule) * static_cast<size_t>(list.count)) == 0,
               "repeat rules loaded back otherwise");
    if (rules > 0) {
        // Near the end of the last year, so that any rule ends within a few dozen days.
        RepeatOutcome outcome = RunRepeatSeries(kLastCalendarYear, 12, startDay, "\x81\x9B", list.rules[0]);
        FUZZ_CHECK(outcome == kRepeatFinished, "series outcome %d", outcome);
    }
    ReleaseCountdowns();
    return 0;
}
