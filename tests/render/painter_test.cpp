// What goes where, painted on a surface that writes it down: the title bar and its buttons, the
// day number box, how many memo lines a cell shows, the caret and frame of a quick memo, the
// list form's weekday column and what lies outside the clip.
#include "render/painter.h"

#include <gtest/gtest.h>

#include <string>

#include "base/cell_ids.h"
#include "config/design.h"
#include "render/title_buttons.h"
#include "tests/render/recording_surface.h"
#include "tests/test_dates.h"
#include "tests/view/layout_files.h"

namespace {
class Painter : public LayoutFiles {
  protected:
    PaintResult PaintAll(RecordingSurface* s, PaintContext context = {}) {
        return PaintFrame(*s, st, context);
    }
    RecordingSurface Everything() const { return RecordingSurface({0, 0, 4000, 4000}); }
    // The window rectangle of the cell showing day of July 2026.
    CellRect CellOf(int day) const { return g_view.cells[static_cast<size_t>(CellIndexOf(day))]; }
    int CellIndexOf(int day) const { return DayNumberOf(2026, 7, day) - LocalDayNumber(g_view.firstDay); }
};

TEST_F(Painter, TitleButtonsAndDayNumbers) {
    st.settings.btnSize = 1;
    in.now = Date(2026, 7, 15);
    BuildLayout(&st, in);
    RecordingSurface s = Everything();
    PaintResult r = PaintAll(&s, PaintContext{kCellNone, kCellNone, false, true});
    ASSERT_TRUE(r.buttonsShown);
    // Seven large buttons from the right edge; the pin lies down while always on top.
    EXPECT_EQ(r.buttons[0].right, st.layout.winWidth - 2);
    EXPECT_EQ(s.Of("button").size(), 7u);
    EXPECT_EQ(s.Of("button")[5].id, ButtonBitmapId(5, 1, true));
    EXPECT_EQ(s.Of("button")[0].at.left, r.buttons[0].left);
    // A day number is centred in a box two digits wide, 3 pixels in from the cell's edge.
    CellRect c = CellOf(16);
    std::vector<RecordedCall> sixteen = s.Text("16");
    ASSERT_EQ(sixteen.size(), 1u);
    EXPECT_EQ(sixteen[0].align, kAlignCentre);
    EXPECT_EQ(sixteen[0].at.left, c.left + 3);
    EXPECT_EQ(sixteen[0].at.right, c.left + 3 + 12);
    EXPECT_EQ(sixteen[0].at.top, c.top + 1);
    // An edition that lifts boxed text moves the day number's box up, its width kept.
    RecordingSurface lifted = Everything();
    lifted.lift = 2;
    PaintAll(&lifted);
    EXPECT_EQ(lifted.Text("16")[0].at.top, c.top + 1 - 2);
    EXPECT_EQ(lifted.Text("16")[0].at.bottom, c.top + st.layout.dayLineHeight + 1 - 2);
    // Hidden buttons: none drawn, none to click.
    st.settings.btnSize = 2;
    RecordingSurface hidden = Everything();
    EXPECT_FALSE(PaintAll(&hidden).buttonsShown);
    EXPECT_TRUE(hidden.Of("button").empty());
}

TEST_F(Painter, MemoLinesQuickMemoCaretAndClip) {
    EXPECT_TRUE(WriteMemo(2026, 7, 16, "one\r\ntwo\r\nthree\r\nfour\r\nfive", false));
    in.now = Date(2026, 7, 15);
    BuildLayout(&st, in);
    CellRect c = CellOf(16);
    // A cell's area reaches one pixel into its right neighbour: a clip inside the cell's border
    // leaves the neighbours alone.
    RecordingSurface s({c.left + 1, c.top + 1, c.right - 1, c.bottom - 1});
    int cell = kCellDayBase + CellIndexOf(16);
    PaintResult r = PaintAll(&s, PaintContext{cell, kCellNone, false, false});
    // Only the cell is drawn: one area, its four lines (CELL_LINE 4), no title, no other cell.
    ASSERT_EQ(s.Of("area").size(), 1u);
    EXPECT_EQ(s.Of("area")[0].at.left, c.left);
    EXPECT_TRUE(s.Text("16").size() == 1 && s.Text("15").empty());
    EXPECT_EQ(s.Text("four").size(), 1u);
    EXPECT_TRUE(s.Text("five").empty());
    int dayBottom = st.layout.dayLineHeight + 1;
    EXPECT_EQ(s.Text("one")[0].at.top, c.top + dayBottom);
    EXPECT_EQ(s.Text("two")[0].at.top, c.top + dayBottom + st.layout.memoLineHeight);
    EXPECT_EQ(s.Text("one")[0].at.left, c.left + 3);
    // Selected, not typed into: a narrow frame, no caret drawn, the caret point under the lines.
    EXPECT_EQ(s.Of("frame").size(), 1u);
    EXPECT_FALSE(r.caretShown);
    // A quick memo: wide frame, the caret behind the last line's text.
    BeginEditing(cell, 2026, 7, 16);
    SetWorkingText("typed\r\nmore");
    RecordingSurface q({c.left + 1, c.top + 1, c.right - 1, c.bottom - 1});
    r = PaintAll(&q, PaintContext{cell, cell, true, false});
    EXPECT_EQ(q.Text("more").size(), 1u);
    EXPECT_EQ(q.Of("wide frame").size(), 1u);
    ASSERT_TRUE(r.caretShown);
    EXPECT_EQ(r.caretX, c.left + 3 + 6 * 4);
    EXPECT_EQ(q.Of("caret")[0].at.left, r.caretX);
    EndEditing();
}

// The memo box's caret is as high as the memo box's own lines, whatever the day memos' font.
TEST_F(Painter, MemoBoxCaretTakesTheMemoBoxFont) {
    st.design.fonts[kFontMemo].logFont.lfHeight = 18;
    in.now = Date(2026, 7, 15);
    BuildLayout(&st, in);
    ASSERT_NE(st.layout.memoBoxLineHeight, st.layout.memoLineHeight);
    BeginEditing(kCellMemoBox, 0, 0, 0);
    SetWorkingText("typed");
    RecordingSurface s = Everything();
    PaintResult r = PaintAll(&s, PaintContext{kCellMemoBox, kCellMemoBox, true, false});
    EndEditing();
    ASSERT_TRUE(r.caretShown);
    ASSERT_EQ(s.Of("caret").size(), 1u);
    PaintRect caret = s.Of("caret")[0].at;
    EXPECT_EQ(caret.bottom - caret.top, st.layout.memoBoxLineHeight - 3);
    // It stands behind the typed text, inside the memo box's first line.
    EXPECT_EQ(caret.left, 3 + 6 * 5);
    EXPECT_EQ(caret.top, g_view.memoBox.top + 2);
    EXPECT_LE(caret.bottom, g_view.memoBox.top + 1 + st.layout.memoBoxLineHeight);
}

// A line wider than its cell ends on a character boundary in "…" inside the cell; lines past
// CELL_LINE are marked with "▼" at the right of the last line shown.
TEST_F(Painter, LongLinesEndInAnEllipsisAndHiddenLinesAreMarked) {
    const std::string wide = "表表表表表表表表";  // 8 characters of 12 pixels: wider than the cell
    EXPECT_TRUE(WriteMemo(2026, 7, 16, (wide + "\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix").c_str(), false));
    in.now = Date(2026, 7, 15);
    BuildLayout(&st, in);
    CellRect c = CellOf(16);
    RecordingSurface s = Everything();
    PaintAll(&s);
    // The first line: whole characters, then "…", ending inside the cell's area.
    std::vector<RecordedCall> ellipsis = s.Text("…");
    ASSERT_EQ(ellipsis.size(), 1u);
    std::string kept;
    for (const RecordedCall& call : s.calls)
        if (call.what == "text" && call.at.top == c.top + st.layout.dayLineHeight + 1 && call.text != "…") kept = call.text;
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(kept.size() % 2, 0u);
    EXPECT_EQ(wide.compare(0, kept.size(), kept), 0);
    EXPECT_EQ(ellipsis[0].at.left, c.left + 3 + 6 * static_cast<int>(kept.size()));
    EXPECT_LE(ellipsis[0].at.left + 12, c.right + 1);
    EXPECT_GT(ellipsis[0].at.left + 12 + 12, c.right + 1);  // no room was left for another character
    // Four lines of six; the fourth carries the mark at the cell's right edge and ends before it.
    EXPECT_TRUE(s.Text("five").empty());
    std::vector<RecordedCall> mark = s.Text("▼");
    ASSERT_EQ(mark.size(), 1u);
    ASSERT_EQ(s.Text("four").size(), 1u);
    EXPECT_EQ(mark[0].at.top, s.Text("four")[0].at.top);
    EXPECT_EQ(mark[0].at.right, c.right);
    EXPECT_EQ(mark[0].align, kAlignRight);
    EXPECT_LT(s.Text("four")[0].at.right, mark[0].at.left);
    EXPECT_TRUE(s.Text("▲").empty());
    // A cell whose lines all fit has no mark.
    EXPECT_TRUE(WriteMemo(2026, 7, 16, "one\r\ntwo", false));
    RecordingSurface fits = Everything();
    PaintAll(&fits);
    EXPECT_TRUE(fits.Text("▼").empty());
    EXPECT_TRUE(fits.Text("…").empty());
}

// A quick memo typed into a full cell: the cell shows its last lines, the one being typed among
// them with the caret behind it, and marks the lines above with "▲".
TEST_F(Painter, AQuickMemoBelowTheShownLinesStaysInSight) {
    EXPECT_TRUE(WriteMemo(2026, 7, 16, "one\r\ntwo\r\nthree\r\nfour", false));
    in.now = Date(2026, 7, 15);
    BuildLayout(&st, in);
    CellRect c = CellOf(16);
    int cell = kCellDayBase + CellIndexOf(16);
    BeginEditing(cell, 2026, 7, 16);
    SetWorkingText("one\r\ntwo\r\nthree\r\nfour\r\ntyped");
    RecordingSurface s = Everything();
    PaintResult r = PaintAll(&s, PaintContext{cell, cell, true, false});
    EndEditing();
    EXPECT_TRUE(s.Text("one").empty());
    ASSERT_EQ(s.Text("typed").size(), 1u);
    int dayBottom = st.layout.dayLineHeight + 1;
    EXPECT_EQ(s.Text("typed")[0].at.top, c.top + dayBottom + 3 * st.layout.memoLineHeight);
    ASSERT_EQ(s.Text("▲").size(), 1u);
    EXPECT_EQ(s.Text("▲")[0].at.top, s.Text("two")[0].at.top);
    EXPECT_TRUE(s.Text("▼").empty());
    ASSERT_TRUE(r.caretShown);
    EXPECT_EQ(r.caretX, c.left + 3 + 6 * 5);
}

// The memo box shows MEMO_ROW lines and marks the rest.
TEST_F(Painter, MemoBoxMarksLinesItCannotShow) {
    ASSERT_TRUE(WriteFreeMemo("a\r\nb\r\nc\r\nd\r\ne").ok());
    in.now = Date(2026, 7, 15);
    BuildLayout(&st, in);
    RecordingSurface s = Everything();
    PaintAll(&s);
    EXPECT_TRUE(s.Text("e").empty());
    ASSERT_EQ(s.Text("▼").size(), 1u);
    ASSERT_EQ(s.Text("d").size(), 1u);
    EXPECT_EQ(s.Text("▼")[0].at.top, s.Text("d")[0].at.top);
    EXPECT_EQ(s.Text("▼")[0].at.right, g_view.memoBox.right - 1);
}

TEST_F(Painter, ListFormHasItsWeekdayColumn) {
    st.settings.calendarType = CalendarType::kList;
    std::snprintf(st.design.listHeadForm, sizeof st.design.listHeadForm, "%s", "Su,Mo,Tu,We,Th,Fr,Sat");
    const char* labels = st.design.listHeadForm;
    for (int i = 0, at = 0; i < 7; ++i) {
        st.design.listHeadLabelAt[i] = static_cast<uint8_t>(at);
        while (labels[at] && labels[at] != ',') ++at;
        if (labels[at]) st.design.listHeadForm[at++] = 0;
    }
    in.now = Date(2026, 7, 15);
    BuildLayout(&st, in);
    RecordingSurface s = Everything();
    PaintAll(&s);
    // The widest label (3 bytes) sets the column: right of the day number box, centred.
    std::vector<RecordedCall> wed = s.Text("We");
    ASSERT_FALSE(wed.empty());
    EXPECT_EQ(wed[0].align, kAlignCentre);
    EXPECT_EQ(wed[0].at.right - wed[0].at.left, 18);
    EXPECT_TRUE(s.Of("fill").size() > 30);  // a fill a day, the title and the memo box
}
// At 192 dpi the gaps of the design are twice as wide and the buttons stand twice as far apart.
TEST_F(Painter, GapsScaleWithTheLayoutsDpi) {
    st.settings.btnSize = 1;
    in.now = Date(2026, 7, 15);
    in.dpi = in.logPixelsY = 192;
    SetHeadLabels(&st.design, "SUN,MON,TUE,WED,THU,FRI,SAT");
    BuildLayout(&st, in);
    int cell = kCellDayBase + CellIndexOf(16);
    RecordingSurface s = Everything();
    PaintResult r = PaintAll(&s, PaintContext{cell, kCellNone, false, false});
    CellRect c = CellOf(16);
    ASSERT_EQ(s.Text("16").size(), 1u);
    EXPECT_EQ(s.Text("16")[0].at.left, c.left + 6);
    EXPECT_EQ(s.Text("16")[0].at.top, c.top + 2);
    EXPECT_EQ(r.caretX, c.left + 6);
    // A weekday label's box is as high as the head, below an inset of 2.
    ASSERT_EQ(s.Text("WED").size(), 1u);
    EXPECT_EQ(s.Text("WED")[0].at.top, st.layout.titleHeight + 2);
    EXPECT_EQ(s.Text("WED")[0].at.bottom - s.Text("WED")[0].at.top, st.layout.headHeight);
    ASSERT_TRUE(r.buttonsShown);
    EXPECT_EQ(r.buttons[0].right, st.layout.winWidth - 3);
    EXPECT_EQ(r.buttons[0].left - r.buttons[1].left, 16 + 4);
}
}  // namespace
