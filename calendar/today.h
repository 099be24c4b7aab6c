// Today as the last rebuild of the view recorded it: what "today", days left and days passed
// are measured against until the next rebuild notices a new date.
#pragma once
#include <ctime>

struct Today {
    std::tm date;
    int dayNumber;  // days since 1 January 1970
};

extern Today g_today;

void SetToday(const std::tm& now);
void ResetToday();  // 1 January 1970
