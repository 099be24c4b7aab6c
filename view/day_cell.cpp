#include "view/day_cell.h"

#include <cstdio>

#include "calendar/civil_date.h"
#include "memo/memo_codec.h"
#include "memo/memo_store.h"

namespace {
const char* RuleText(const HolidayRuleTable& rules, int index) {
    if (index < 0 || index >= rules.count) return "";
    return rules.rules[index].text;
}

// The memo of the cell as stored, or what is typed for its date encoded as it would be stored.
std::string ShownMemo(const DayCellRequest& request, const EditOverlay& editing) {
    if (!OverlaysDate(editing, request.year, request.month, request.day)) return request.memo;
    return EncodeMemo(editing.text, false);
}
}  // namespace

int ColumnColour(int column, int sundayColumn, int saturdayColumn) {
    if (column == sundayColumn) return kHolidayColour;
    if (column == saturdayColumn) return kSaturdayColour;
    return kWeekdayColour;
}

int WeekdayColour(int weekday) { return weekday == 0 ? kHolidayColour : weekday == 6 ? kSaturdayColour : kWeekdayColour; }

std::string StoredDayMemo(int year, int month, int day) {
    return std::string(StoredMemoBody(ReadMemoRaw(year, month, day)));
}

DayCellRequest GatherDayRequest(const DaySources& sources, int cellIndex, const std::tm& date, int columnColour) {
    DayEntry e = EntryOf(sources.model, cellIndex);
    const std::tm& today = sources.today.date;
    const std::tm& shown = sources.displayedMonth;
    bool inMonth = SameMonth(date, shown);
    bool isToday = SameMonth(date, today) && date.tm_mday == today.tm_mday;
    bool past = SameMonth(shown, today) && inMonth && date.tm_mday < today.tm_mday;

    DayCellRequest out;
    out.cellIndex = cellIndex;
    out.year = date.tm_year + 1900;
    out.month = date.tm_mon + 1;
    out.day = date.tm_mday;
    out.weekday = date.tm_wday;
    out.fontPlace = isToday ? kFontToday : inMonth ? kFontDay : kFontOmday;
    out.backPlace = isToday ? kBackToday : inMonth ? (past ? kBackPrday : kBackDay) : kBackOmday;
    const char* holiday = HolidayName(sources.rules, e);
    out.dayColour = holiday[0] || IsHolidayEntry(e) ? kHolidayColour : columnColour;
    bool first = cellIndex == 0 || date.tm_mday == 1;
    switch (sources.settings.showMonth) {
    case 1: out.monthToPrint = first ? date.tm_mon + 1 : 0; break;
    case 2: out.monthToPrint = first || isToday ? date.tm_mon + 1 : 0; break;
    case 3: out.monthToPrint = date.tm_mon + 1; break;
    default: out.monthToPrint = 0; break;
    }
    for (const char* text : {holiday, RuleText(sources.rules, e.personal), RuleText(sources.rules, e.holidayMemo)})
        if (text[0]) out.holidayTexts.emplace_back(text);
    out.ruleMemo = RuleText(sources.rules, e.dateMemo);
    out.memo = StoredDayMemo(out.year, out.month, out.day);
    return out;
}

void DayNumberText(const DayCellRequest& request, char* out, int outSize) {
    if (request.monthToPrint) std::snprintf(out, static_cast<size_t>(outSize), "%d/%d", request.monthToPrint, request.day);
    else std::snprintf(out, static_cast<size_t>(outSize), "%d", request.day);
}

std::vector<std::string> DayCellLines(const DayCellRequest& request, const EditOverlay& editing) {
    std::vector<std::string> lines;
    if (!request.ruleMemo.empty()) lines.push_back(request.ruleMemo);
    std::string memo = ShownMemo(request, editing);
    if (memo.empty()) return lines;
    for (std::string_view line : SplitMemoLines(memo)) lines.emplace_back(line);
    return lines;
}

int DayMemoLineCount(const DayCellRequest& request, const EditOverlay& editing) {
    std::string memo = ShownMemo(request, editing);
    int lines = static_cast<int>(SplitMemoLines(memo).size());  // an empty memo is one line
    return lines + (request.ruleMemo.empty() ? 0 : 1);
}
