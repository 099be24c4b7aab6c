// Painting the layered window under Wine: a full paint of a six-row month with four memo lines in
// every cell, against the repaint of one cell that a keystroke in a quick memo causes, in one run.
#include "bench/paint_bench_win.h"

int main() {
    PainterSession painter;
    std::string folder;
    HWND hwnd = PrepareBenchMonth("tessel_paint_bench", &folder);
    if (!hwnd) {
        std::printf("could not make the month or a layered window\n");
        return 1;
    }
    std::printf("one_cell_repaint: %d rows, %zu cells, window %dx%d\n", g_app.layout.rowCount, g_view.cells.size(),
                g_app.layout.winWidth, g_app.layout.winHeight);
    PaintTimes t = TimePaints(hwnd);
    RemoveBenchMonth(hwnd, folder);
    std::printf("  full paint:      %8.2f ms (median of 15)\n", t.full * 1e3);
    std::printf("  one-cell repaint:%8.2f ms\n", t.cell * 1e3);
    std::printf("  nothing to draw: %8.2f ms\n", t.nothing * 1e3);
    std::printf("TIME full_paint_ms %.2f\n", t.full * 1e3);
    std::printf("RATIO one_cell_repaint %.1f\n", t.full / t.cell);
    return 0;
}
