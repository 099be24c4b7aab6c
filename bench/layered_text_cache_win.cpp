// The layered edition's kept text runs under Wine, in one run: a full paint with the kept runs
// emptied before it against the same paint with them as the paint before left them; and a full
// paint of September 2026, emptied, against the paint of October after it, whose day numbers,
// weekday head and buttons were drawn before and whose memo lines were not (both months take five
// rows, so the window keeps its size).
#include <cstdio>
#include <string>

#include "bench/paint_bench_win.h"
#include "render/layered/run_cache_win.h"

namespace {
// Lines of their own for each day, short enough that the cells show what sets them apart. The
// days both September's and October's views show (27 September to 3 October) have none, so that
// every memo line October shows is new to the kept runs.
std::string MemoOfItsOwn(int month, int day) {
    if ((month == 9 && day >= 27) || (month == 10 && day <= 3)) return "";
    std::string date = std::to_string(month) + "/" + std::to_string(day);
    return date + " 10:00\x7F" + date + "会議\x7F" + date + "歯医者\x7F" + date + "買い物";
}

double FullPaint(HWND hwnd) { return TimePaint(hwnd, RECT{0, 0, g_app.layout.winWidth, g_app.layout.winHeight}); }
}  // namespace

int main() {
    PainterSession painter;
    std::string folder;
    HWND hwnd = PrepareBenchMonth("tessel_text_cache_bench", &folder, MemoOfItsOwn);
    if (!hwnd) {
        std::printf("could not make the month or a layered window\n");
        return 1;
    }
    std::printf("layered_text_cache: %d rows, %zu cells, window %dx%d\n", g_app.layout.rowCount, g_view.cells.size(),
                g_app.layout.winWidth, g_app.layout.winHeight);
    FullPaint(hwnd);  // fonts, brushes and images are made once, as at the calendar's start
    std::vector<double> cold, warm;
    RunCacheCounts filled = {};
    for (int i = 0; i < 15; ++i) {
        EmptyRunCache();
        cold.push_back(FullPaint(hwnd));
        filled = RunCacheStatistics();
        warm.push_back(FullPaint(hwnd));
    }

    LayOutBenchMonth(1);
    int width = g_app.layout.winWidth, height = g_app.layout.winHeight;
    SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    FullPaint(hwnd);  // the images at the window's new size
    std::vector<double> september, october;
    RunCacheCounts before = {}, after = {};
    for (int i = 0; i < 15; ++i) {
        LayOutBenchMonth(1);
        EmptyRunCache();
        september.push_back(FullPaint(hwnd));
        LayOutBenchMonth(2);
        before = RunCacheStatistics();
        october.push_back(FullPaint(hwnd));
        after = RunCacheStatistics();
    }
    bool sameSize = g_app.layout.winWidth == width && g_app.layout.winHeight == height;
    RemoveBenchMonth(hwnd, folder);
    std::printf("  August, emptied:            %8.2f ms (median of 15; %zu runs drawn, %zu KB kept)\n",
                Median(cold) * 1e3, filled.misses, filled.bytes / 1024);
    std::printf("  August again:               %8.2f ms\n", Median(warm) * 1e3);
    std::printf("  September, emptied:         %8.2f ms (%zu runs drawn)\n", Median(september) * 1e3, before.misses);
    std::printf("  October after September:    %8.2f ms (%zu runs kept before, %zu new)\n", Median(october) * 1e3,
                after.hits - before.hits, after.misses - before.misses);
    if (!sameSize) {
        std::printf("October's window is not September's size: no month step\n");
        return 1;
    }
    std::printf("RATIO layered_warm_paint %.1f\n", Median(cold) / Median(warm));
    std::printf("RATIO layered_month_step %.1f\n", Median(september) / Median(october));
    return 0;
}
