// The month both paint benchmarks draw: August 2026 (six rows) with four memo lines in every cell
// on show, in a window of the linked painter's edition; and the timing of one paint.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "app/process_state.h"
#include "app/startup.h"
#include "base/win/handles.h"
#include "bench/bench_clock.h"
#include "calendar/civil_date.h"
#include "config/design.h"
#include "config/edition.h"
#include "config/file_names.h"
#include "config/profile_access.h"
#include "config/settings.h"
#include "memo/memo_store.h"
#include "memo/working_text.h"
#include "render/paint.h"
#include "view/view_layout.h"

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Files in a folder of their own, the layout of 15 August 2026, and a shown window of the
// edition's kind at its size. Null when something could not be made.
inline HWND PrepareBenchMonth(const char* name, std::string* folder) {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    *folder = std::string(base) + name + "_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder->c_str(), nullptr);
    ResetProcessState();
    SetEdition(kPainterEdition);
    FormDataFileNames(kPainterEdition, (*folder + "\\bench.ini").c_str(), "", '\\', &g_files);
    SetMemoFiles(g_files);
    SetConfigPath(g_files.configPath);
    const char* lines = "=会議 10:00\x7F" "打ち合わせ\x7F" "歯医者\x7F" "買い物\r\n";
    std::string memos = "[7]\r\n";
    for (int d = 26; d <= 31; ++d) memos += std::to_string(d) + lines;
    memos += "[8]\r\n";
    for (int d = 1; d <= 31; ++d) memos += std::to_string(d) + lines;
    memos += "[9]\r\n";
    for (int d = 1; d <= 5; ++d) memos += std::to_string(d) + lines;
    char path[300];
    YearMemoPath(g_files, 2026, path, sizeof path);
    FILE* f = std::fopen(path, "wb");
    if (!f) return nullptr;
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
    KeepLayout(BuildLayout(g_app, g_nav, in));

    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TesselBench";
    RegisterClassA(&wc);
    DWORD ex = WS_EX_TOOLWINDOW | (kPainterEdition == kLayeredEdition ? WS_EX_LAYERED : 0);
    HWND hwnd = CreateWindowExA(ex, "TesselBench", "bench", WS_POPUP, 100, 100, g_app.layout.winWidth,
                                g_app.layout.winHeight, nullptr, nullptr, wc.hInstance, nullptr);
    if (hwnd) ShowWindow(hwnd, SW_SHOWNOACTIVATE);  // as the calendar is: shown
    return hwnd;
}

// One paint of clip (the pending and the update rectangle alike) onto the window.
inline double TimePaint(HWND hwnd, const RECT& clip) {
    PaintRect rect = {clip.left, clip.top, clip.right, clip.bottom};
    WindowDC dc(hwnd);
    double t0 = BenchSeconds();
    PaintCalendar(PaintRequest{hwnd, dc.get(), rect, rect});
    return BenchSeconds() - t0;
}

struct PaintTimes {
    double full, cell, nothing;
};

// Medians of 15 full paints, repaints of cell 17 and empty repaints, after a first full paint.
inline PaintTimes TimePaints(HWND hwnd) {
    RECT all = {0, 0, g_app.layout.winWidth, g_app.layout.winHeight};
    const CellRect& c = g_view.cells[17];
    RECT one = {c.left, c.top, c.right, c.bottom};
    RECT none = {0, 0, 0, 0};
    TimePaint(hwnd, all);
    std::vector<double> full, cell, nothing;
    for (int i = 0; i < 15; ++i) {
        full.push_back(TimePaint(hwnd, all));
        cell.push_back(TimePaint(hwnd, one));
        nothing.push_back(TimePaint(hwnd, none));
    }
    return {Median(full), Median(cell), Median(nothing)};
}

inline void RemoveBenchMonth(HWND hwnd, const std::string& folder) {
    if (hwnd) DestroyWindow(hwnd);
    ReleasePaintCache();
    char path[300];
    YearMemoPath(g_files, 2026, path, sizeof path);
    DeleteFileA(path);
    DeleteFileA(g_files.configPath);
    std::string lock = folder + "\\tessel.lock";
    DeleteFileA(lock.c_str());
    RemoveDirectoryA(folder.c_str());
}
