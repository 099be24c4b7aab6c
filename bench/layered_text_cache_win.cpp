// The layered edition's kept text runs under Wine, in one run: a full paint of August 2026 with
// the kept runs emptied before it against the same paint with them as the paint before left them;
// and a full paint of September, emptied, against the paint of October after it, whose day
// numbers, weekday head and buttons were drawn before and whose memo lines were not (both months
// take five rows, so the window keeps its size). Both with four memo lines a day as in the other
// paint benchmarks, each day's its own; then again with the same lines every day of a month (a
// paint draws each of them once and blends it into every cell, emptied or not).
#include <cstdio>
#include <string>

#include "bench/paint_bench_win.h"
#include "render/layered/run_cache_win.h"

namespace {
// The days both September's and October's views show (27 September to 3 October) have no memo,
// so that no memo line October shows was drawn for September.
bool ShownByBoth(int month, int day) { return (month == 9 && day >= 27) || (month == 10 && day <= 3); }

// Four lines a day, the same every day of a month and new in the next; the month comes first,
// where a cell shows it.
std::string LinesOfTheMonth(int month, int day) {
    if (ShownByBoth(month, day)) return "";
    std::string m = std::to_string(month) + "月";
    return m + "会議 10:00\x7F" + m + "打ち合わせ\x7F" + m + "歯医者\x7F" + m + "買い物";
}

// Four lines a day, each day's its own.
std::string LinesOfTheDay(int month, int day) {
    if (ShownByBoth(month, day)) return "";
    std::string date = std::to_string(month) + "/" + std::to_string(day);
    return date + " 10:00\x7F" + date + "会議\x7F" + date + "歯医者\x7F" + date + "買い物";
}

double FullPaint(HWND hwnd) { return TimePaint(hwnd, RECT{0, 0, g_app.layout.winWidth, g_app.layout.winHeight}); }

struct CacheTimes {
    double emptied, again, september, october;  // medians of 15, in seconds
    RunCacheCounts filled, stepped;             // after August emptied; October's own
    bool ok;
};

CacheTimes TimeKeptRuns(std::string (*memoOf)(int, int)) {
    CacheTimes t = {};
    std::string folder;
    HWND hwnd = PrepareBenchMonth("tessel_text_cache_bench", &folder, memoOf);
    if (!hwnd) return t;
    FullPaint(hwnd);  // fonts, brushes and images are made once, as at the calendar's start
    std::vector<double> emptied, again, september, october;
    for (int i = 0; i < 15; ++i) {
        EmptyRunCache();
        emptied.push_back(FullPaint(hwnd));
        t.filled = RunCacheStatistics();
        again.push_back(FullPaint(hwnd));
    }
    LayOutBenchMonth(1);
    int width = g_app.layout.winWidth, height = g_app.layout.winHeight;
    SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    FullPaint(hwnd);  // the images at the window's new size
    for (int i = 0; i < 15; ++i) {
        LayOutBenchMonth(1);
        EmptyRunCache();
        september.push_back(FullPaint(hwnd));
        RunCacheCounts before = RunCacheStatistics();
        LayOutBenchMonth(2);
        october.push_back(FullPaint(hwnd));
        t.stepped = RunCacheStatistics();
        t.stepped.hits -= before.hits;
        t.stepped.misses -= before.misses;
    }
    t.ok = g_app.layout.winWidth == width && g_app.layout.winHeight == height;
    RemoveBenchMonth(hwnd, folder);
    t.emptied = Median(emptied);
    t.again = Median(again);
    t.september = Median(september);
    t.october = Median(october);
    return t;
}

void Report(const char* lines, const CacheTimes& t) {
    std::printf("  %s:\n", lines);
    std::printf("    August, emptied:          %8.2f ms (median of 15; %zu runs drawn, %zu KB kept)\n", t.emptied * 1e3,
                t.filled.misses, t.filled.bytes / 1024);
    std::printf("    August again:             %8.2f ms (%zu runs kept)\n", t.again * 1e3, t.filled.runs);
    std::printf("    September, emptied:       %8.2f ms\n", t.september * 1e3);
    std::printf("    October after September:  %8.2f ms (%zu runs from September's paint, %zu new)\n",
                t.october * 1e3, t.stepped.hits, t.stepped.misses);
}
}  // namespace

int main() {
    PainterSession painter;
    CacheTimes day = TimeKeptRuns(LinesOfTheDay);
    CacheTimes month = TimeKeptRuns(LinesOfTheMonth);
    if (!day.ok || !month.ok) {
        std::printf("could not make the months, a layered window, or October at September's size\n");
        return 1;
    }
    std::printf("layered_text_cache: full paints of August 2026 (six rows), September and October (five)\n");
    Report("four lines a day, each day its own", day);
    Report("four lines a day, the same every day of a month", month);
    std::printf("RATIO layered_warm_paint %.1f\n", day.emptied / day.again);
    std::printf("RATIO layered_month_step %.1f\n", day.september / day.october);
    std::printf("RATIO layered_warm_paint_repeated_lines %.1f\n", month.emptied / month.again);
    std::printf("RATIO layered_month_step_repeated_lines %.1f\n", month.september / month.october);
    return 0;
}
