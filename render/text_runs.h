// A line of memo text cut into runs of one style: tag words switch the style to the end of the
// line and are not shown; alarm times are drawn in the alarm tag's style.
#pragma once
#include <vector>

#include "config/tags.h"

struct TextRun {
    int start;   // byte offset into the line
    int length;
    int style;   // 0: an alarm time (TAG_ALARM); -1: the place's own style; 1..16: that tag's style
};

constexpr int kRunMaxBytes = 255;  // longer stretches are drawn as several runs

// Runs of text in drawing order, tag words those of tags. With alarmEmphasis, alarm times become
// runs of their own.
std::vector<TextRun> SplitTextRuns(const TagTable& tags, const char* text, bool alarmEmphasis);
