#include "render/painter.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "base/cell_ids.h"
#include "base/sjis.h"
#include "memo/memo_codec.h"
#include "render/tagged_text.h"
#include "render/title_text.h"
#include "render/weekday_head.h"
#include "view/day_cell.h"
#include "view/view_layout.h"

namespace {
struct Painter {
    DrawSurface& s;
    const AppState& st;
    const ViewModel& v;
    const PaintContext& cx;
    const TagTable& tags;
    PaintResult result = {};
    int listHeadWidth = 0;  // widest list weekday label of this paint

    // A gap of the design, in 96-dpi pixels, at the layout's resolution.
    int Dp(int px) const { return ScaleToDpi(px, st.layout.dpi); }

    bool Meets(int left, int top, int right, int bottom) const {
        PaintRect c = s.Clip();
        return left < c.right && c.left < right && top < c.bottom && c.top < bottom && left < right && top < bottom;
    }

    int Tagged(const char* text, int left, int top, int right, int bottom, int place, int colour, bool alarm = false) {
        return DrawTaggedText(s, tags, text, PaintRect{left, top, right, bottom}, place, colour, alarm);
    }
    int Run(const char* text, int left, int top, int right, int bottom, TextAlign align, int place, int colour) {
        return s.DrawTextRun(text, static_cast<int>(std::strlen(text)), PaintRect{left, top, right, bottom}, align,
                             TextStyle{place, colour});
    }

    void TitleBar();
    void CountdownArea();
    void WeekdayHead();
    void DayCells();
    void DayCell(const DayCellRequest& req, const CellRect& cell);
    void MemoBox();
    void Caret(int cell, int x, int y, int w, int h, int left, int top, int caretHeight);
    // Draws a line's mark right-aligned at its right end; answers where the line itself must end.
    int LineMark(const char* mark, int right, int top, int bottom, int place, int colour) {
        int width = s.MeasureText(mark, static_cast<int>(std::strlen(mark)), TextStyle{place, colour}).width;
        Run(mark, right - width - Dp(1), top, right - Dp(1), bottom, kAlignRight, place, colour);
        return right - width - Dp(2);
    }
};

// Which of a text's lines a box shows: all of them, or limit of them (the last ones while the
// text is edited).
struct LineWindow {
    int first, count, total;
};
LineWindow ShownLines(int total, int limit, bool editing) {
    if (limit < 0 || total <= limit) return LineWindow{0, total, total};
    return LineWindow{editing ? total - limit : 0, limit, total};
}
// The mark of line i: "▼" on the last line shown when lines follow it, "▲" on the first when
// lines come before it; none otherwise.
const char* MarkOf(const LineWindow& w, int i) {
    if (w.count <= 0) return nullptr;
    if (i == w.first + w.count - 1 && w.first + w.count < w.total) return "▼";
    if (i == w.first && w.first > 0) return "▲";
    return nullptr;
}

// The caret point of the highlighted cell (area coordinates x, y, kept inside the area), and the
// caret itself while a quick memo is open there.
void Painter::Caret(int cell, int x, int y, int w, int h, int left, int top, int caretHeight) {
    result.caretX = std::min(x, w - 1) + left;
    result.caretY = std::min(y, h - 1) + top;
    if (cx.editing.cell != cell || !cx.quickMemo) return;
    s.DrawCaret(x, y, Dp(3), caretHeight);
    result.caretShown = true;
}

void Painter::TitleBar() {
    const LayoutMetrics& m = st.layout;
    const Design& d = st.design;
    int btnSize = st.settings.btnSize;
    // The buttons' places are learnt whether or not the title is drawn: clicks are tested on them.
    int bw = 0, bh = 0;
    result.buttonsShown = ButtonsShown(btnSize) &&
                          s.ButtonBitmapSize(ButtonBitmapId(0, btnSize, cx.alwaysOnTop), &bw, &bh) &&
                          LayButtons(m.winWidth, m.titleHeight, btnSize, bw, bh, result.buttons, ButtonScale(m.dpi));
    if (!Meets(0, 0, m.winWidth, m.titleHeight + 1)) return;
    s.FillArea(PaintRect{0, 0, m.winWidth, m.titleHeight + 1}, kBackTitle, kWeekdayColour);
    char title[256];
    FormatTitle(d.titleForm, v.displayedMonth, title, sizeof title);
    int lift = s.BoxLift(kFontTitle);
    // Text boxes keep their band's height below the inset: a line taller than its box measures
    // nothing, and centring would go astray.
    Tagged(title, Dp(1), Dp(1) - lift, m.winWidth, Dp(1) + m.titleHeight, kFontTitle, kWeekdayColour);
    if (!result.buttonsShown) return;
    for (int i = 0; i < kButtonCount; ++i) {
        const ButtonRect& b = result.buttons[i];
        s.DrawButton(ButtonBitmapId(i, btnSize, cx.alwaysOnTop), PaintRect{b.left, b.top, b.right, b.bottom});
    }
}

void Painter::CountdownArea() {
    const LayoutMetrics& m = st.layout;
    const std::vector<CountdownLine>& lines = v.countdowns;
    if (lines.empty()) return;
    int top = m.titleHeight, height = m.cdownHeight + 1;
    if (!Meets(0, top, m.winWidth, top + height)) return;
    s.BeginArea(PaintRect{0, top, m.winWidth, top + height});
    s.FillArea(PaintRect{0, 0, m.winWidth, height}, kBackCdown, kWeekdayColour);
    for (size_t i = 0; i < lines.size(); ++i) {
        const CountdownLine& c = lines[i];
        int lt = c.top - top, lb = c.bottom - top + 1, right = c.right - 1;
        int x = c.left + Dp(3);
        x += Tagged(c.dateText.c_str(), x, lt, right, lb, kFontCdown, kWeekdayColour);
        if (!c.number.empty()) {
            if (!c.lead.empty()) x += Tagged(c.lead.c_str(), x, lt, right, lb, kFontCdown, kWeekdayColour);
            Run(c.number.c_str(), x, lt, x + c.numberWidth, lb, kAlignRight, kFontCdown, kWeekdayColour);
            x += c.numberWidth;
        }
        if (!c.tail.empty()) Tagged(c.tail.c_str(), x, lt, right, lb, kFontCdown, kWeekdayColour);
        if (cx.highlightedCell == kCellCountdownBase + static_cast<int>(i)) {
            s.DrawSelectionFrame(PaintRect{c.left, lt, c.right, lb}, false);
            result.caretX = result.caretY = 0;
        }
    }
    s.EndArea();
}

void Painter::WeekdayHead() {
    const LayoutMetrics& m = st.layout;
    const Design& d = st.design;
    if (ShowsList(st.settings)) return;
    int top = m.titleHeight + m.cdownHeight;
    if (!Meets(0, top, m.winWidth, top + m.headHeight)) return;
    HeadColumn columns[7];
    HeadColumns(m.winWidth, d.ratios, d.ratioSum, columns);
    for (int i = 0; i < 7; ++i) {
        int colour = ColumnColour(i, v.sundayColumn, v.saturdayColumn);
        s.FillArea(PaintRect{columns[i].left, top, columns[i].right, top + m.headHeight + 1}, kBackHead, colour);
        Run(HeadLabel(d, (st.settings.beginWeek + i) % 7), columns[i].left + Dp(1), top + Dp(1), columns[i].right,
            top + Dp(1) + m.headHeight, kAlignCentre, kFontHead, colour);
    }
}

void Painter::DayCell(const DayCellRequest& req, const CellRect& cell) {
    const Design& d = st.design;
    const LayoutMetrics& m = st.layout;
    bool list = ShowsList(st.settings);
    int w = cell.right - cell.left, h = cell.bottom - cell.top;
    s.BeginArea(PaintRect{cell.left, cell.top, cell.left + w + 1, cell.top + h});
    s.FillArea(PaintRect{0, 0, w + 1, h + 1}, req.backPlace, req.dayColour);

    // The day number, in a box two digits wide unless the month is printed.
    char number[16];
    DayNumberText(req, number, sizeof number);
    const char* boxText = req.monthToPrint ? number : "99";
    TextExtent box = s.MeasureText(boxText, static_cast<int>(std::strlen(boxText)), TextStyle{req.fontPlace, req.dayColour});
    int dayBottom = m.dayLineHeight + 1;
    int lift = s.BoxLift(req.fontPlace);
    int g1 = Dp(1), g2 = Dp(2), g3 = Dp(3);
    Run(number, g3, g1 - lift, g3 + box.width, dayBottom - lift, kAlignCentre, req.fontPlace, req.dayColour);
    int x = g3 + box.width + box.overhang + g2;
    if (list && ListHeadLabel(d, 0)[0]) {
        Run(ListHeadLabel(d, req.weekday), x, g1, x + listHeadWidth, dayBottom, kAlignCentre, kFontListHead,
            req.dayColour);
        x += listHeadWidth + g2;
    }
    for (const std::string& holiday : req.holidayTexts) {
        int left = x + g2;
        x = left + Tagged(holiday.c_str(), left, g1, w + 1, dayBottom, kFontHoli, req.dayColour) + g2;
    }

    // Memo lines: under the day number in the table, beside it in the list.
    bool alarm = st.settings.alarm && st.settings.alarmPaintTime;
    bool extend = st.settings.cellRowExtend != 0;
    int drawn = 0, lineLeft = list ? x + g2 : g3, lineTop = list ? g1 : dayBottom;
    int lineHeight = list ? m.dayLineHeight : m.memoLineHeight;
    int endX = lineLeft, endY = lineTop;
    int id = kCellDayBase + req.cellIndex;
    std::vector<std::string> lines = DayCellLines(req, cx.editing);
    // A table cell shows CELL_LINE lines; while its memo is edited, the last ones, so that the
    // line being typed stays in sight. Lines left out are marked at the right of the nearest one.
    LineWindow shown = ShownLines(static_cast<int>(lines.size()), !list && !extend ? d.cellLine : -1,
                                  cx.editing.cell == id);
    for (int i = shown.first; i < shown.first + shown.count; ++i) {
        const std::string& line = lines[static_cast<size_t>(i)];
        const char* mark = MarkOf(shown, i);
        int right = w + 1;
        if (mark) right = LineMark(mark, right, lineTop, lineTop + lineHeight, kFontDmemo, req.dayColour);
        endX = lineLeft + Tagged(line.c_str(), lineLeft, lineTop, right, lineTop + lineHeight, kFontDmemo,
                                 req.dayColour, alarm);
        endY = lineTop;
        ++drawn;
        if (list && !extend) {
            lineLeft = endX + Dp(8);
        } else {
            lineTop += m.memoLineHeight;
            lineHeight = m.memoLineHeight;
        }
    }

    if (cx.highlightedCell == id) {
        bool editing = cx.editing.cell == id;
        int caretX = editing && drawn ? endX : drawn ? lineLeft : (list ? x + g2 : g3);
        int caretY = editing && drawn ? endY : drawn ? lineTop : (list ? g1 : dayBottom);
        int slot = list ? m.dayLineHeight : m.memoLineHeight;
        caretY += (slot - m.memoLineHeight + g3) / 2;
        Caret(id, caretX, caretY, w, h, cell.left, cell.top, m.memoLineHeight - g3);
        s.DrawSelectionFrame(PaintRect{0, 0, w + 1, h + 1}, editing && cx.quickMemo);
    }
    s.EndArea();
}

void Painter::DayCells() {
    const Design& d = st.design;
    bool list = ShowsList(st.settings);
    if (list && ListHeadLabel(d, 0)[0]) {
        for (int i = 0; i < 7; ++i) {
            const char* label = ListHeadLabel(d, i);
            int width = s.MeasureText(label, static_cast<int>(std::strlen(label)), TextStyle{kFontListHead, 0}).width;
            listHeadWidth = std::max(listHeadWidth, width);
        }
    }
    for (size_t i = 0; i < v.cells.size() && i < v.days.size(); ++i) {
        CellRect cell = v.cells[i];
        cell.bottom = std::min(cell.bottom, v.memoBox.top);
        // A cell is drawn one pixel wider than it is, over its right neighbour's first column; that
        // neighbour, drawn later, keeps the column. A cell that the clip meets only there is not
        // drawn again: a keystroke's repaint of one cell would otherwise pay for two.
        bool neighbour = i + 1 < v.cells.size() && v.cells[i + 1].top == cell.top && v.cells[i + 1].left == cell.right;
        if (!Meets(cell.left, cell.top, neighbour ? cell.right : cell.right + 1, cell.bottom)) continue;
        DayCell(v.days[i], cell);
    }
}

void Painter::MemoBox() {
    const LayoutMetrics& m = st.layout;
    const Design& d = st.design;
    const CellRect& box = v.memoBox;
    if (d.memoRow <= 0 || !Meets(box.left, box.top, box.right, box.bottom)) return;
    int bw = box.right - box.left, bh = box.bottom - box.top;
    s.BeginArea(PaintRect{box.left, box.top, box.right, box.bottom});
    s.FillArea(PaintRect{0, 0, bw, bh}, kBackMemo, kWeekdayColour);
    // The box shows the first 4095 bytes of the free memo (the view holds no more), or of what is
    // typed into it.
    bool typing = OverlaysMemoBox(cx.editing);
    std::string typed = typing ? std::string(cx.editing.text) : std::string();
    typed.resize(SjisFitLength(typed.c_str(), 4095));
    std::vector<std::string_view> lines = SplitTextLines(typing ? typed : v.memoBoxText);
    int g1 = Dp(1), g3 = Dp(3);
    int lh = m.memoBoxLineHeight, drawn = 0, endX = g3, endY = g1;
    int count = static_cast<int>(lines.size());
    LineWindow shown = ShownLines(count, d.memoRow, cx.editing.cell == kCellMemoBox);
    for (int i = shown.first; i < shown.first + shown.count; ++i, ++drawn) {
        int top = g1 + drawn * lh, right = bw;
        if (const char* mark = MarkOf(shown, i)) right = LineMark(mark, right, top, top + lh, kFontMemo, kWeekdayColour);
        endX = g3 + Tagged(std::string(lines[i]).c_str(), g3, top, right, top + lh, kFontMemo, kWeekdayColour);
        endY = top;
    }
    if (cx.highlightedCell == kCellMemoBox) {
        bool editing = cx.editing.cell == kCellMemoBox && drawn;
        int x = editing ? endX : g3, y = (editing ? endY : g1 + drawn * lh) + g1;
        Caret(kCellMemoBox, x, y, bw, bh, box.left, box.top, lh - g3);
        s.DrawSelectionFrame(PaintRect{0, 0, bw, bh}, cx.editing.cell == kCellMemoBox && cx.quickMemo);
    }
    s.EndArea();
}
}  // namespace

const TagTable& TagsOf(const PaintContext& context) {
    static const TagTable kNoTags = {};
    return context.tags ? *context.tags : kNoTags;
}

PaintResult PaintFrame(DrawSurface& surface, const AppState& state, const ViewModel& view,
                       const PaintContext& context) {
    Painter p{surface, state, view, context, TagsOf(context)};
    p.TitleBar();
    p.CountdownArea();
    p.WeekdayHead();
    p.DayCells();
    p.MemoBox();
    return p.result;
}
