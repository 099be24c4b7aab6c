#include "app/data_watch_win.h"

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/data_watch.h"
#include "app/main_window_win.h"
#include "app/quick_memo.h"
#include "app/startup.h"
#include "app/sync_runner_win.h"
#include "base/win/handles.h"
#include "base/win/wide_text.h"
#include "calendar/holiday_rules.h"
#include "config/app_state.h"
#include "config/file_names.h"
#include "memo/countdown.h"

namespace {
constexpr UINT_PTR kTakeInTimer = 20;
constexpr UINT kSettleMs = 200;      // after the last note of a burst
constexpr UINT kDialogWaitMs = 500;  // while a dialog is open, how often to look whether it closed

// The worker's own copies: it touches no record of the window's.
struct Watcher {
    HWND window = nullptr;
    DataFiles files = {};
    FileHandle folder;
    OwnedEvent stop;
    std::thread thread;
};
Watcher g_watcher;
DataWatch g_seen;  // the window thread's

// Whether a batch of change records names a data file; an overflowed batch (no records) might.
bool NamesDataFile(const BYTE* records, DWORD bytes, const DataFiles& files) {
    if (bytes == 0) return true;
    for (DWORD at = 0; at < bytes;) {
        const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(records + at);
        std::string name = Sjis(std::wstring_view(info->FileName, info->FileNameLength / sizeof(WCHAR)));
        if (KindOfDataFileName(name.c_str(), files) != DataFileKind::kNone) return true;
        if (info->NextEntryOffset == 0) break;
        at += info->NextEntryOffset;
    }
    return false;
}

void WatchFolder(Watcher* w) {
    OwnedEvent done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!done) return;
    alignas(DWORD) BYTE records[16384];
    for (;;) {
        OVERLAPPED pending = {};
        pending.hEvent = done.get();
        ResetEvent(done.get());
        constexpr DWORD kWhat = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;
        if (!ReadDirectoryChangesW(w->folder.get(), records, sizeof records, FALSE, kWhat, nullptr, &pending, nullptr))
            return;
        HANDLE waits[2] = {w->stop.get(), done.get()};
        DWORD woke = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
        DWORD bytes = 0;
        if (woke != WAIT_OBJECT_0 + 1) {
            CancelIo(w->folder.get());
            GetOverlappedResult(w->folder.get(), &pending, &bytes, TRUE);  // the buffer is free again
            return;
        }
        if (!GetOverlappedResult(w->folder.get(), &pending, &bytes, FALSE)) bytes = 0;
        if (NamesDataFile(records, bytes, w->files)) PostMessageW(w->window, WM_DATA_FILES_CHANGED, 0, 0);
    }
}

// Layout and window follow the files; a minimised calendar is laid out for when it comes back.
void Rebuild(HWND hwnd) {
    if (IsIconic(hwnd)) LayOutView(true);
    else RebuildAndResize(hwnd);
}

VOID CALLBACK TakeIn(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    // An open dialog edits what it showed (the rules, the countdowns, the settings): nothing is
    // changed under it. The files are looked at once it has closed.
    if (!IsWindowEnabled(hwnd)) {
        SetTimer(hwnd, kTakeInTimer, kDialogWaitMs, TakeIn);
        return;
    }
    DataChanges changes = CheckDataFiles(&g_seen, g_files);
    if (!changes.any()) return;
    if (changes.holidays) LoadHolidayRules(g_files.holidayPath);
    if (changes.commonMemo) LoadCountdowns(g_files.memoPath);
    if (changes.memos) {
        QuickMemoFollowStored();
        NoteMemosChangedElsewhere(hwnd);  // the online calendar hears of it too
    }
    Rebuild(hwnd);
    if (g_app.settings.useTasktray) RefreshTrayTip();
}
}  // namespace

bool StartDataWatch(HWND hwnd) {
    StopDataWatch();
    g_watcher.window = hwnd;
    g_watcher.files = g_files;
    char folder[MAX_PATH];
    DirectoryOf(g_files.memoPath, '\\', folder, sizeof folder);
    if (!folder[0]) std::snprintf(folder, sizeof folder, ".");
    g_watcher.folder.reset(CreateFileW(Wide(folder).c_str(), FILE_LIST_DIRECTORY,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
    g_watcher.stop.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!g_watcher.folder || !g_watcher.stop) return false;
    g_seen = DataWatch{};
    CheckDataFiles(&g_seen, g_files);  // what was read at start-up is taken in
    g_watcher.thread = std::thread(WatchFolder, &g_watcher);
    return true;
}

void StopDataWatch() {
    if (g_watcher.thread.joinable()) {
        SetEvent(g_watcher.stop.get());
        g_watcher.thread.join();
    }
    g_watcher.folder.reset();
    g_watcher.stop.reset();
}

void OnDataFilesChanged(HWND hwnd) { SetTimer(hwnd, kTakeInTimer, kSettleMs, TakeIn); }
