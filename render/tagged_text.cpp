#include "render/tagged_text.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/sjis.h"
#include "render/text_runs.h"

namespace {
constexpr char kEllipsis[] = "\x81\x63";  // "…"

// The longest start of run (on a character boundary) that leaves room: at most `room` wide.
int FittingBytes(DrawSurface& surface, const char* text, int length, const TextStyle& style, int room) {
    std::vector<int> ends;  // every character boundary after the first character
    for (int i = 0; i < length; i += SjisCharLength(text + i)) ends.push_back(i + SjisCharLength(text + i));
    int lo = 0, hi = static_cast<int>(ends.size());  // ends[lo - 1] fits, ends[hi] does not
    while (lo < hi) {
        int mid = (lo + hi + 1) / 2;
        int end = ends[static_cast<size_t>(mid - 1)];
        if (surface.MeasureText(text, end > length ? length : end, style).width <= room) lo = mid;
        else hi = mid - 1;
    }
    return lo ? std::min(ends[static_cast<size_t>(lo - 1)], length) : 0;
}
}  // namespace

int DrawTaggedText(DrawSurface& surface, const TagTable& tags, const char* text, const PaintRect& box, int fontPlace,
                   int dayColour, bool alarmEmphasis) {
    if (!text || !text[0]) return 0;
    std::vector<TextRun> runs = SplitTextRuns(tags, text, alarmEmphasis);
    std::vector<int> widths;
    int total = 0;
    for (const TextRun& run : runs) {
        widths.push_back(surface.MeasureText(text + run.start, run.length, TextStyle{fontPlace, dayColour, run.style}).width);
        total += widths.back();
    }
    // A line wider than its box ends, on a character boundary, in "…" inside the box.
    bool cut = box.left + total > box.right;
    int x = box.left;
    for (size_t i = 0; i < runs.size(); ++i) {
        const TextRun& run = runs[i];
        TextStyle style{fontPlace, dayColour, run.style};
        PaintRect at = {x, box.top, box.right, box.bottom};
        if (!cut) {
            x += surface.DrawTextRun(text + run.start, run.length, at, kAlignLeft, style);
            continue;
        }
        int ellipsis = surface.MeasureText(kEllipsis, 2, style).width;
        if (x + widths[i] + ellipsis <= box.right) {
            x += surface.DrawTextRun(text + run.start, run.length, at, kAlignLeft, style);
            continue;
        }
        int keep = FittingBytes(surface, text + run.start, run.length, style, box.right - ellipsis - x);
        if (keep > 0) x += surface.DrawTextRun(text + run.start, keep, at, kAlignLeft, style);
        at.left = x;
        x += surface.DrawTextRun(kEllipsis, 2, at, kAlignLeft, style);
        break;
    }
    return x - box.left;
}
