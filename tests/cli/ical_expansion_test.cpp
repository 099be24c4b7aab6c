// Recurring events imported by the real companion, against an independent expansion of the same
// files (Python's recurring_ical_events on the icalendar package): every occurrence it finds is a
// memo line on its date at Tokyo's local time, and nothing else is.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "tests/config/config_test_files.h"

namespace {
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

int Shell(const std::string& cmd) {
    int status = std::system(cmd.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

// Prints the expected memo lines ("date<TAB>line", sorted), "---", then the memo lines the year
// files hold. The prefixed zone names are the database's names behind a prefix, which this
// reader does not strip itself.
const char kCompare[] = R"(
import sys, glob, re, datetime, zoneinfo, icalendar, recurring_ical_events
tokyo = zoneinfo.ZoneInfo('Asia/Tokyo')
memo_dir, files = sys.argv[1], sys.argv[2:]
expected = set()
for path in files:
    data = open(path, 'rb').read()
    for prefix in (b'/mozilla.org/20070129_1/', b'/freeassociation.sourceforge.net/'):
        data = data.replace(prefix, b'')
    for cal in icalendar.Calendar.from_ical(data, multiple=True):
        for e in recurring_ical_events.of(cal).between((1970, 1, 1), (2100, 1, 2)):
            start = e['DTSTART'].dt
            end = e['DTEND'].dt if 'DTEND' in e else start
            summary = str(e.get('SUMMARY', ''))
            if isinstance(start, datetime.datetime):
                # pytz's tables stop at 2037, and with them summer time: the wall-clock time of a
                # named zone is read again with the zone database's own rules.
                zone = getattr(start.tzinfo, 'zone', None)
                if zone in zoneinfo.available_timezones():
                    start = start.replace(tzinfo=zoneinfo.ZoneInfo(zone))
                if start.tzinfo:
                    start = start.astimezone(tokyo)
                if 1970 <= start.year <= 2099:
                    expected.add((start.strftime('%Y-%m-%d'), '%d:%02d %s' % (start.hour, start.minute, summary)))
            else:
                for i in range(max(1, (end - start).days)):
                    day = start + datetime.timedelta(days=i)
                    if 1970 <= day.year <= 2099:
                        expected.add((day.strftime('%Y-%m-%d'), summary))
actual = set()
for path in glob.glob(memo_dir + '/cal_memo[0-9]*.ini'):
    year, month = int(re.search(r'memo(\d+)\.ini$', path).group(1)), 0
    for raw in open(path, 'rb').read().split(b'\r\n'):
        if raw.startswith(b'['):
            month = int(raw[1:-1])
        elif b'=' in raw:
            day, value = raw.split(b'=', 1)
            for line in value.split(b'\x7f'):
                if line:
                    actual.add(('%04d-%02d-%02d' % (year, month, int(day)), line.decode('cp932')))
for lines in (expected, actual):
    print('\n'.join('\t'.join(x) for x in sorted(lines)))
    print('---')
)";

const std::vector<std::string> kRules = {
    "BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//test//rules//EN",
    "BEGIN:VEVENT", "UID:gym@test", "DTSTART:20260105T083000", "RRULE:FREQ=WEEKLY;BYDAY=MO,WE,FR;COUNT=10",
    "EXDATE:20260109T083000", "SUMMARY:gym", "END:VEVENT",
    "BEGIN:VEVENT", "UID:payday@test", "DTSTART;VALUE=DATE:20260115",
    "RRULE:FREQ=MONTHLY;BYMONTHDAY=15,-1;UNTIL=20260831", "SUMMARY:payday", "END:VEVENT",
    "BEGIN:VEVENT", "UID:mothers@test", "DTSTART;VALUE=DATE:20260510", "RRULE:FREQ=YEARLY;BYMONTH=5;BYDAY=2SU;COUNT=5",
    "SUMMARY:mothers day", "END:VEVENT",
    "BEGIN:VEVENT", "UID:trip@test", "DTSTART;VALUE=DATE:20260720", "DTEND;VALUE=DATE:20260723",
    "RRULE:FREQ=YEARLY;COUNT=3", "EXDATE;VALUE=DATE:20270720", "RDATE;VALUE=DATE:20261228", "SUMMARY:trip",
    "END:VEVENT",
    "BEGIN:VEVENT", "UID:leap@test", "DTSTART;VALUE=DATE:19800229", "RRULE:FREQ=YEARLY", "SUMMARY:leap birthday",
    "END:VEVENT",
    "BEGIN:VEVENT", "UID:club@test", "DTSTART:20250106T190000",
    "RRULE:FREQ=MONTHLY;INTERVAL=2;BYDAY=1MO;UNTIL=20260701T000000", "SUMMARY:club", "END:VEVENT",
    "BEGIN:VEVENT", "UID:mars@test", "DTSTART;TZID=Mars/Base:20260601T080000", "RRULE:FREQ=DAILY;COUNT=2",
    "SUMMARY:mars", "END:VEVENT",
    // Past 2038 and up to the last day of 2099: a series without end, summer time of 2099.
    "BEGIN:VEVENT", "UID:far@test", "DTSTART;TZID=America/New_York:20380118T220000", "RRULE:FREQ=YEARLY;INTERVAL=30",
    "SUMMARY:far", "END:VEVENT",
    "BEGIN:VEVENT", "UID:summer@test", "DTSTART;TZID=America/New_York:20990701T090000", "SUMMARY:summer 2099",
    "END:VEVENT",
    "BEGIN:VEVENT", "UID:last@test", "DTSTART;VALUE=DATE:20991231", "DTEND;VALUE=DATE:21000102",
    "SUMMARY:last day", "END:VEVENT",
    "END:VCALENDAR"};

// Zones named and not described, UTC, and occurrences replaced by events of their own.
const std::vector<std::string> kZones = {
    "BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//test//zones//EN",
    // Every other day across the change to summer time.
    "BEGIN:VEVENT", "UID:standup@test", "DTSTART;TZID=America/New_York:20260302T093000",
    "RRULE:FREQ=DAILY;INTERVAL=2;COUNT=10",
    "EXDATE;TZID=America/New_York:20260304T093000,20260312T093000", "EXDATE:20260316T133000Z",
    "RDATE;TZID=America/New_York:20260307T110000", "SUMMARY:standup", "END:VEVENT",
    // UNTIL is the instant of the last occurrence, which still happens.
    "BEGIN:VEVENT", "UID:until@test", "DTSTART;TZID=America/Chicago:20260105T180000",
    "RRULE:FREQ=WEEKLY;UNTIL=20260127T000000Z", "SUMMARY:until", "END:VEVENT",
    "BEGIN:VEVENT", "UID:review@test", "DTSTART;TZID=Europe/Berlin:20261005T140000", "RRULE:FREQ=WEEKLY;COUNT=6",
    "SUMMARY:review", "END:VEVENT",
    "BEGIN:VEVENT", "UID:review@test", "RECURRENCE-ID;TZID=Europe/Berlin:20261019T140000",
    "DTSTART;TZID=Europe/Berlin:20261020T160000", "SUMMARY:review moved", "END:VEVENT",
    "BEGIN:VEVENT", "UID:review@test", "RECURRENCE-ID:20261102T130000Z", "DTSTART:20261102T150000Z",
    "SUMMARY:review later", "END:VEVENT",
    "BEGIN:VEVENT", "UID:tokyo@test", "DTSTART;TZID=Tokyo Standard Time:20260601T100000",
    "RRULE:FREQ=MONTHLY;BYMONTHDAY=1;COUNT=3", "SUMMARY:tokyo monthly", "END:VEVENT",
    "BEGIN:VEVENT", "UID:la@test", "DTSTART;TZID=/mozilla.org/20070129_1/America/Los_Angeles:20261025T083000",
    "RRULE:FREQ=WEEKLY;COUNT=3", "SUMMARY:los angeles", "END:VEVENT",
    "BEGIN:VEVENT", "UID:berlin@test", "DTSTART;TZID=/freeassociation.sourceforge.net/Europe/Berlin:20260328T230000",
    "RRULE:FREQ=DAILY;COUNT=3", "SUMMARY:berlin night", "END:VEVENT",
    "BEGIN:VEVENT", "UID:utc@test", "DTSTART:20261231T200000Z", "RRULE:FREQ=YEARLY;COUNT=2", "SUMMARY:utc",
    "END:VEVENT",
    "END:VCALENDAR"};

// Two calendars one after another: zones described by the file, one with standard and summer
// time alike.
const std::vector<std::string> kDescribed = {
    "BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//test//one//EN",
    "BEGIN:VTIMEZONE", "TZID:Customized Time Zone",
    "BEGIN:STANDARD", "DTSTART:16010101T000000", "TZOFFSETFROM:+0100", "TZOFFSETTO:+0100", "END:STANDARD",
    "BEGIN:DAYLIGHT", "DTSTART:16010101T000000", "TZOFFSETFROM:+0100", "TZOFFSETTO:+0100", "END:DAYLIGHT",
    "END:VTIMEZONE",
    "BEGIN:VEVENT", "UID:custom@test", "DTSTART;TZID=Customized Time Zone:20260224T120000",
    "RRULE:FREQ=WEEKLY;BYDAY=TU,TH;COUNT=4", "SUMMARY:custom", "END:VEVENT",
    "END:VCALENDAR",
    "BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//test//two//EN",
    "BEGIN:VTIMEZONE", "TZID:Eastern",
    "BEGIN:STANDARD", "DTSTART:19701101T020000", "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU", "TZOFFSETFROM:-0400",
    "TZOFFSETTO:-0500", "END:STANDARD",
    "BEGIN:DAYLIGHT", "DTSTART:19700308T020000", "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU", "TZOFFSETFROM:-0500",
    "TZOFFSETTO:-0400", "END:DAYLIGHT", "END:VTIMEZONE",
    "BEGIN:VEVENT", "UID:eastern@test", "DTSTART;TZID=Eastern:20261020T200000", "RRULE:FREQ=WEEKLY;COUNT=4",
    "EXDATE;TZID=Eastern:20261027T200000", "SUMMARY:eastern", "END:VEVENT",
    "END:VCALENDAR"};
}  // namespace

TEST(ICalendarExpansion, OccurrencesAgreeWithAnIndependentExpansion) {
    TempFolder dir;
    WriteLines(dir.File("cal.ini"), {"[CONFIG]"});
    std::vector<std::string> files;
    int index = 0;
    for (const std::vector<std::string>* calendar : {&kRules, &kZones, &kDescribed}) {
        files.push_back(dir.File("in" + std::to_string(index++) + ".ics"));
        WriteLines(files.back(), *calendar);
        std::string cmd = std::string("TZ=Asia/Tokyo '") + TESSEL_CLI + "' --config '" + dir.File("cal.ini") +
                          "' import-ics '" + files.back() + "' 2>'" + dir.File("err.txt") + "'";
        ASSERT_EQ(Shell(cmd), 0) << ReadWhole(dir.File("err.txt"));
        EXPECT_NE(ReadWhole(dir.File("err.txt")).find(Utf8(u8"取り込めないイベント 0、")), std::string::npos)
            << ReadWhole(dir.File("err.txt"));
    }
    FILE* script = std::fopen(dir.File("compare.py").c_str(), "wb");
    std::fputs(kCompare, script);
    std::fclose(script);
    std::string cmd = "/usr/bin/python3 '" + dir.File("compare.py") + "' '" + dir.Path() + "'";
    for (const std::string& f : files) cmd += " '" + f + "'";
    ASSERT_EQ(Shell(cmd + " >'" + dir.File("py.txt") + "'"), 0);
    std::string both = ReadWhole(dir.File("py.txt"));
    size_t cut = both.find("---\n");
    ASSERT_NE(cut, std::string::npos);
    std::string expected = both.substr(0, cut), actual = both.substr(cut + 4);
    actual.resize(actual.size() >= 4 ? actual.size() - 4 : 0);
    EXPECT_EQ(actual, expected);
    int lines = 0;
    for (char c : expected) lines += c == '\n';
    EXPECT_GT(lines, 80);  // the files hold that many occurrences: the comparison is not of two empty lists
}
