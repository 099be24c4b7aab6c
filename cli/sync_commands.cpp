#include "cli/sync_commands.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "cli/cli_args.h"
#include "cli/cli_files.h"
#include "cli/password_input.h"
#include "config/app_state.h"
#include "config/file_names.h"
#include "config/profile_store.h"
#include "config/settings.h"
#include "config/tags.h"
#include "sync/sync_engine.h"
#include "sync/sync_password.h"
#include "sync/text_convert.h"

namespace {
const char kUsage[] = "使い方: sync setup URL ユーザー名 (パスワードは標準入力から 1 行)、または sync";

std::string ReadConfigValue(const char* key) {
    char buf[2048];
    ProfileReadString(kSyncSection, key, "", buf, sizeof buf, g_files.configPath);
    return buf;
}

int FailSync(const SyncOutcome& o) {
    std::string detail = o.detail;
    if (o.failure == SyncFailure::kInsecureUrl) return Fail(o.detail.c_str());  // already one whole line
    if (o.failure == SyncFailure::kWrite) detail = PathForUser(o.detail.c_str());
    return Fail(SyncFailureLine(o).c_str(), detail.empty() ? nullptr : detail.c_str());
}

int RunSetup(const std::string& given, const std::string& user) {
    std::string url = given;
    if (url.empty() || url.back() != '/') url += '/';
    std::string why;
    if (!SyncUrlAllowed(url, &why)) return Fail(why.c_str(), given.c_str());
    std::string password;
    if (!ReadHiddenLine(&password)) return Fail("パスワードを標準入力から 1 行で渡してください");
    std::unique_ptr<HttpTransport> t = MakeHttpTransport(HttpLimits{}, HttpCredentials{user, password});
    if (!t) return Fail("通信の準備ができません");
    SyncOutcome check = CheckSyncCalendar(url, *t);
    if (!check.ok()) return FailSync(check);
    if (!KeepSyncPassword(g_files.configPath, url, user, password, &why)) return Fail(why.c_str());
    ProfileWriteBatch batch;
    (void)ProfileWriteString(kSyncSection, kSyncUrlKey, url.c_str(), g_files.configPath);
    (void)ProfileWriteString(kSyncSection, kSyncUserKey, user.c_str(), g_files.configPath);
    if (!batch.End()) {
        ForgetSyncPassword(g_files.configPath, url, user);
        return Fail("ファイルに書き込めませんでした。変更は保存されていません", PathForUser(g_files.configPath).c_str());
    }
    std::printf("%s\n", Cp932ToUtf8("同期の設定を保存しました").value_or("").c_str());
    return 0;
}

int RunOneSync() {
    std::string url = ReadConfigValue(kSyncUrlKey), user = ReadConfigValue(kSyncUserKey);
    if (url.empty()) return Fail("同期の設定がありません。sync setup URL ユーザー名 で設定してください");
    KeptPassword kept = ReadSyncPassword(g_files.configPath, url, user);
    if (kept.status != PasswordRead::kFound) return Fail(kept.why.c_str());
    std::unique_ptr<HttpTransport> t = MakeHttpTransport(HttpLimits{}, HttpCredentials{user, kept.password});
    if (!t) return Fail("通信の準備ができません");
    ReadSettings(&g_app);
    SyncJob job;
    job.files = &g_files;
    job.url = url;
    job.tags = &g_tags;
    job.alarm = g_app.settings.alarm != 0;
    job.alarmMinutes = g_app.settings.alarmTime;
    SyncOutcome o = RunSync(job, *t);
    if (!o.ok()) return FailSync(o);
    std::printf("%s\n", Cp932ToUtf8(SyncSummaryLine(o.counts).c_str()).value_or("").c_str());
    return 0;
}
}  // namespace

int RunSyncCommand(int argc, char** argv) {
    if (argc == 0) return RunOneSync();
    if (argc == 3 && std::strcmp(argv[0], "setup") == 0) return RunSetup(argv[1], argv[2]);
    return Fail(kUsage);
}
