// The companion's commands: each is one function in kCommands; failures print one line to
// stderr and give status 2.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "calendar/calendar_years.h"
#include "calendar/civil_date.h"
#include "calendar/holiday_rules.h"
#include "calendar/month_model.h"
#include "cli/cli_args.h"
#include "cli/cli_commands.h"
#include "cli/cli_files.h"
#include "cli/ical_commands.h"
#include "cli/sync_commands.h"
#include "sync/text_convert.h"
#include "config/app_state.h"
#include "config/file_names.h"
#include "config/operations.h"
#include "config/profile_access.h"
#include "config/profile_store.h"
#include "config/settings.h"
#include "config/tags.h"
#include "config/write_failure_text.h"
#include "memo/countdown.h"
#include "memo/memo_search.h"
#include "memo/memo_store.h"

namespace {
// Writes a code page 932 text as UTF-8; bytes that are not valid code page 932 go out as they are.
void PutText(FILE* out, const char* cp932) {
    std::fputs(Cp932ToUtf8(cp932).value_or(cp932).c_str(), out);
}

// "書き込めませんでした: PATH: reason (エラー n)", as the calendar's message box words it.
int FailedWrite(const WriteFailure& failure) {
    std::string detail = FileNameToUtf8(failure.path.c_str()).value_or(failure.path);
    std::string reason = WriteFailureReason(failure.result.error);
    if (failure.result.systemCode) reason += "(エラー " + std::to_string(failure.result.systemCode) + ")";
    detail += ": ";
    detail += Cp932ToUtf8(reason.c_str()).value_or("");
    return Fail("ファイルに書き込めませんでした。変更は保存されていません", detail.c_str());
}

// The text with each CR LF made LF.
std::string WithLfLineEnds(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

void PrintInt(const char* key, int value) { std::printf("%s=%d\n", key, value); }

void PrintText(const char* key, const char* value, size_t width) {
    char text[256];
    size_t n = strnlen(value, width);
    if (n >= sizeof text) n = sizeof text - 1;
    std::memcpy(text, value, n);
    text[n] = 0;
    std::printf("%s=", key);
    PutText(stdout, text);
    std::putchar('\n');
}

// settings: every CONFIG setting as ReadSettings leaves it, one KEY=value line per field.
int RunSettings(int argc, char** argv) {
    (void)argv;
    if (argc != 0) return Fail("settings には引数を付けません");
    ReadSettings(&g_app);
    const Settings& s = g_app.settings;
    PrintInt("CALENDAR_TYPE", static_cast<int>(s.calendarType));
    PrintInt("LIST_TODAY_TOP", s.listTodayTop);
    PrintInt("BEGIN_WEEK", s.beginWeek);
    PrintInt("SHOW_MONTH", s.showMonth);
    PrintInt("BTN_SIZE", s.btnSize);
    PrintInt("USE_TASKTRAY", s.useTasktray);
    PrintInt("ALARM", s.alarm);
    PrintInt("ALARM_STARTUP", s.alarmStartup);
    PrintInt("ALARM_TYPE", static_cast<int>(s.alarmType));
    PrintInt("ALARM_TIME", s.alarmTime);
    PrintInt("ALARM_SHOW", static_cast<int>(s.alarmShow));
    PrintInt("ALARM_CDOWN", s.alarmCdown);
    PrintInt("ALARM_CDOWN_DAY", s.alarmCdownDay);
    PrintInt("ALARM_CDOWN_PAST", s.alarmCdownPast);
    PrintInt("ALARM_PAINT_TIME", s.alarmPaintTime);
    PrintInt("ALARM_MEMO_SORT", s.alarmMemoSort);
    PrintText("ALARM_STARTUP_TIME", s.alarmStartupTime, sizeof s.alarmStartupTime);
    PrintInt("CELL_ROW_EXTEND", s.cellRowExtend);
    PrintInt("KEEP_WIN_HEIGHT", s.keepWinHeight);
    PrintText("CURRENT_DESIGN", s.currentDesign, sizeof s.currentDesign);
    PrintInt("HOTKEY", s.hotkey);
    PrintInt("HOTKEY_TOGGLE", static_cast<int>(s.hotkeyToggle));
    PrintInt("KEYASSIGN_ENABLE", s.keyassignEnable);
    PrintInt("QUICKMEMO_ENABLE", s.quickmemoEnable);
    PrintInt("DAYSCROLL_UNIT", s.dayscrollUnit);
    PrintInt("DAYSCROLL_KEEP", s.dayscrollKeep);
    PrintInt("DLGPLACEMENT_KEEP", s.dlgplacementKeep);
    return 0;
}

// holidays YEAR: every day of YEAR drawn as a holiday, "YYYY-MM-DD<TAB>name", resolved as the
// month model does (primed with the seven days before 1 January, equinox days of YEAR).
int RunHolidays(int argc, char** argv) {
    if (argc != 1) return Fail("使い方: holidays 年");
    char* end = nullptr;
    long year = std::strtol(argv[0], &end, 10);
    // The years the calendar can show; the days before them come from date arithmetic.
    if (end == argv[0] || *end || !IsCalendarYear(static_cast<int>(year)))
        return Fail(("年は " + YearRangeText() + "です").c_str(), argv[0]);
    LoadHolidayRules(g_files.holidayPath);
    std::tm first{};
    first.tm_year = static_cast<int>(year) - 1900;
    first.tm_mday = 1;
    first = NormaliseDate(first);
    MonthModel model;
    BeginMonthModel(&model, g_holidayRules, static_cast<int>(year), first);
    for (int i = 0;; ++i) {
        std::tm day = AddDays(first, i);
        if (day.tm_year != first.tm_year) break;
        ResolveDay(&model, g_holidayRules, i, day);
        const DayEntry& e = model.entries[static_cast<size_t>(i)];
        if (!IsHolidayEntry(e)) continue;
        const char* name = HolidayName(g_holidayRules, e);
        if (!name[0] && e.personal >= 0) name = g_holidayRules.rules[e.personal].text;
        std::printf("%04d-%02d-%02d\t", day.tm_year + 1900, day.tm_mon + 1, day.tm_mday);
        PutText(stdout, name);
        std::putchar('\n');
    }
    ReleaseHolidayRules();
    return 0;
}

// rules: the rule table as the holiday settings dialog lists it, "kind<TAB>date<TAB>years<TAB>memo"
// (years empty when the rule applies every year).
int RunRules(int argc, char** argv) {
    (void)argv;
    if (argc != 0) return Fail("rules には引数を付けません");
    int count = LoadHolidayRules(g_files.holidayPath);
    for (int i = 0; i < count; ++i) {
        RuleDescription d;
        DescribeRule(g_holidayRules.rules[i], &d);
        PutText(stdout, d.kind);
        std::putchar('\t');
        PutText(stdout, d.date);
        std::putchar('\t');
        PutText(stdout, d.years);
        std::putchar('\t');
        PutText(stdout, d.memo);
        std::putchar('\n');
    }
    ReleaseHolidayRules();
    return 0;
}

// countdowns: every countdown memo in list order as the day alarm words it, past ones included.
int RunCountdowns(int argc, char** argv) {
    (void)argv;
    if (argc != 0) return Fail("countdowns には引数を付けません");
    std::time_t t = std::time(nullptr);
    int today = LocalDayNumber(*std::localtime(&t));
    ResetCountdownForm(g_countdowns.form);
    char form[256];
    ReadProfileText("CONFIG", "CDOWN_FORM", "", form, sizeof form);
    ApplyCountdownForm(form, g_countdowns.form);
    LoadCountdowns(g_files.memoPath);
    // The alarm's CR LF line ends become LF.
    PutText(stdout, WithLfLineEnds(CountdownAlarmText(today, 0x7FFFFFFF, true, g_countdowns.form)).c_str());
    ReleaseCountdowns();
    return 0;
}

// TEXT as code page 932 with LF line breaks made CR LF; "-" reads standard input. Nothing (after
// a message) when code page 932 cannot hold it.
std::optional<std::string> MemoArgument(const char* arg) {
    std::string in;
    if (std::strcmp(arg, "-") == 0) {
        char chunk[4096];
        size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, stdin)) > 0) in.append(chunk, n);
    } else {
        in = arg;
    }
    std::optional<std::string> cp = Utf8ToCp932(in.c_str());
    if (!cp) {
        FailUnencodable("メモに Shift-JIS で表せない文字があります。何も書き込んでいません", in.c_str());
        return std::nullopt;
    }
    std::string crlf;
    for (size_t i = 0; i < cp->size(); ++i) {
        if ((*cp)[i] == '\n' && (i == 0 || (*cp)[i - 1] != '\r')) crlf += '\r';
        crlf += (*cp)[i];
    }
    return crlf;
}

// Prints a CR LF memo with LF line ends and one LF after it; nothing for an empty memo.
void PutMemo(const std::string& text) {
    if (text.empty()) return;
    PutText(stdout, WithLfLineEnds(text).c_str());
    std::putchar('\n');
}

// memo get DATE | memo set DATE TEXT | memo append DATE TEXT | memo free [TEXT]
int RunMemo(int argc, char** argv) {
    int memoRow = ReadConfigInt("MEMO_ROW", 4);
    if (argc >= 1 && std::strcmp(argv[0], "free") == 0) {
        if (argc == 1) { PutMemo(ReadFreeMemo(memoRow)); return 0; }
        if (argc != 2) return Fail("使い方: memo free [テキスト]");
        std::optional<std::string> text = MemoArgument(argv[1]);
        if (!text) return kExitUsage;
        return WriteFreeMemo(*text, memoRow) ? 0 : kExitUsage;
    }
    int y, m, d;
    bool get = argc == 2 && std::strcmp(argv[0], "get") == 0;
    bool set = argc == 3 && std::strcmp(argv[0], "set") == 0;
    bool append = argc == 3 && std::strcmp(argv[0], "append") == 0;
    if (!get && !set && !append) return Fail("使い方: memo get 日付 | memo set 日付 テキスト | memo append 日付 テキスト | memo free [テキスト] (日付は YYYY-MM-DD)");
    if (!ParseIsoDate(argv[1], &y, &m, &d)) return Fail("日付ではありません (YYYY-MM-DD で指定してください)", argv[1]);
    // A memo outside the calendar's years would never be shown, searched or exported.
    if (!IsCalendarYear(y)) return Fail(("日付は " + YearRangeText() + "の YYYY-MM-DD です").c_str(), argv[1]);
    if (get) { PutMemo(ReadMemo(y, m, d)); return 0; }
    std::optional<std::string> text = MemoArgument(argv[2]);
    if (!text) return kExitUsage;
    return WriteMemo(y, m, d, *text, append) ? 0 : kExitUsage;
}

// search KEYWORD: the rows the search dialog lists, "YYYY/MM/DD<TAB>text", in date order; the
// dialog's status line on stderr.
int RunSearch(int argc, char** argv) {
    if (argc != 1) return Fail("使い方: search 検索する文字列");
    std::optional<std::string> keyword = Utf8ToCp932(argv[0]);
    if (!keyword) return FailUnencodable("検索する文字列に Shift-JIS で表せない文字があります", argv[0]);
    ReadTags();  // their words are taken out of the memos
    std::vector<SearchRow> rows;
    SearchOutcome outcome = SearchMemos(g_files.memoPath, g_tags, keyword->c_str(), &rows);
    for (const SearchRow& row : rows) {
        std::printf("%s\t", row.date.c_str());
        PutText(stdout, row.text.c_str());
        std::putchar('\n');
    }
    char status[128];
    SearchStatusText(outcome, static_cast<int>(rows.size()), status, sizeof status);
    PutText(stderr, status);
    std::fputc('\n', stderr);
    return outcome == kSearchNoKeyword ? kExitUsage : 0;
}

// memo set, append and free TEXT write; get and free alone only read.
bool MemoWrites(int argc, char** argv) {
    return argc >= 1 && (std::strcmp(argv[0], "set") == 0 || std::strcmp(argv[0], "append") == 0 ||
                         (std::strcmp(argv[0], "free") == 0 && argc >= 2));
}
bool AlwaysWrites(int, char**) { return true; }

struct CliCommand {
    const char* name;
    int (*run)(int argc, char** argv);  // the arguments after the command name
    // Whether the command may write (and so may start the files of a calendar not yet run);
    // null for one that only reads.
    bool (*writes)(int argc, char** argv);
};

const CliCommand kCommands[] = {
    {"settings", RunSettings, nullptr},
    {"holidays", RunHolidays, nullptr},
    {"rules", RunRules, nullptr},
    {"countdowns", RunCountdowns, nullptr},
    {"memo", RunMemo, MemoWrites},
    {"search", RunSearch, nullptr},
    {"export-ics", RunExportIcs, nullptr},
    {"import-ics", RunImportIcs, AlwaysWrites},
#ifndef TESSEL_NO_SYNC_COMMAND
    {"sync", RunSyncCommand, AlwaysWrites},
#endif
};

// "settings, holidays, ..." of every command.
std::string CommandNames() {
    std::string names = "コマンド: ";
    for (const CliCommand& c : kCommands) names += std::string(&c == kCommands ? "" : ", ") + c.name;
    return names;
}

const char kUsage[] = "使い方: desk-calendar-cli [--dir フォルダー | --config 設定ファイル] [--classic] コマンド ...";

std::string UsageLine() { return std::string(kUsage) + " (" + CommandNames() + "、--help で説明)"; }

const char kHelp[] =
    "desk-calendar-cli: Tessel のファイルを読み書きするコマンドライン ツール (引数と出力は UTF-8)\n"
    "\n"
    "使うファイル (カレンダーが自分のファイルを決めるのと同じ決め方です):\n"
    "  指定なし           このツールと同じフォルダーの desk-calendar.exe を引数なしで起動したときのファイル:\n"
    "                     desk-calendar.ini、tessel_memo.ini、tessel_memo<年>.ini、tessel_holiday.ini\n"
    "  --dir フォルダー   そのフォルダーの desk-calendar.exe を引数なしで起動したときのファイル (同じ名前)\n"
    "  --classic          desk-calendar-classic.exe のファイル (--dir と一緒にも使えます):\n"
    "                     desk-calendar-classic.ini、desk-calendar-classic_memo.ini、\n"
    "                     desk-calendar-classic_memo<年>.ini、desk-calendar-classic_holiday.ini\n"
    "  --config パス      そのパスを引数にしてカレンダーを起動したときのファイル: D:\\cal\\work.ini なら\n"
    "                     同じフォルダーの work.ini、work_memo.ini、work_memo<年>.ini、work_holiday.ini。\n"
    "                     --config フォルダー\\desk-calendar.ini は desk-calendar_memo.ini などを使い、\n"
    "                     引数なしで起動したカレンダーのメモ (tessel_memo.ini) とは別です: それには --dir を。\n"
    "  読むだけのコマンドは設定ファイルがないと何もせず終わります (終了コード 2)。\n"
    "\n"
    "コマンド (日付は YYYY-MM-DD、テキストの - は標準入力):\n"
    "  settings                      設定を KEY=値 で表示\n"
    "  holidays 年                   その年の休日と名前\n"
    "  rules                         休日と定例メモの規則\n"
    "  countdowns                    あと何日メモ\n"
    "  memo get 日付                 日付のメモを表示\n"
    "  memo set 日付 テキスト        日付のメモを書き換え (空のテキストで消去)\n"
    "  memo append 日付 テキスト     日付のメモに行を追加\n"
    "  memo free [テキスト]          フリーメモを表示、または書き換え\n"
    "  search 文字列                 文字列を含むメモを一覧\n"
    "  export-ics [--from 日付] [--to 日付] ファイル\n"
    "                                iCalendar ファイルに書き出し (ファイルの - は標準出力)\n"
    "  import-ics ファイル           iCalendar ファイルのイベントをメモに取り込み\n"
    "\n"
    "失敗したときは 1 行のメッセージを出して終了コード 2 で終わります。\n";

// --help: the text above, then the files this choice names (when it names any).
int RunHelp(const FileChoice& choice) {
    PutText(stdout, kUsage);
    std::printf("\n\n");
    PutText(stdout, kHelp);
    std::string message, detail;
    if (!ChooseFiles(choice, &message, &detail)) return 0;
    const std::pair<const char*, std::string> files[] = {
        {"設定          ", PathForUser(g_files.configPath)},
        {"メモ          ", PathForUser(g_files.memoPath)},
        {"年ごとのメモ  ", PathForUser(g_files.yearMemoBase) + "<\xE5\xB9\xB4>.ini"},  // <年> in UTF-8
        {"休日          ", PathForUser(g_files.holidayPath)},
    };
    std::printf("\n");
    PutText(stdout, "この指定で使うファイル:\n");
    for (const auto& [what, path] : files) {
        std::printf("  ");
        PutText(stdout, what);
        std::printf("%s\n", path.c_str());
    }
    return 0;
}

}  // namespace

int RunCli(int argc, char** args) {
    FileChoice choice;
    bool help = false;
    int i = 1;
    for (; i < argc && std::strncmp(args[i], "--", 2) == 0; ++i) {
        const char* option = args[i];
        if (std::strcmp(option, "--help") == 0) {
            help = true;
        } else if (std::strcmp(option, "--classic") == 0) {
            choice.classic = true;
        } else if (std::strcmp(option, "--config") == 0 || std::strcmp(option, "--dir") == 0) {
            bool config = option[2] == 'c';
            if (i + 1 >= argc)
                return Fail(config ? "--config の後に設定ファイルのパスを指定してください"
                                   : "--dir の後にカレンダーのフォルダーを指定してください");
            (config ? choice.config : choice.dir) = args[++i];
        } else {
            return Fail(("オプションではありません (" + std::string(kUsage) + ")").c_str(), option);
        }
    }
    if (choice.config && choice.dir) return Fail("--config と --dir は一緒に使えません");
    if (help) return RunHelp(choice);
    if (i >= argc) return Fail(UsageLine().c_str());
    const CliCommand* command = nullptr;
    for (const CliCommand& c : kCommands)
        if (std::strcmp(c.name, args[i]) == 0) command = &c;
    if (!command) return Fail(("コマンドではありません (" + CommandNames() + ")").c_str(), args[i]);

    std::string message, detail;
    if (!ChooseFiles(choice, &message, &detail)) return Fail(message.c_str(), detail.empty() ? nullptr : detail.c_str());
    int commandArgs = argc - i - 1;
    char** commandArgv = args + i + 1;
    // Reading the files of a calendar that never ran there would print nothing, as if all were
    // empty: most likely the wrong files.
    if (!ConfigurationExists() && !(command->writes && command->writes(commandArgs, commandArgv)))
        return Fail("設定ファイルがありません (カレンダーを一度起動したフォルダーを --dir で指定してください)",
                    PathForUser(g_files.configPath).c_str());
    ResetAppState(&g_app);
    ResetOperations();
    int rc = command->run(commandArgs, commandArgv);
    // Every write that did not reach its file is told, whichever command made it (reading the
    // free memo may store it in its new form).
    for (const WriteFailure& failure : ProfileTakeWriteFailures()) rc = FailedWrite(failure);
    return rc;
}
