#include "view/countdown_lines.h"

#include <algorithm>
#include <cstdio>

namespace {
int DigitCount(int n) {
    int digits = 0;
    for (n = n < 0 ? -n : n; n > 0; n /= 10) ++digits;
    return digits;
}

// The pieces after the date: the word before the count, the count, the word after it with the
// text part.
void Pieces(int dayOffset, const char* textPart, const char form[kCountdownFormFields][kCountdownFormSlot],
            CountdownLine* line) {
    int d = dayOffset;
    if (d != 0) {
        line->lead = d > 0 ? form[3] : form[5];
        char n[16];
        std::snprintf(n, sizeof n, "%d", d > 0 ? d : -d);
        line->number = n;
    }
    line->tail = d == 0 ? form[2] : d > 0 ? form[4] : form[6];
    line->tail += textPart;
}
}  // namespace

std::vector<CountdownLine> LayCountdownLines(const std::vector<CountdownMemo>& memos,
                                             const char form[kCountdownFormFields][kCountdownFormSlot], int today,
                                             int top, int width, int lineHeight, int zeros) {
    std::vector<CountdownLine> lines(memos.size());
    int aheadDigits = 1, pastDigits = 1;
    for (size_t i = 0; i < memos.size(); ++i) {
        int offset = DayOffset(memos[i].year, memos[i].month, memos[i].day, today);  // saturated, never overflowing
        lines[i].dayOffset = offset;
        if (offset >= 0) aheadDigits = std::max(aheadDigits, DigitCount(offset));
        else pastDigits = std::max(pastDigits, DigitCount(offset));
    }
    for (size_t i = 0; i < memos.size(); ++i) {
        CountdownLine& line = lines[i];
        line.numberWidth = zeros * (line.dayOffset >= 0 ? aheadDigits : pastDigits) / 4;
        line.left = 0;
        line.top = top + static_cast<int>(i) * lineHeight;
        line.right = width;
        line.bottom = line.top + lineHeight;
        char date[kCountdownDateTextSize], text[kCountdownTextSize];
        FormatCountdownDate(memos[i], form, date);
        FormatCountdownText(memos[i], form, text);
        line.dateText = date;
        Pieces(line.dayOffset, text, form, &line);
    }
    return lines;
}
