#include "cli/cli_args.h"

#include <cstdio>

#include "calendar/calendar_years.h"
#include "calendar/civil_date.h"
#include "sync/text_convert.h"

void Tell(const char* message, const char* detail) {
    std::fputs("desk-calendar-cli: ", stderr);
    std::fputs(Cp932ToUtf8(message).value_or(message).c_str(), stderr);
    if (detail) {
        std::fputs(": ", stderr);
        std::fputs(detail, stderr);
    }
    std::fputc('\n', stderr);
}

int Fail(const char* message, const char* detail) {
    Tell(message, detail);
    return kExitUsage;
}

int FailUnencodable(const char* message, const char* utf8) {
    std::string named = NameOfFirstUnencodable(utf8);
    return Fail(message, named.c_str());
}

std::string YearRangeText() {
    return std::to_string(kFirstCalendarYear) + " 年から " + std::to_string(kLastCalendarYear) + " 年まで";
}

bool ParseIsoDate(const char* text, int* year, int* month, int* day) {
    char tail;
    if (std::sscanf(text, "%4d-%2d-%2d%c", year, month, day, &tail) != 3) return false;
    return *year >= 1 && *month >= 1 && *month <= 12 && *day >= 1 && *day <= DaysInMonth(*year, *month);
}
