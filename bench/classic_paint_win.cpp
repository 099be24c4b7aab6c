// Painting the classic window under Wine, the same month as the layered benchmark: its full
// paint against the layered edition's (run beside it, in the same run), and against the repaint
// of one cell.
#include <cstdlib>
#include <cstring>

#include "bench/paint_bench_win.h"

namespace {
// Runs the layered benchmark beside this program and reads its full paint time; 0 when it fails.
double LayeredFullPaintMs() {
    wchar_t self[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 0;
    std::wstring program(self, length);
    program = program.substr(0, program.find_last_of(L'\\') + 1) + L"bench_one_cell_repaint_win.exe";
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return 0;
    FileHandle reader(readEnd), writer(writeEnd);
    SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writer.get();
    si.hStdError = writer.get();
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    std::wstring command = L"\"" + program + L"\"";
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) return 0;
    FileHandle process(pi.hProcess), thread(pi.hThread);
    writer.reset();
    // Read until the benchmark has ended, not until the pipe closes: a process it starts (the
    // desktop of the session) may keep the pipe's other end.
    std::string out;
    auto drain = [&] {
        DWORD ready = 0, got = 0;
        char chunk[512];
        while (PeekNamedPipe(reader.get(), nullptr, 0, nullptr, &ready, nullptr) && ready > 0 &&
               ReadFile(reader.get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
            out.append(chunk, got);
    };
    for (DWORD waited = 0; waited < 120000; waited += 20) {
        bool ended = WaitForSingleObject(process.get(), 20) == WAIT_OBJECT_0;
        drain();
        if (ended) break;
    }
    std::size_t at = out.find("TIME full_paint_ms ");
    return at == std::string::npos ? 0 : std::atof(out.c_str() + at + std::strlen("TIME full_paint_ms "));
}
}  // namespace

int main() {
    double layered = LayeredFullPaintMs();
    PainterSession painter;
    std::string folder;
    HWND hwnd = PrepareBenchMonth("tessel_classic_bench", &folder);
    if (!hwnd) {
        std::printf("could not make the month or a window\n");
        return 1;
    }
    std::printf("classic_paint: %d rows, %zu cells, window %dx%d\n", g_app.layout.rowCount, g_view.cells.size(),
                g_app.layout.winWidth, g_app.layout.winHeight);
    PaintTimes t = TimePaints(hwnd);
    // The same with every text smoothed: the glyphs are made at the first paint and kept.
    for (FontPlace& place : g_app.design.fonts) place.smooth = 2;
    PaintTimes smooth = TimePaints(hwnd);
    RemoveBenchMonth(hwnd, folder);
    std::printf("  classic full paint:      %8.2f ms (median of 15)\n", t.full * 1e3);
    std::printf("  classic one-cell repaint:%8.2f ms\n", t.cell * 1e3);
    std::printf("  smoothed (SMOOTH 2):     %8.2f ms full, %.2f ms one cell\n", smooth.full * 1e3, smooth.cell * 1e3);
    std::printf("  layered full paint:      %8.2f ms (the layered benchmark, run just before)\n", layered);
    std::printf("TIME classic_smoothed_full_paint_ms %.2f\n", smooth.full * 1e3);
    std::printf("RATIO classic_one_cell_repaint %.1f\n", t.full / t.cell);
    if (layered <= 0) {
        std::printf("the layered benchmark gave no time: no ratio against it\n");
        return 1;
    }
    std::printf("RATIO classic_vs_layered_full_paint %.1f\n", layered / (t.full * 1e3));
    return 0;
}
