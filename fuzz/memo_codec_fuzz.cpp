// Memo encoding: a stored value of arbitrary bytes is decoded, then texts are written (replaced
// or appended) and read back. Whatever WriteMemo stores, ReadMemo gives back, changed only as the
// encoding says: lines end in CR LF (an LF, a TAB or a 0x7F byte ends a line too), the blanks and
// line ends at the end of the text go, and so do blanks at its start unless it starts with a space.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "calendar/calendar_years.h"
#include "config/app_state.h"
#include "fuzz_common.h"
#include "memo/memo_store.h"
#include "memo/undo_journal.h"

namespace {
// What a text reads back as once stored.
std::string Stored(const std::string& text) {
    std::vector<std::string> chars;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') continue;
        size_t n = IsSjisLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        chars.push_back(text.substr(i, n));
        i += n - 1;
    }
    auto blank = [](const std::string& c) { return c == " " || c == "\t"; };
    auto lineEnd = [](const std::string& c) { return c == "\n" || c == "\t" || c == "\x7F"; };
    size_t b = 0, e = chars.size();
    if (!chars.empty() && chars[0] != " ")
        while (b < e && blank(chars[b])) ++b;
    while (e > b && (blank(chars[e - 1]) || lineEnd(chars[e - 1]))) --e;
    std::string out;
    for (size_t i = b; i < e; ++i) out += lineEnd(chars[i]) ? "\r\n" : chars[i];
    return out;
}

struct Address {
    int year, month, day;
    const char* section;
    std::string key;
    std::string path;
};

std::string Read(const Address& a) {
    return a.month == 0 && a.year == 0 ? ReadFreeMemo(4) : ReadMemo(a.year, a.month, a.day);
}

void CheckWrite(const Address& a, const std::string& text, bool append) {
    std::string before = Read(a);
    WriteResult r = WriteMemo(a.year, a.month, a.day, text.c_str(), append);
    FUZZ_CHECK(r.ok(), "write failed: error %d", static_cast<int>(r.error));
    std::string want = Stored(text);
    if (append && !before.empty()) want = want.empty() ? before : Stored(before + "\r\n" + text);
    std::string got = Read(a);
    FUZZ_CHECK(got == want, "%s \"%s\" after \"%s\" read back as \"%s\", expected \"%s\"",
               append ? "appended" : "wrote", Show(text).c_str(), Show(before).c_str(), Show(got).c_str(),
               Show(want).c_str());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    FreshDataFiles();
    ResetUndoJournal();

    Address a;
    char section[16], key[16];
    switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0:  // a date memo
        a = {in.ConsumeIntegralInRange(kFirstCalendarYear, kLastCalendarYear), in.ConsumeIntegralInRange(1, 12),
             in.ConsumeIntegralInRange(1, 31), "", "", ""};
        std::snprintf(section, sizeof section, "%d", a.month);
        std::snprintf(key, sizeof key, "%d", a.day);
        a.path = std::string(g_files.yearMemoBase) + std::to_string(a.year) + ".ini";
        break;
    case 1:  // the free memo
        a = {0, 0, 0, "", "", g_files.memoPath};
        std::snprintf(section, sizeof section, "MEMO");
        std::snprintf(key, sizeof key, "MEMO");
        break;
    default:  // a fixed phrase
        a = {1, 0, in.ConsumeIntegralInRange(0, 15), "", "", g_files.memoPath};
        std::snprintf(section, sizeof section, "REGWORD");
        std::snprintf(key, sizeof key, "%02d", a.day + 1);
        break;
    }
    a.section = section;
    a.key = key;

    // A stored value as a file may hold it: any bytes but line ends and NUL.
    std::string raw = in.ConsumeRandomLengthString(2048);
    std::string line;
    for (char c : raw)
        if (c != '\r' && c != '\n' && c != '\0') line += c;
    PutFile(a.path, "[" + std::string(section) + "]\r\n" + a.key + "=" + line + "\r\n");
    std::string decoded = Read(a);
    for (size_t i = 0; i < decoded.size(); ++i) {
        bool pairStart = decoded[i] == '\r' && i + 1 < decoded.size() && decoded[i + 1] == '\n';
        bool pairEnd = decoded[i] == '\n' && i > 0 && decoded[i - 1] == '\r';
        FUZZ_CHECK((decoded[i] != '\r' || pairStart) && (decoded[i] != '\n' || pairEnd), "a bare line end in \"%s\"",
                   Show(decoded).c_str());
    }
    // What the dialog shows is what it stores again (the program writes only valid text).
    CheckWrite(a, ValidCp932(decoded), false);
    while (in.remaining_bytes() > 0) {
        bool append = in.ConsumeBool();
        CheckWrite(a, ValidCp932(in.ConsumeRandomLengthString(512)), append);
    }
    return 0;
}
