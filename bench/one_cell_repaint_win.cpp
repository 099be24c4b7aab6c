// Painting the layered window under Wine: a full paint of a six-row month with four memo lines in
// every cell, against the repaint of one cell that a keystroke in a quick memo causes, in one run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "app/process_state.h"
#include "base/win/handles.h"
#include "bench/bench_clock.h"
#include "calendar/holiday_rules.h"
#include "config/design.h"
#include "config/file_names.h"
#include "config/profile_access.h"
#include "config/profile_store.h"
#include "config/settings.h"
#include "memo/countdown.h"
#include "memo/working_text.h"
#include "render/paint.h"
#include "view/view_layout.h"

namespace {
double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

HWND MakeWindow(int width, int height) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TesselBench";
    RegisterClassA(&wc);
    return CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW, "TesselBench", "bench", WS_POPUP, 100, 100, width,
                           height, nullptr, nullptr, wc.hInstance, nullptr);
}

double TimePaint(HWND hwnd, const RECT& clip) {
    PaintRect rect = {clip.left, clip.top, clip.right, clip.bottom};
    WindowDC dc(hwnd);
    double t0 = BenchSeconds();
    PaintWindow(PaintRequest{hwnd, dc.get(), rect, rect}, g_app, PaintContext{});
    return BenchSeconds() - t0;
}
}  // namespace

int main() {
    PainterSession painter;
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    std::string dir = std::string(base) + "tessel_paint_bench_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    ResetProcessState();
    FormDataFileNames(kLayeredEdition, (dir + "\\bench.ini").c_str(), "", '\\', &g_files);
    SetConfigPath(g_files.configPath);

    // August 2026 starts on a Saturday: six rows. Four memo lines in every cell on show.
    std::string memos = "[7]\r\n";
    for (int d = 26; d <= 31; ++d) memos += std::to_string(d) + "=会議 10:00\x7F" "打ち合わせ\x7F" "歯医者\x7F" "買い物\r\n";
    memos += "[8]\r\n";
    for (int d = 1; d <= 31; ++d) memos += std::to_string(d) + "=会議 10:00\x7F" "打ち合わせ\x7F" "歯医者\x7F" "買い物\r\n";
    memos += "[9]\r\n";
    for (int d = 1; d <= 5; ++d) memos += std::to_string(d) + "=会議 10:00\x7F" "打ち合わせ\x7F" "歯医者\x7F" "買い物\r\n";
    char path[300];
    YearMemoPath(g_files, 2026, path, sizeof path);
    FILE* f = std::fopen(path, "wb");
    if (!f) return 1;
    std::fputs(memos.c_str(), f);
    std::fclose(f);

    ReadSettings(&g_app);
    ReadDesign(&g_app);
    SetWorkingText("");
    LayoutInputs in = CurrentLayoutInputs();
    in.now = {};
    in.now.tm_year = 126;
    in.now.tm_mon = 7;
    in.now.tm_mday = 15;
    in.now.tm_hour = 12;
    in.now = NormaliseDate(in.now);
    BuildLayout(&g_app, in);
    HWND hwnd = MakeWindow(g_app.layout.winWidth, g_app.layout.winHeight);
    if (!hwnd) {
        std::printf("could not make a layered window\n");
        return 1;
    }
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);  // as the calendar is: shown
    std::printf("one_cell_repaint: %d rows, %zu cells, window %dx%d\n", g_app.layout.rowCount, g_view.cells.size(),
                g_app.layout.winWidth, g_app.layout.winHeight);

    RECT all = {0, 0, g_app.layout.winWidth, g_app.layout.winHeight};
    const CellRect& c = g_view.cells[17];
    RECT one = {c.left, c.top, c.right, c.bottom};
    TimePaint(hwnd, all);  // the back buffer is made once
    RECT none = {0, 0, 0, 0};
    std::vector<double> full, cell, nothing;
    for (int i = 0; i < 15; ++i) {
        full.push_back(TimePaint(hwnd, all));
        cell.push_back(TimePaint(hwnd, one));
        nothing.push_back(TimePaint(hwnd, none));
    }
    double fullTime = Median(full), cellTime = Median(cell), pushTime = Median(nothing);
    DestroyWindow(hwnd);
    ReleasePaintCache();
    ReleaseViewModel();
    DeleteFileA(path);
    DeleteFileA(g_files.configPath);
    RemoveDirectoryA(dir.c_str());

    std::printf("  full paint:      %8.2f ms (median of %zu)\n", fullTime * 1e3, full.size());
    std::printf("  one-cell repaint:%8.2f ms\n", cellTime * 1e3);
    std::printf("  nothing to draw: %8.2f ms\n", pushTime * 1e3);
    std::printf("TIME full_paint_ms %.2f\n", fullTime * 1e3);
    std::printf("RATIO one_cell_repaint %.1f\n", fullTime / cellTime);
    return 0;
}
