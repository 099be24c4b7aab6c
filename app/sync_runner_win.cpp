#include "app/sync_runner_win.h"

#include <atomic>
#include <cstring>
#include <memory>
#include <optional>
#include <thread>

#include "app/main_window_win.h"
#include "app/quick_memo.h"
#include "app/startup.h"
#include "base/win/handles.h"
#include "calendar/civil_date.h"
#include "config/app_state.h"
#include "config/file_names.h"
#include "config/profile_store.h"
#include "config/tags.h"
#include "memo/undo_journal.h"
#include "memo/working_text.h"
#include "sync/sync_password.h"
#include "base/win/wide_text.h"

namespace {
constexpr DWORD kStopWaitMs = 5000;

// What one sync works on: its own copies, made on the window's thread before it starts. The
// window reads outcome only after the worker has said it is done.
struct SyncRun {
    DataFiles files = {};
    TagTable tags = {};
    SyncJob job;
    HttpCredentials credentials;
    SyncCause cause = SyncCause::kAsked;
    std::atomic<bool> cancel{false};
    OwnedEvent done;
    SyncOutcome outcome;
    std::thread thread;
};

struct SyncShell {
    SyncSchedule schedule;
    std::unique_ptr<SyncRun> run;
    // Where the undo journal stood at the last look: a move is a memo change by the window.
    int undoGroups = 0;
    size_t undoDone = 0, undoRecords = 0;
};
SyncShell g_syncShell;

int64_t Now() { return static_cast<int64_t>(GetTickCount64()); }

std::string ReadAccount(const char* key) {
    char value[2048];
    ProfileReadString(kSyncSection, key, "", value, sizeof value, g_files.configPath);
    return value;
}

void Tell(HWND hwnd, const std::string& text) {
    MessageBoxW(hwnd, WideOf(932, text).value_or(L"").c_str(), L"Tessel", MB_OK | MB_ICONWARNING);
}

void ArmTimer(HWND hwnd) {
    int64_t wait = NextLook(g_syncShell.schedule, Now());
    if (wait < 0) {
        KillTimer(hwnd, kSyncTimer);
        return;
    }
    SetTimer(hwnd, kSyncTimer, static_cast<UINT>(wait < 100 ? 100 : wait), nullptr);
}

// The day being typed into (a quick memo or the memo dialog on a day cell): the sync leaves it
// alone; its change goes with a later sync.
void HoldEditedDay(SyncJob* job) {
    if (!IsDayCell(g_edit.editingCell) || g_edit.month < 1) return;
    job->heldDays.push_back(DayNumberOf(g_edit.year, g_edit.month, g_edit.day));
}

void Work(SyncRun* run, HWND hwnd) {
    // The calendar's own limits: a dead server costs the worker a minute at most, never the window.
    HttpLimits limits;
    limits.connectTimeoutMs = 10000;
    limits.totalTimeoutMs = 60000;
    std::unique_ptr<HttpTransport> transport = MakeHttpTransport(limits, run->credentials);
    if (transport) {
        run->outcome = RunSync(run->job, *transport);
    } else {
        run->outcome.failure = SyncFailure::kUnreachable;
        run->outcome.detail = "WinHTTP could not be started";
    }
    SecureZeroMemory(run->credentials.password.data(), run->credentials.password.size());
    SetEvent(run->done.get());
    PostMessageW(hwnd, WM_SYNC_DONE, 0, 0);
}

// The month shows what the sync wrote; an open quick memo goes on behind the memo as stored now.
void ShowSyncedMemos(HWND hwnd) {
    QuickMemoFollowStored();
    if (IsIconic(hwnd)) LayOutView(true);
    else RebuildAndResize(hwnd);
}
}  // namespace

void StartSyncSchedule(HWND hwnd) {
    bool configured = !ReadAccount(kSyncUrlKey).empty();
    ScheduleStart(&g_syncShell.schedule, configured, g_app.settings.caldavInterval, Now());
    g_syncShell.undoGroups = g_undo.groupCounter;
    g_syncShell.undoDone = g_undo.done;
    g_syncShell.undoRecords = g_undo.records.size();
    ArmTimer(hwnd);
}

bool StartSync(HWND hwnd, SyncCause cause) {
    SyncSchedule& s = g_syncShell.schedule;
    if (s.running) return false;
    std::string url = ReadAccount(kSyncUrlKey), user = ReadAccount(kSyncUserKey);
    s.configured = !url.empty();
    if (!s.configured) {
        if (cause == SyncCause::kAsked)
            Tell(hwnd, "同期の設定がありません。desk-calendar-cli sync setup URL ユーザー名 で設定してください");
        return false;
    }
    KeptPassword kept = ReadSyncPassword(g_files.configPath, url, user);
    if (kept.status != PasswordRead::kFound) {
        if (cause == SyncCause::kAsked || !s.failureShown) Tell(hwnd, kept.why);
        s.failureShown = true;
        SyncStarted(&s, Now());  // the next try comes with the interval
        s.running = false;
        ArmTimer(hwnd);
        return false;
    }
    auto run = std::make_unique<SyncRun>();
    run->files = g_files;
    std::memcpy(run->tags, g_tags, sizeof run->tags);
    run->job.files = &run->files;
    run->job.url = url;
    run->job.tags = &run->tags;
    run->job.alarm = g_app.settings.alarm != 0;
    run->job.alarmMinutes = g_app.settings.alarmTime;
    run->job.cancel = &run->cancel;
    HoldEditedDay(&run->job);
    run->credentials = HttpCredentials{user, std::move(kept.password)};
    run->cause = cause;
    run->done.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!run->done) return false;
    SyncStarted(&s, Now());
    SyncRun* r = run.get();
    r->thread = std::thread(Work, r, hwnd);
    g_syncShell.run = std::move(run);
    ArmTimer(hwnd);
    return true;
}

void OnSyncTimer(HWND hwnd) {
    KillTimer(hwnd, kSyncTimer);
    SyncSchedule& s = g_syncShell.schedule;
    // An open dialog edits what it showed, and a running sync finishes first: look again shortly.
    if (SyncDue(s, Now()) && (s.running || !IsWindowEnabled(hwnd))) {
        SetTimer(hwnd, kSyncTimer, static_cast<UINT>(kSyncRetryMs), nullptr);
        return;
    }
    if (!SyncDue(s, Now()) || !StartSync(hwnd, s.changeDue >= 0 ? SyncCause::kMemoChange : SyncCause::kInterval))
        ArmTimer(hwnd);
}

void OnSyncDone(HWND hwnd) {
    std::unique_ptr<SyncRun> run = std::move(g_syncShell.run);
    if (!run) return;
    run->thread.join();
    SyncReport report = FinishSync(&g_syncShell.schedule, run->outcome, run->cause, std::time(nullptr), Now());
    if (report.rebuild) ShowSyncedMemos(hwnd);
    if (g_app.settings.useTasktray) RefreshTrayTip();
    ArmTimer(hwnd);
    if (report.tell) Tell(hwnd, report.text);
}

void CheckOwnMemoChange(HWND hwnd) {
    SyncShell& s = g_syncShell;
    if (g_undo.groupCounter == s.undoGroups && g_undo.done == s.undoDone && g_undo.records.size() == s.undoRecords)
        return;
    s.undoGroups = g_undo.groupCounter;
    s.undoDone = g_undo.done;
    s.undoRecords = g_undo.records.size();
    NoteMemoChange(&s.schedule, Now());
    ArmTimer(hwnd);
}

void NoteMemosChangedElsewhere(HWND hwnd) {
    NoteMemoChange(&g_syncShell.schedule, Now());
    ArmTimer(hwnd);
}

void StopSync() {
    std::unique_ptr<SyncRun> run = std::move(g_syncShell.run);
    if (!run) return;
    run->cancel = true;
    if (WaitForSingleObject(run->done.get(), kStopWaitMs) == WAIT_OBJECT_0) {
        run->thread.join();
        return;
    }
    // Still waiting on the server: the process ends under it. The sync is made to be cut off at
    // any point; every file it writes is replaced whole, and the next sync finishes the work.
    ExitProcess(0);
}

std::string SyncTrayLine(const std::tm& now) { return SyncTipLine(g_syncShell.schedule, now); }
