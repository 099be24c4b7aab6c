#include "cli/ical_commands.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "calendar/civil_date.h"
#include "cli/cli_args.h"
#include "cli/ical_export.h"
#include "cli/ical_import.h"
#include "cli/text_convert.h"
#include "config/app_state.h"
#include "config/file_names.h"
#include "config/settings.h"
#include "config/tags.h"
#include "memo/memo_search.h"

namespace {
// "YYYY-MM-DD" as a day number of 1970 .. 2035.
bool ParseDate(const char* text, int* day) {
    int y, m, d;
    if (!ParseIsoDate(text, &y, &m, &d) || y < 1970 || y > 2035) return false;
    *day = DayNumberOf(y, m, d);
    return true;
}

FILE* OpenNamed(const char* utf8, const char* mode) {
    char* name = Utf8ToFileName(utf8);
    FILE* f = name ? std::fopen(name, mode) : nullptr;
    std::free(name);
    return f;
}
}  // namespace

int RunExportIcs(int argc, char** argv) {
    int fromDay = -1, toDay = -1;
    const char* file = nullptr;
    for (int i = 0; i < argc; ++i) {
        bool from = std::strcmp(argv[i], "--from") == 0, to = std::strcmp(argv[i], "--to") == 0;
        if ((from || to) && i + 1 < argc) {
            if (!ParseDate(argv[++i], from ? &fromDay : &toDay)) return Fail("dates are YYYY-MM-DD, 1970 .. 2035", argv[i]);
        } else if (!file) {
            file = argv[i];
        } else {
            return Fail("export-ics takes [--from DATE] [--to DATE] FILE");
        }
    }
    if (!file) return Fail("export-ics takes [--from DATE] [--to DATE] FILE");
    // Without dates: every year that has a memo file (this year when there is none).
    int first, last;
    if (!FindMemoYearRange(g_files.memoPath, &first, &last)) {
        std::time_t now = std::time(nullptr);
        first = last = std::localtime(&now)->tm_year + 1900;
    }
    if (fromDay < 0) fromDay = DayNumberOf(first, 1, 1);
    if (toDay < 0) toDay = DayNumberOf(last, 12, 31);
    if (toDay < fromDay) return Fail("--to comes before --from");
    ReadSettings(&g_app);
    std::time_t now = std::time(nullptr);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", std::gmtime(&now));
    std::string ics = ExportIcs(fromDay, toDay, g_app.settings, stamp);
    bool toStdout = std::strcmp(file, "-") == 0;
    FILE* out = toStdout ? stdout : OpenNamed(file, "wb");
    if (!out) return Fail("cannot write", file);
    bool ok = std::fwrite(ics.data(), 1, ics.size(), out) == ics.size();
    ok = (toStdout ? std::fflush(out) : std::fclose(out)) == 0 && ok;
    return ok ? 0 : Fail("cannot write", file);
}

int RunImportIcs(int argc, char** argv) {
    if (argc != 1) return Fail("import-ics takes one argument: FILE");
    bool fromStdin = std::strcmp(argv[0], "-") == 0;
    FILE* in = fromStdin ? stdin : OpenNamed(argv[0], "rb");
    if (!in) return Fail("cannot read", argv[0]);
    std::string text;
    char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) text.append(chunk, n);
    if (!fromStdin) std::fclose(in);
    ReadTags();  // a line is already there when it shows as the line imported
    ImportOutcome r = ImportIcs(text);
    if (!r.parsed) return Fail("not an iCalendar file; nothing written", argv[0]);
    std::fprintf(stderr,
                 "import-ics: %d lines added, %d already there, %d events skipped, %d characters replaced by ?, "
                 "%d rule and countdown events of Tessel left out, %d events of an unknown time zone at the time "
                 "as written\n",
                 r.added, r.present, r.skipped, r.replaced, r.own, r.floating);
    return r.write ? 0 : kExitUsage;  // the failed files are told with every other failed write
}
