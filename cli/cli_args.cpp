#include "cli/cli_args.h"

#include <cstdio>

#include "calendar/civil_date.h"

int Fail(const char* message, const char* detail) {
    std::fputs("desk-calendar-cli: ", stderr);
    std::fputs(message, stderr);
    if (detail) {
        std::fputs(": ", stderr);
        std::fputs(detail, stderr);
    }
    std::fputc('\n', stderr);
    return kExitUsage;
}

bool ParseIsoDate(const char* text, int* year, int* month, int* day) {
    char tail;
    if (std::sscanf(text, "%4d-%2d-%2d%c", year, month, day, &tail) != 3) return false;
    return *year >= 1 && *month >= 1 && *month <= 12 && *day >= 1 && *day <= DaysInMonth(*year, *month);
}
