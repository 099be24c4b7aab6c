#include "cli/ical_commands.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "calendar/calendar_years.h"
#include "calendar/civil_date.h"
#include "cli/cli_args.h"
#include "cli/ical_export.h"
#include "cli/ical_import.h"
#include "config/file_ops.h"
#include "sync/text_convert.h"
#include "config/app_state.h"
#include "config/file_names.h"
#include "config/settings.h"
#include "config/tags.h"
#include "memo/memo_search.h"

namespace {
const char kExportUsage[] = "使い方: export-ics [--from 日付] [--to 日付] ファイル (日付は YYYY-MM-DD、ファイルの - は標準出力)";

// "YYYY-MM-DD" as a day number of the years the calendar shows.
bool ParseDate(const char* text, int* day) {
    int y, m, d;
    if (!ParseIsoDate(text, &y, &m, &d) || !IsCalendarYear(y)) return false;
    *day = DayNumberOf(y, m, d);
    return true;
}

FILE* OpenNamed(const char* utf8, const char* mode) {
    std::optional<std::string> name = Utf8ToFileName(utf8);
    return name ? OpenFileNamed(name->c_str(), mode) : nullptr;
}
}  // namespace

int RunExportIcs(int argc, char** argv) {
    int fromDay = -1, toDay = -1;
    const char* file = nullptr;
    for (int i = 0; i < argc; ++i) {
        bool from = std::strcmp(argv[i], "--from") == 0, to = std::strcmp(argv[i], "--to") == 0;
        if ((from || to) && i + 1 < argc) {
            if (!ParseDate(argv[++i], from ? &fromDay : &toDay))
                return Fail(("日付は " + YearRangeText() + "の YYYY-MM-DD です").c_str(), argv[i]);
        } else if (!file) {
            file = argv[i];
        } else {
            return Fail(kExportUsage);
        }
    }
    if (!file) return Fail(kExportUsage);
    // Without dates: every year that has a memo file (this year when there is none).
    int first, last;
    if (!FindMemoYearRange(g_files.memoPath, &first, &last)) {
        std::time_t now = std::time(nullptr);
        first = last = std::localtime(&now)->tm_year + 1900;
    }
    if (fromDay < 0) fromDay = DayNumberOf(first, 1, 1);
    if (toDay < 0) toDay = DayNumberOf(last, 12, 31);
    if (toDay < fromDay) return Fail("--to の日付が --from の日付より前です");
    ReadSettings(&g_app);
    std::time_t now = std::time(nullptr);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", std::gmtime(&now));
    std::string ics = ExportIcs(fromDay, toDay, g_app.settings, stamp);
    bool toStdout = std::strcmp(file, "-") == 0;
    FILE* out = toStdout ? stdout : OpenNamed(file, "wb");
    if (!out) return Fail("ファイルに書き込めません", file);
    bool ok = std::fwrite(ics.data(), 1, ics.size(), out) == ics.size();
    ok = (toStdout ? std::fflush(out) : std::fclose(out)) == 0 && ok;
    return ok ? 0 : Fail("ファイルに書き込めません", file);
}

int RunImportIcs(int argc, char** argv) {
    if (argc != 1) return Fail("使い方: import-ics ファイル");
    bool fromStdin = std::strcmp(argv[0], "-") == 0;
    FILE* in = fromStdin ? stdin : OpenNamed(argv[0], "rb");
    if (!in) return Fail("ファイルを読めません", argv[0]);
    std::string text;
    char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) text.append(chunk, n);
    if (!fromStdin) std::fclose(in);
    ReadTags();  // a line is already there when it shows as the line imported
    ImportOutcome r = ImportIcs(text);
    if (!r.parsed) return Fail("iCalendar のファイルではありません。何も書き込んでいません", argv[0]);
    for (const SkippedEvent& e : r.skippedEvents) {
        std::string what = e.date + " \xE3\x80\x8C" + e.summary + "\xE3\x80\x8D";  // 「」 in UTF-8
        Tell(e.reason == SkippedEvent::kNoStart ? "取り込めないイベント (開始日時を読めません)"
                                                 : "取り込めないイベント (繰り返しの規則を読めません)",
             what.c_str());
    }
    char summary[512];
    std::snprintf(summary, sizeof summary,
                  "import-ics: 追加 %d 行、既にあった行 %d、取り込めないイベント %d、? にした文字 %d、"
                  "Tessel の休日とあと何日メモのイベント %d (取り込みません)、"
                  "時間帯がわからず書かれた時刻のまま置いたイベント %d",
                  r.added, r.present, r.skipped, r.replaced, r.own, r.floating);
    std::fprintf(stderr, "%s\n", Cp932ToUtf8(summary).value_or(summary).c_str());
    return r.write ? 0 : kExitUsage;  // the failed files are told with every other failed write
}
