// Showing the hits of a search over thirty years of daily memos (about 11,000 rows) under Wine:
// a plain report list filled row by row, against the search dialog from pressing 検索 until its
// list is drawn full, search included, in one run.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "base/win/dialog_kit.h"
#include "base/win/wide_text.h"
#include "bench/bench_clock.h"
#include "bench/memo_bench_data.h"
#include "config/profile_store.h"
#include "config/file_names.h"
#include "config/tags.h"
#include "memo/memo_search.h"
#include "memo/search_dialog_win.h"
#include "resources/resource.h"

namespace {
const char kKeyword[] = "会議";

// A shown report list of the dialog list's size, filled the plain way: every row and its memo
// text handed to the list (as UTF-16, converted from 932 as the calendar would), which keeps
// them, then drawn. Under Wine each row added to a shown
// list costs a redraw of its scroll bar; holdRedraw keeps them back until the end.
double FillPlainList(const std::vector<SearchRow>& rows, bool holdRedraw) {
    HWND frame = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 200, 200, 420, 300, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS,
                                0, 0, 420, 300, frame, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetUpReportColumns(list, kSearchColumnTitles, kSearchColumnWidths, 2);
    UpdateWindow(frame);
    double t0 = BenchSeconds();
    if (holdRedraw) SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (const SearchRow& r : rows) {
        std::wstring date = Wide(r.date), text = Wide(r.text);
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = r.order;
        item.pszText = date.data();
        item.lParam = r.order;
        int at = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        item.iSubItem = 1;
        item.pszText = text.data();
        SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item));
    }
    if (holdRedraw) SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    UpdateWindow(list);
    double t = BenchSeconds() - t0;
    int shown = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    DestroyWindow(frame);
    return shown == static_cast<int>(rows.size()) ? t : -1;
}

std::string RowText(HWND list, int row, int column) {
    wchar_t buf[512] = L"";
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = buf;
    item.cchTextMax = static_cast<int>(std::size(buf));
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return Sjis(buf);
}

struct DialogRun {
    double seconds = -1;
    int rows = 0;
    std::string lastDate, lastText;
};

// The real dialog, modal in this thread, driven from another as a user would: the keyword typed,
// 検索 pressed; the time runs until the press has been handled and the list has drawn itself.
DialogRun SearchInDialog() {
    DialogRun run;
    std::thread driver([&] {
        HWND d = nullptr;
        const std::wstring caption = Wide("メモ検索");
        for (int i = 0; i < 400 && !d; ++i) {
            d = FindWindowW(L"#32770", caption.c_str());
            if (!d || !IsWindowVisible(d)) d = nullptr, Sleep(25);
        }
        if (!d) return;
        SetItemText(d, IDC_SEARCH_KEYWORD, kKeyword);
        HWND list = GetDlgItem(d, IDC_SEARCH_RESULTS);
        double t0 = BenchSeconds();
        SendMessageW(GetDlgItem(d, IDC_SEARCH_FIND), BM_CLICK, 0, 0);
        RedrawWindow(list, nullptr, nullptr, RDW_UPDATENOW);
        run.seconds = BenchSeconds() - t0;
        run.rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        run.lastDate = RowText(list, run.rows - 1, 0);
        run.lastText = RowText(list, run.rows - 1, 1);
        PostMessageW(GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0);
    });
    SearchDialog dialog = {nullptr, g_files.memoPath, &g_tags};
    OpenSearchDialog(nullptr, &dialog);
    driver.join();
    return run;
}
}  // namespace

int main() {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    wchar_t base[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, base);
    char tail[MAX_PATH];
    std::snprintf(tail, sizeof tail, "tessel_search_fill_%lu\\", GetCurrentProcessId());
    std::string folder = Sjis(base) + tail;
    CreateDirectoryW(Wide(folder).c_str(), nullptr);
    int memos = WriteBenchMemoFiles(folder, kKeyword);
    if (memos < 0) {
        std::printf("could not write the memo files in %s\n", folder.c_str());
        return 1;
    }

    // The search alone, as the first one of a run does it (every file read and parsed).
    std::vector<SearchRow> rows;
    ProfileStoreReset();
    double t0 = BenchSeconds();
    SearchMemos(g_files.memoPath, g_tags, kKeyword, &rows);
    double searchTime = BenchSeconds() - t0;

    double plainTime = FillPlainList(rows, false);
    double heldTime = FillPlainList(rows, true);
    ProfileStoreReset();
    DialogRun dialog = SearchInDialog();

    for (int y = kBenchFirstYear; y < kBenchFirstYear + kBenchYears; ++y) {
        char path[300];
        YearMemoPath(g_files, y, path, sizeof path);
        DeleteFileW(Wide(path).c_str());
    }
    RemoveDirectoryW(Wide(folder).c_str());

    std::printf("search_dialog_fill: %d memos in %d year files, %zu hits\n", memos, kBenchYears, rows.size());
    std::printf("  the search alone (files parsed):         %9.1f ms\n", searchTime * 1e3);
    std::printf("  plain list, row by row, drawn:           %9.1f ms\n", plainTime * 1e3);
    std::printf("  the same with its redraw held back:      %9.1f ms\n", heldTime * 1e3);
    std::printf("  dialog, Search pressed to the list drawn: %9.1f ms\n", dialog.seconds * 1e3);
    bool same = !rows.empty() && dialog.rows == static_cast<int>(rows.size()) && dialog.lastDate == rows.back().date &&
                dialog.lastText == rows.back().text;
    if (static_cast<int>(rows.size()) != memos || plainTime <= 0 || heldTime <= 0 || dialog.seconds <= 0 || !same) {
        std::printf("the lists disagree (%zu hits, dialog %d rows, last '%s'): no ratio\n", rows.size(), dialog.rows,
                    dialog.lastDate.c_str());
        return 1;
    }
    std::printf("RATIO search_dialog_fill %.1f\n", plainTime / dialog.seconds);
    return 0;
}
