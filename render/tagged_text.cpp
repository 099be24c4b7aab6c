#include "render/tagged_text.h"

#include "render/text_runs.h"

int DrawTaggedText(DrawSurface& surface, const char* text, const PaintRect& box, int fontPlace, int dayColour,
                   bool alarmEmphasis) {
    if (!text || !text[0]) return 0;
    int x = box.left;
    for (const TextRun& run : SplitTextRuns(text, alarmEmphasis)) {
        PaintRect at = {x, box.top, box.right, box.bottom};
        x += surface.DrawTextRun(text + run.start, run.length, at, kAlignLeft, TextStyle{fontPlace, dayColour, run.style});
    }
    return x - box.left;
}
