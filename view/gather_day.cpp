#include "view/gather_day.h"

#include <string>

#include "calendar/holiday_rules.h"
#include "calendar/month_model.h"
#include "memo/memo_codec.h"
#include "memo/memo_store.h"

int DayMemoLineCount(int cellIndex, const std::tm& date) {
    std::string raw = ReadMemoRaw(date.tm_year + 1900, date.tm_mon + 1, date.tm_mday);
    int count = static_cast<int>(SplitMemoLines(raw).size());
    if (cellIndex >= 0 && static_cast<size_t>(cellIndex) < g_monthModel.entries.size()) {
        int rule = g_monthModel.entries[cellIndex].dateMemo;
        if (rule >= 0 && rule < g_holidayRules.count && g_holidayRules.rules[rule].text[0]) ++count;
    }
    return count;
}
