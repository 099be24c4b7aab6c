// The countdown lines under the title bar, as the layout lays them out: where each line is, how
// wide the column of its count is, and its texts in the pieces the countdown area draws.
#pragma once
#include <string>
#include <vector>

#include "memo/countdown.h"

struct CountdownLine {
    int left, top, right, bottom;  // client pixels
    int dayOffset;    // days left (> 0), today (0) or days passed (< 0)
    int numberWidth;  // the column the count is drawn right aligned in
    std::string dateText;  // the date prefix
    std::string lead;      // the word before the number (empty for none, and for today)
    std::string number;    // the day count without sign; empty today
    std::string tail;      // the word after the number (or "today") joined with the text part
};

// The lines of memos counted against today (a day number), in list order from top down, as
// wide as width, each lineHeight high; zeros is the width of "0000" in the countdown font, which
// the count columns are measured by.
std::vector<CountdownLine> LayCountdownLines(const std::vector<CountdownMemo>& memos,
                                             const char form[kCountdownFormFields][kCountdownFormSlot], int today,
                                             int top, int width, int lineHeight, int zeros);
