// The month the paint benchmarks draw: August 2026 (six rows) with four memo lines in every cell
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
#include "base/win/wide_text.h"
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

// The four lines each day of the August view (26 July to 5 September) shows, as stored (0x7F
// between lines).
inline std::string SameMemoEveryDay(int month, int day) {
    bool shown = (month == 7 && day >= 26) || month == 8 || (month == 9 && day <= 5);
    return shown ? "会議 10:00\x7F" "打ち合わせ\x7F" "歯医者\x7F" "買い物" : "";
}

// Lays out the month of 15 August 2026 moved by monthsOn and keeps the layout.
inline void LayOutBenchMonth(int monthsOn) {
    LayoutInputs in = CurrentLayoutInputs();
    in.now = {};
    in.now.tm_year = 126;
    in.now.tm_mon = 7;
    in.now.tm_mday = 15;
    in.now.tm_hour = 12;
    in.now = NormaliseDate(in.now);
    NavigationState nav = {};
    ResetNavigation(&nav);
    nav.monthOffset = monthsOn;
    KeepLayout(BuildLayout(g_app, nav, in));
}

// Files in a folder of their own, the layout of 15 August 2026, and a shown window of the
// edition's kind at its size. memoOf(month, day) is the memo of each day from 26 July to 31
// October (none where it is empty). Null when something could not be made.
inline HWND PrepareBenchMonth(const char* name, std::string* folder,
                              std::string (*memoOf)(int month, int day) = SameMemoEveryDay) {
    wchar_t base[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, base);
    *folder = Sjis(base) + name + "_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryW(Wide(*folder).c_str(), nullptr);
    ResetProcessState();
    SetEdition(kPainterEdition);
    FormDataFileNames(kPainterEdition, (*folder + "\\bench.ini").c_str(), "", '\\', &g_files);
    SetMemoFiles(g_files);
    SetConfigPath(g_files.configPath);
    std::string memos;
    for (int month = 7; month <= 10; ++month) {
        memos += "[" + std::to_string(month) + "]\r\n";
        int first = month == 7 ? 26 : 1, last = month == 9 ? 30 : 31;
        for (int d = first; d <= last; ++d) {
            std::string memo = memoOf(month, d);
            if (!memo.empty()) memos += std::to_string(d) + "=" + memo + "\r\n";
        }
    }
    char path[300];
    YearMemoPath(g_files, 2026, path, sizeof path);
    FILE* f = OpenFile(path, "wb");
    if (!f) return nullptr;
    std::fputs(memos.c_str(), f);
    std::fclose(f);

    ReadSettings(&g_app);
    ReadDesign(&g_app);
    SetWorkingText("");
    LayOutBenchMonth(0);

    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TesselBench";
    RegisterClassW(&wc);
    DWORD ex = WS_EX_TOOLWINDOW | (kPainterEdition == kLayeredEdition ? WS_EX_LAYERED : 0);
    HWND hwnd = CreateWindowExW(ex, L"TesselBench", L"bench", WS_POPUP, 100, 100, g_app.layout.winWidth,
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
    DeleteFileW(Wide(path).c_str());
    DeleteFileW(Wide(g_files.configPath).c_str());
    std::string lock = folder + "\\tessel.lock";
    DeleteFileW(Wide(lock).c_str());
    RemoveDirectoryW(Wide(folder).c_str());
}
