#include "calendar/today.h"

#include "calendar/civil_date.h"

Today g_today;

void SetToday(const std::tm& now) {
    g_today.date = now;
    g_today.dayNumber = LocalDayNumber(now);
}

void ResetToday() {
    std::tm epoch = {};
    epoch.tm_year = 70;
    epoch.tm_mday = 1;
    SetToday(NormaliseDate(epoch));
}
