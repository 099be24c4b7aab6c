#include "app/tray_text.h"

#include <cstdio>
#include <cstring>

#include "base/sjis.h"
#include "memo/alarm_time.h"
#include "memo/tag_words.h"

std::string TrayTooltipText(const std::tm& today, const Design& design, int shellVersion,
                            const std::string& syncLine) {
    char head[64];
    std::snprintf(head, sizeof head, "%d/%d(%s)", today.tm_mon + 1, today.tm_mday, HeadLabel(design, today.tm_wday));
    std::string tip = head;
    // Before the memo, so that a long memo cut to the tip's size never takes it away.
    if (!syncLine.empty()) tip.append("\r\n").append(syncLine);
    // The tip holds so much of the memo, cut on a character boundary.
    std::string memo = AlarmTextOfDate(today.tm_year + 1900, today.tm_mon + 1, today.tm_mday);
    memo.resize(SjisFitLength(memo.c_str(), 223));
    RemoveTagWords(g_tags, memo.data());
    memo.resize(std::strlen(memo.c_str()));
    if (!memo.empty()) tip.append("\r\n").append(memo);
    if (shellVersion < 5)
        for (char& c : tip)
            if (c == '\r' || c == '\n') c = ' ';
    return tip;
}
