#include "render/text_runs.h"

#include "base/sjis.h"
#include "memo/alarm_time.h"
#include "memo/tag_words.h"

std::vector<TextRun> SplitTextRuns(const TagTable& tags, const char* text, bool alarmEmphasis) {
    std::vector<TextRun> runs;
    const unsigned char* s = reinterpret_cast<const unsigned char*>(text ? text : "");
    int style = -1, pending = 0, pendingLength = 0;
    auto flush = [&] {
        if (pendingLength > 0) runs.push_back({pending, pendingLength, style});
        pendingLength = 0;
    };
    int i = 0;
    while (s[i]) {
        if (pendingLength == 0) pending = i;
        int n = alarmEmphasis ? ScanTime(reinterpret_cast<const char*>(s + i), nullptr, nullptr) : 0;
        int tagLength = 0, tag = n > 0 ? 0 : TagWordAt(tags, reinterpret_cast<const char*>(s + i), &tagLength);
        if (n > 0 || tag > 0) {
            flush();
            if (n > 0) runs.push_back({i, n, 0});
            else style = tag;
            i += n > 0 ? n : tagLength;
            continue;
        }
        int take = n < 0 ? -n : (IsSjisLead(s[i]) ? 2 : 1);
        if (take == 2 && !s[i + 1]) break;  // a lead byte at the very end
        if (pendingLength + take > kRunMaxBytes) {
            flush();
            pending = i;
        }
        pendingLength += take;
        i += take;
    }
    flush();
    return runs;
}
