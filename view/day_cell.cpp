#include "view/day_cell.h"

#include <cstdio>
#include <cstring>

#include "calendar/civil_date.h"
#include "calendar/holiday_rules.h"
#include "calendar/month_model.h"
#include "calendar/today.h"
#include "memo/memo_codec.h"
#include "memo/memo_store.h"
#include "view/view_layout.h"

namespace {
const char* RuleText(int index) {
    if (index < 0 || index >= g_holidayRules.count) return "";
    return g_holidayRules.rules[index].text;
}
}  // namespace

int ColumnColour(int column, int sundayColumn, int saturdayColumn) {
    if (column == sundayColumn) return kHolidayColour;
    if (column == saturdayColumn) return kSaturdayColour;
    return kWeekdayColour;
}

int WeekdayColour(int weekday) { return weekday == 0 ? kHolidayColour : weekday == 6 ? kSaturdayColour : kWeekdayColour; }

void GatherDayRequest(const AppState& state, int cellIndex, const std::tm& date, int columnColour,
                      DayCellRequest* out) {
    DayEntry none = {-1, -1, -1, -1, kNoDerivedHoliday};
    const std::vector<DayEntry>& entries = g_monthModel.entries;
    const DayEntry& e =
        cellIndex >= 0 && static_cast<size_t>(cellIndex) < entries.size() ? entries[static_cast<size_t>(cellIndex)] : none;
    const std::tm& today = g_today.date;
    const std::tm& shown = g_view.displayedMonth;
    bool inMonth = SameMonth(date, shown);
    bool isToday = SameMonth(date, today) && date.tm_mday == today.tm_mday;
    bool past = SameMonth(shown, today) && inMonth && date.tm_mday < today.tm_mday;

    out->cellIndex = cellIndex;
    out->day = date.tm_mday;
    out->weekday = date.tm_wday;
    out->fontPlace = isToday ? kFontToday : inMonth ? kFontDay : kFontOmday;
    out->backPlace = isToday ? kBackToday : inMonth ? (past ? kBackPrday : kBackDay) : kBackOmday;
    const char* holiday = HolidayName(e);
    out->dayColour = holiday[0] || IsHolidayEntry(e) ? kHolidayColour : columnColour;
    bool first = cellIndex == 0 || date.tm_mday == 1;
    switch (state.settings.showMonth) {
    case 1: out->monthToPrint = first ? date.tm_mon + 1 : 0; break;
    case 2: out->monthToPrint = first || isToday ? date.tm_mon + 1 : 0; break;
    case 3: out->monthToPrint = date.tm_mon + 1; break;
    default: out->monthToPrint = 0; break;
    }
    out->holidayCount = 0;
    for (const char* text : {holiday, RuleText(e.personal), RuleText(e.holidayMemo)})
        if (text[0]) out->holidayTexts[out->holidayCount++] = text;
    const char* rule = RuleText(e.dateMemo);
    out->ruleMemo = rule[0] ? rule : nullptr;
    out->memo = StoredMemoBody(ReadMemoRaw(date.tm_year + 1900, date.tm_mon + 1, date.tm_mday));
}

void DayNumberText(const DayCellRequest& request, char* out, int outSize) {
    if (request.monthToPrint) std::snprintf(out, static_cast<size_t>(outSize), "%d/%d", request.monthToPrint, request.day);
    else std::snprintf(out, static_cast<size_t>(outSize), "%d", request.day);
}

std::vector<std::string> DayCellLines(const DayCellRequest& request) {
    std::vector<std::string> lines;
    if (request.ruleMemo) lines.emplace_back(request.ruleMemo);
    if (request.memo.empty()) return lines;
    for (std::string_view line : SplitMemoLines(request.memo)) lines.emplace_back(line);
    return lines;
}
