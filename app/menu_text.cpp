#include "app/menu_text.h"

#include <cstdio>
#include <cstdlib>

#include "base/file_format.h"
#include "calendar/civil_date.h"

std::string ClearMonthItemText(const char* pattern, int year, int month) {
    return FormatFromFile(pattern, {NumberArg(year), NumberArg(month)});
}

std::string DateItemText(int year, int month, int day, int todayNumber) {
    int distance = DayNumberOf(year, month, day) - todayNumber;
    char relative[32];
    if (distance == 0) std::snprintf(relative, sizeof relative, "%s", "今日");
    else std::snprintf(relative, sizeof relative, "%d日%s", std::abs(distance), distance < 0 ? "前" : "後");
    char text[64];
    std::snprintf(text, sizeof text, "%4d/%d/%d：%s", year, month, day, relative);
    return text;
}
