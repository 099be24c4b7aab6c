// Everything under the title bar of the layered edition: countdown lines, weekday head, day
// cells and the memo box. Each area is drawn in the scratch image and copied into the back
// buffer, so its background and text never bleed into a neighbour.
#include <windows.h>
#include <imm.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_globals.h"
#include "app/working_text.h"
#include "calendar/view_layout.h"
#include "memo/countdown.h"
#include "memo/memo_store.h"
#include "render/countdown_line.h"
#include "render/day_cell.h"
#include "render/layered/layered_paint_win.h"
#include "render/layered/text_draw_win.h"
#include "render/weekday_head.h"

namespace {
TextSize Tagged(DrawTarget& t, const char* text, int left, int top, int right, int bottom, const FontPlace& font,
                int dayColour, bool alarm = false) {
    TextRequest r = {&t, text, left, top, right, bottom, 0, &font, dayColour, alarm};
    return DrawTaggedText(r);
}

TextSize Run(DrawTarget& t, const char* text, int left, int top, int right, int bottom, int flags,
             const FontPlace& font, int dayColour) {
    TextRequest r = {&t, text, left, top, right, bottom, flags, &font, dayColour, false};
    return DrawTextRun(r);
}

// The caret of a highlighted cell or memo box, and the input method's window beside it.
void PlaceCaret(LayeredFrame& frame, int cell, int x, int y, int w, int h, int left, int top, int caretHeight) {
    g_edit.caretX = std::min(x, w - 1) + left;
    g_edit.caretY = std::min(y, h - 1) + top;
    if (g_edit.editingCell != cell || !g_edit.outerFrame) return;
    DrawCaret(frame.scratch, x, y, 3, caretHeight);
    if (HIMC imc = ImmGetContext(frame.window)) {
        COMPOSITIONFORM form = {};
        form.dwStyle = CFS_POINT;
        form.ptCurrentPos = {g_edit.caretX, g_edit.caretY};
        ImmSetCompositionWindow(imc, &form);
        ImmReleaseContext(frame.window, imc);
    }
}

void PaintDayCell(LayeredFrame& frame, const AppState& st, const DayCellRequest& req, const CellRect& cell) {
    const Design& d = st.design;
    const LayoutMetrics& m = st.layout;
    bool list = st.settings.calendarType == 1;
    int w = cell.right - cell.left, h = cell.bottom - cell.top;
    DrawTarget& t = frame.scratch;
    BeginArea(frame, w + 1, h);
    FillArea(t, d, 0, 0, w + 1, h + 1, req.backPlace, req.dayColour);

    // Day number, in a box two digits wide unless the month is printed.
    const FontPlace& dayFont = d.fonts[req.fontPlace];
    char number[16];
    DayNumberText(req, number, sizeof number);
    int overhang = 0;
    const char* boxText = req.monthToPrint ? number : "99";
    int boxWidth = MeasureText(t, boxText, static_cast<int>(std::strlen(boxText)), dayFont, &overhang, nullptr).width;
    int dayBottom = m.dayLineHeight + 1;
    Run(t, number, 3, 1, 3 + boxWidth, dayBottom, kTextCentre, dayFont, req.dayColour);
    int x = 3 + boxWidth + overhang + 2;
    if (list && ListHeadLabel(d, 0)[0]) {
        Run(t, ListHeadLabel(d, req.weekday), x, 1, x + frame.listHeadWidth, dayBottom, kTextCentre,
            d.fonts[kFontListHead], req.dayColour);
        x += frame.listHeadWidth + 2;
    }
    for (int i = 0; i < req.holidayCount; ++i) {
        int left = x + 2;
        x = left + Tagged(t, req.holidayTexts[i], left, 1, w + 1, dayBottom, d.fonts[kFontHoli], req.dayColour).width + 2;
    }

    // Memo lines: under the day number in the table, beside it in the list.
    bool alarm = st.settings.alarm && st.settings.alarmPaintTime;
    bool extend = st.settings.cellRowExtend != 0;
    std::vector<std::string> lines = DayCellLines(req);
    int drawn = 0, lineLeft = list ? x + 2 : 3, lineTop = list ? 1 : dayBottom;
    int lineHeight = list ? m.dayLineHeight : m.memoLineHeight;
    int endX = lineLeft, endY = lineTop;
    for (const std::string& line : lines) {
        if (!list && !extend && drawn >= d.cellLine) break;
        int width = Tagged(t, line.c_str(), lineLeft, lineTop, w + 1, lineTop + lineHeight, d.fonts[kFontDmemo],
                           req.dayColour, alarm).width;
        endX = lineLeft + width;
        endY = lineTop;
        ++drawn;
        if (list && !extend) {
            lineLeft = endX + 8;
        } else {
            lineTop += m.memoLineHeight;
            lineHeight = m.memoLineHeight;
        }
    }

    int id = kCellDayBase + req.cellIndex;
    if (g_edit.highlightedCell == id) {
        bool editing = g_edit.editingCell == id;
        int cx = editing && drawn ? endX : drawn ? lineLeft : (list ? x + 2 : 3);
        int cy = editing && drawn ? endY : drawn ? lineTop : (list ? 1 : dayBottom);
        int slot = list ? m.dayLineHeight : m.memoLineHeight;
        cy += (slot - m.memoLineHeight + 3) / 2;
        PlaceCaret(frame, id, cx, cy, w, h, cell.left, cell.top, m.memoLineHeight - 3);
        DrawSelectionFrame(t, 0, 0, w + 1, h + 1);
    }
    EndArea(frame, cell.left, cell.top, w + 1, h);
}
}  // namespace

void PaintCountdownArea(LayeredFrame& frame, const AppState& st) {
    const LayoutMetrics& m = st.layout;
    const Design& d = st.design;
    if (g_countdowns.memos.empty()) return;
    int top = m.titleHeight, height = m.cdownHeight + 1;
    if (!MeetsClip(frame, 0, top, m.winWidth, top + height)) return;
    DrawTarget& t = frame.scratch;
    BeginArea(frame, m.winWidth, height);
    FillArea(t, d, 0, 0, m.winWidth, height, kBackCdown, kWeekdayColour);
    const FontPlace& font = d.fonts[kFontCdown];
    for (size_t i = 0; i < g_countdowns.memos.size(); ++i) {
        const CountdownMemo& c = g_countdowns.memos[i];
        int lt = c.top - top, lb = c.bottom - top + 1, right = c.right - 1;
        int x = c.left + 3;
        CountdownPieces p;
        CountdownLinePieces(c, g_shell.countdownForm, &p);
        x += Tagged(t, c.dateText, x, lt, right, lb, font, kWeekdayColour).width;
        if (!p.number.empty()) {
            if (!p.lead.empty()) x += Tagged(t, p.lead.c_str(), x, lt, right, lb, font, kWeekdayColour).width;
            Run(t, p.number.c_str(), x, lt, x + c.numberWidth, lb, kTextRight, font, kWeekdayColour);
            x += c.numberWidth;
        }
        if (!p.tail.empty()) Tagged(t, p.tail.c_str(), x, lt, right, lb, font, kWeekdayColour);
        if (g_edit.highlightedCell == kCellCountdownBase + static_cast<int>(i)) {
            DrawSelectionFrame(t, c.left, lt, c.right, lb);
            g_edit.caretX = g_edit.caretY = 0;
        }
    }
    EndArea(frame, 0, top, m.winWidth, height);
}

void PaintWeekdayHead(LayeredFrame& frame, const AppState& st) {
    const LayoutMetrics& m = st.layout;
    const Design& d = st.design;
    if (st.settings.calendarType == 1) return;
    int top = m.titleHeight + m.cdownHeight;
    if (!MeetsClip(frame, 0, top, m.winWidth, top + m.headHeight)) return;
    HeadColumn columns[7];
    HeadColumns(m.winWidth, d.ratios, d.ratioSum, columns);
    for (int i = 0; i < 7; ++i) {
        int colour = ColumnColour(i, g_view.sundayColumn, g_view.saturdayColumn);
        FillArea(frame.back, d, columns[i].left, top, columns[i].right, top + m.headHeight + 1, kBackHead, colour);
        Run(frame.back, HeadLabel(d, (st.settings.beginWeek + i) % 7), columns[i].left + 1, top + 1, columns[i].right,
            top + m.headHeight + 1, kTextCentre, d.fonts[kFontHead], colour);
    }
}

void PaintDayCells(LayeredFrame& frame, const AppState& st) {
    const Design& d = st.design;
    bool list = st.settings.calendarType == 1;
    if (list && ListHeadLabel(d, 0)[0]) {
        frame.listHeadWidth = 0;
        for (int i = 0; i < 7; ++i) {
            const char* label = ListHeadLabel(d, i);
            int w = MeasureText(frame.back, label, static_cast<int>(std::strlen(label)), d.fonts[kFontListHead],
                                nullptr, nullptr).width;
            frame.listHeadWidth = std::max(frame.listHeadWidth, w);
        }
    }
    std::tm date = g_view.firstDay;
    for (size_t i = 0; i < g_view.cells.size(); ++i, date = AddDays(date, 1)) {
        CellRect cell = g_view.cells[i];
        cell.bottom = std::min(cell.bottom, g_view.memoBox.top);
        if (!MeetsClip(frame, cell.left, cell.top, cell.right + 1, cell.bottom)) continue;
        int colour = list ? WeekdayColour(date.tm_wday)
                          : ColumnColour(static_cast<int>(i % 7), g_view.sundayColumn, g_view.saturdayColumn);
        DayCellRequest req;
        GatherDayRequest(st, static_cast<int>(i), date, colour, &req);
        PaintDayCell(frame, st, req, cell);
    }
}

void PaintMemoBox(LayeredFrame& frame, const AppState& st) {
    const LayoutMetrics& m = st.layout;
    const Design& d = st.design;
    const CellRect& box = g_view.memoBox;
    if (!MeetsClip(frame, box.left, box.top, box.right, box.bottom)) return;
    int bw = box.right - box.left, bh = box.bottom - box.top;
    DrawTarget& t = frame.scratch;
    BeginArea(frame, bw, bh);
    FillArea(t, d, 0, 0, bw, bh, kBackMemo, kWeekdayColour);
    char text[4096];
    ReadFreeMemo(text, sizeof text);
    char** lines = SplitTextLines(text, 0);
    int lh = m.memoBoxLineHeight, drawn = 0, endX = 3, endY = 1;
    for (int i = 0; lines[i] && i < d.memoRow; ++i, ++drawn) {
        int top = 1 + i * lh;
        endX = 3 + Tagged(t, lines[i], 3, top, bw, top + lh, d.fonts[kFontMemo], kWeekdayColour).width;
        endY = top;
    }
    std::free(lines);
    if (g_edit.highlightedCell == kCellMemoBox) {
        bool editing = g_edit.editingCell == kCellMemoBox && drawn;
        int x = editing ? endX : 3, y = (editing ? endY : 1 + drawn * lh) + 1;
        PlaceCaret(frame, kCellMemoBox, x, y, bw, bh, box.left, box.top, m.memoLineHeight - 3);
        DrawSelectionFrame(t, 0, 0, bw, bh);
    }
    EndArea(frame, box.left, box.top, bw, bh);
}
