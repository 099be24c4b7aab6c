#include "app/tray_text.h"

#include <cstdio>

#include "base/sjis.h"
#include "memo/alarm_time.h"
#include "memo/tag_words.h"

std::string TrayTooltipText(const std::tm& today, const Design& design, int shellVersion) {
    char head[64];
    std::snprintf(head, sizeof head, "%d/%d(%s)", today.tm_mon + 1, today.tm_mday, HeadLabel(design, today.tm_wday));
    std::string tip = head;
    char memo[224];
    AlarmTextOfDate(today.tm_year + 1900, today.tm_mon + 1, today.tm_mday, memo, sizeof memo);
    RemoveTagWords(g_tags, memo);
    if (memo[0]) tip.append("\r\n").append(memo);
    if (shellVersion < 5)
        for (char& c : tip)
            if (c == '\r' || c == '\n') c = ' ';
    return tip;
}
