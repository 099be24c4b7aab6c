// iCalendar in and out through the real command-line companion, checked against an independent
// reader and writer (Python's icalendar package): what we write parses into the events we meant,
// what it writes lands on the dates it means, and a round trip gives the memos back.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <string>

#include "tests/config/config_test_files.h"

namespace {
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

struct Output {
    int code;
    std::string out;
};

// Runs the companion with cal.ini in dir (made empty when it is not there: a calendar ran
// there), in Tokyo's time zone; stdout is kept.
Output Cli(const TempFolder& dir, const std::string& args) {
    if (!FileExists(dir.File("cal.ini"))) WriteIni(dir.File("cal.ini"), {"[CONFIG]"});
    std::string out = dir.File("out.txt");
    std::string cmd = std::string("TZ=Asia/Tokyo '") + TESSEL_CLI + "' --config '" + dir.File("cal.ini") + "' " + args +
                      " >'" + out + "' 2>'" + dir.File("err.txt") + "'";
    int status = std::system(cmd.c_str());
    return Output{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWhole(out)};
}

// Runs a Python script (UTF-8) with the icalendar package; its stdout.
std::string Python(const TempFolder& dir, const std::string& script) {
    std::string path = dir.File("check.py"), out = dir.File("py.txt");
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(script.data(), 1, script.size(), f);
    std::fclose(f);
    int status = std::system(("/usr/bin/python3 '" + path + "' >'" + out + "'").c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << script;
    return ReadWhole(out);
}

const char kListEvents[] = R"(
import icalendar, sys
cal = icalendar.Calendar.from_ical(open(sys.argv[1] if len(sys.argv) > 1 else 'FILE', 'rb').read())
for e in cal.walk('VEVENT'):
    parts = [str(e.get('SUMMARY')), e.decoded('DTSTART').isoformat()]
    if e.get('RRULE'): parts.append(e.get('RRULE').to_ical().decode())
    if e.get('CATEGORIES'): parts.append(e.get('CATEGORIES').to_ical().decode())
    for a in e.walk('VALARM'): parts.append('alarm ' + str(a.decoded('TRIGGER')))
    print('|'.join(parts))
)";

TEST(ICalendar, ExportParsesIntoTheEventsMeant) {
    TempFolder dir;
    WriteIni(dir.File("cal.ini"), {"[CONFIG]", "ALARM=1", "ALARM_TIME=10"});
    std::string longLine = Utf8(u8"長い") + std::string(40, 'x') + Utf8(u8"メモ、区切り;と,記号\\");
    std::string memoLine = "3=" + longLine;
    // The year file in code page 932 as the program writes it: "9:30 会議", then "歯医者".
    WriteIni(dir.File("cal_memo2026.ini"), {"[12]", "8=9:30 \x89\xef\x8b\x63\x7f\x8e\x95\x88\xe3\x8e\xd2"});
    ASSERT_EQ(Cli(dir, "memo set 2026-12-09 '" + longLine + "'").code, 0);
    WriteIni(dir.File("cal_memo.ini"), {"[COUNTDOWN]", "01=2026,12,31,\x91\xe5\x8a\x41\x93\xfa"});  // 大晦日
    WriteIni(dir.File("cal_holiday.ini"), {"[SETTING]", "1=1,0,0,-1,0,0,0,0,6,0,\x8f\x54\x96\x96", // 週末: 5th Friday
                                           "2=0,2,23,-1,0,0,0,0,0,20200000,x", "3=0,13,0,-1,0,0,0,0,0,0,eq"});
    Output r = Cli(dir, "export-ics --from 2026-01-01 --to 2026-12-31 " + dir.File("out.ics"));
    ASSERT_EQ(r.code, 0);
    std::string ics = ReadWhole(dir.File("out.ics"));
    // Lines of at most 75 octets, CR LF, folded on character boundaries (Python would fail on a cut one).
    for (size_t at = 0, end; (end = ics.find("\r\n", at)) != std::string::npos; at = end + 2)
        EXPECT_LE(end - at, 75u);
    std::string script = kListEvents;
    script.replace(script.find("'FILE'"), 6, "'" + dir.File("out.ics") + "'");
    EXPECT_EQ(Python(dir, script), Utf8(u8"9:30 会議|2026-12-08T09:30:00|alarm -1 day, 23:50:00\n"
                                        u8"歯医者|2026-12-08\n") +
                                       longLine + "|2026-12-09\n" +
                                       Utf8(u8"大晦日|2026-12-31|あと何日メモ\n"
                                            u8"週末|2026-01-30|FREQ=MONTHLY;BYDAY=5FR|個人的休日\n"
                                            u8"x|2026-02-23|FREQ=YEARLY;BYMONTHDAY=23;BYMONTH=2|国民の祝日\n"
                                            u8"eq|2026-03-20|国民の祝日\n"));
}

TEST(ICalendar, ARoundTripGivesTheMemosBackAndASecondImportAddsNothing) {
    TempFolder from, to;
    WriteIni(from.File("cal_holiday.ini"), {"[SETTING]", "1=0,1,1,-1,0,0,0,0,0,0,x"});
    ASSERT_EQ(Cli(from, "memo set 2025-02-03 '10:05 dentist'").code, 0);
    ASSERT_EQ(Cli(from, "memo append 2025-02-03 ' kept blank, with; marks'").code, 0);
    ASSERT_EQ(Cli(from, Utf8(u8"memo set 2026-07-01 '会議 15:00'")).code, 0);
    ASSERT_EQ(Cli(from, "export-ics " + from.File("all.ics")).code, 0);
    ASSERT_EQ(Cli(to, "import-ics " + from.File("all.ics")).code, 0);
    EXPECT_EQ(ReadWhole(to.File("cal_memo2025.ini")), ReadWhole(from.File("cal_memo2025.ini")));
    EXPECT_EQ(ReadWhole(to.File("cal_memo2026.ini")), ReadWhole(from.File("cal_memo2026.ini")));
    std::string before = ReadWhole(to.File("cal_memo2026.ini"));
    ASSERT_EQ(Cli(to, "import-ics " + from.File("all.ics")).code, 0);
    EXPECT_EQ(ReadWhole(to.File("cal_memo2026.ini")), before);
    EXPECT_NE(ReadWhole(to.File("err.txt")).find(Utf8(u8"追加 0 行、")), std::string::npos);
}

// Memos of 2038 and 2099 go out and come back; the holidays of a far year go out with them; a
// date outside the calendar's years is refused.
TEST(ICalendar, TheYearsTo2099GoOutAndComeBack) {
    TempFolder from, to;
    std::string shipped = std::string("cp '") + TESSEL_SOURCE_DIR + "/data/tessel_holiday.ini' '" +
                          from.File("cal_holiday.ini") + "'";
    ASSERT_EQ(std::system(shipped.c_str()), 0);
    ASSERT_EQ(Cli(from, "memo set 2038-01-19 '3:14 wrap'").code, 0);
    ASSERT_EQ(Cli(from, "memo set 2099-12-31 'last day'").code, 0);
    ASSERT_EQ(Cli(from, "export-ics " + from.File("all.ics")).code, 0);
    std::string ics = ReadWhole(from.File("all.ics"));
    EXPECT_NE(ics.find("DTSTART:20380119T031400"), std::string::npos);
    EXPECT_NE(ics.find("DTSTART;VALUE=DATE:20991231"), std::string::npos);
    // The citizens' holiday of 2099 between 敬老の日 and 秋分の日, derived for that year.
    EXPECT_NE(ics.find("DTSTART;VALUE=DATE:20990922"), std::string::npos);
    ASSERT_EQ(Cli(to, "import-ics " + from.File("all.ics")).code, 0);
    EXPECT_EQ(ReadWhole(to.File("cal_memo2038.ini")), ReadWhole(from.File("cal_memo2038.ini")));
    EXPECT_EQ(ReadWhole(to.File("cal_memo2099.ini")), ReadWhole(from.File("cal_memo2099.ini")));
    EXPECT_EQ(Cli(from, "export-ics --from 2099-01-01 --to 2099-12-31 -").code, 0);
    EXPECT_EQ(Cli(from, "export-ics --to 2100-01-01 -").code, 2);
    EXPECT_EQ(Cli(from, "export-ics --from 1969-12-31 -").code, 2);
    EXPECT_NE(ReadWhole(from.File("err.txt")).find(Utf8(u8"1970 年から 2099 年まで")), std::string::npos);
}

TEST(ICalendar, ImportPlacesWhatAnotherProgramWrote) {
    TempFolder dir;
    std::string script = R"(
import icalendar, datetime
cal = icalendar.Calendar()
cal.add('prodid', '-//test//'); cal.add('version', '2.0')
def event(summary, start, **more):
    e = icalendar.Event(); e.add('uid', summary + '@test'); e.add('summary', summary); e.add('dtstart', start)
    for k, v in more.items(): e.add(k, v)
    cal.add_component(e); return e
event('weekly', datetime.date(2026, 3, 2), rrule={'freq': 'weekly', 'count': 4})
event('utc', datetime.datetime(2026, 3, 10, 20, 0, tzinfo=datetime.timezone.utc))
event('trip', datetime.date(2026, 4, 29), dtend=datetime.date(2026, 5, 2))
e = event('monthly', datetime.date(2026, 1, 30), rrule={'freq': 'monthly', 'byday': '-1FR', 'until': datetime.date(2026, 5, 1)})
e.add('exdate', datetime.date(2026, 2, 27))
event('second tuesday', datetime.date(2026, 1, 13), rrule={'freq': 'yearly', 'bymonth': [1, 6], 'byday': '2TU', 'count': 3})
event('a long summary, with; marks and \u30b9\u30da\u30fc\u30b9 that is folded somewhere in the middle \U0001F600', datetime.date(2026, 8, 1))
tz = icalendar.Timezone(); tz.add('tzid', 'Eastern')
std = icalendar.TimezoneStandard(); std.add('dtstart', datetime.datetime(1970, 11, 1, 2, 0)); std.add('tzoffsetfrom', datetime.timedelta(hours=-4)); std.add('tzoffsetto', datetime.timedelta(hours=-5)); std.add('rrule', {'freq': 'yearly', 'bymonth': 11, 'byday': '1SU'})
dst = icalendar.TimezoneDaylight(); dst.add('dtstart', datetime.datetime(1970, 3, 8, 2, 0)); dst.add('tzoffsetfrom', datetime.timedelta(hours=-5)); dst.add('tzoffsetto', datetime.timedelta(hours=-4)); dst.add('rrule', {'freq': 'yearly', 'bymonth': 3, 'byday': '2SU'})
tz.add_component(std); tz.add_component(dst); cal.add_component(tz)
e = icalendar.Event(); e.add('uid', 'ny@test'); e.add('summary', 'new york')
e['dtstart'] = icalendar.vDatetime(datetime.datetime(2026, 7, 4, 9, 0)); e['dtstart'].params['TZID'] = 'Eastern'
cal.add_component(e)
open('FILE', 'wb').write(cal.to_ical())
)";
    script.replace(script.find("'FILE'"), 6, "'" + dir.File("in.ics") + "'");
    Python(dir, script);
    ASSERT_EQ(Cli(dir, "import-ics " + dir.File("in.ics")).code, 0);
    EXPECT_NE(ReadWhole(dir.File("err.txt")).find(Utf8(u8"? にした文字 1、")), std::string::npos);
    auto memo = [&](const char* date) { return Cli(dir, std::string("memo get ") + date).out; };
    for (const char* day : {"2026-03-02", "2026-03-09", "2026-03-16", "2026-03-23"}) EXPECT_EQ(memo(day), "weekly\n") << day;
    EXPECT_EQ(memo("2026-03-30"), "");                // COUNT=4
    EXPECT_EQ(memo("2026-03-11"), "5:00 utc\n");  // 20:00 UTC is 5:00 the next morning in Tokyo
    EXPECT_EQ(memo("2026-03-10"), "");
    EXPECT_EQ(memo("2026-04-30") + memo("2026-05-01") + memo("2026-05-02"), "trip\ntrip\n");  // DTEND excluded
    EXPECT_EQ(memo("2026-02-27") + memo("2026-03-27") + memo("2026-04-24"), "monthly\nmonthly\n");  // EXDATE
    EXPECT_EQ(memo("2026-06-09") + memo("2027-01-12"), "second tuesday\nsecond tuesday\n");
    EXPECT_EQ(memo("2026-08-01"), Utf8(u8"a long summary, with; marks and スペース that is folded somewhere in the middle ?\n"));
    EXPECT_EQ(memo("2026-07-04"), "22:00 new york\n");  // 9:00 at UTC-4 in summer
}

TEST(ICalendar, ZonesNamedWithoutTheirDescriptionLandAtTheirLocalTime) {
    TempFolder dir;
    WriteIni(dir.File("zones.ics"),
             {"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//test//",
              "BEGIN:VEVENT", "UID:1", "DTSTART;TZID=America/New_York:20260704T090000", "SUMMARY:ny summer", "END:VEVENT",
              "BEGIN:VEVENT", "UID:2", "DTSTART;TZID=\"America/New_York\":20260115T090000", "SUMMARY:ny winter",
              "END:VEVENT",
              "BEGIN:VEVENT", "UID:3", "DTSTART;TZID=/freeassociation.sourceforge.net/Europe/Berlin:20260701T100000",
              "SUMMARY:berlin", "END:VEVENT",
              "BEGIN:VEVENT", "UID:4", "DTSTART;TZID=/mozilla.org/20070129_1/America/New_York:19850701T120000",
              "SUMMARY:ny 1985", "END:VEVENT",
              "BEGIN:VEVENT", "UID:5", "DTSTART;TZID=Tokyo Standard Time:20260501T090000", "SUMMARY:tokyo",
              "END:VEVENT",
              // Weekly at 9:00 in New York across the change to summer time on 8 March.
              "BEGIN:VEVENT", "UID:6", "DTSTART;TZID=Eastern Standard Time:20260301T090000",
              "RRULE:FREQ=WEEKLY;COUNT=2", "SUMMARY:weekly", "END:VEVENT",
              // Nobody knows this zone: the time as written.
              "BEGIN:VEVENT", "UID:7", "DTSTART;TZID=Mars/Olympus_Mons:20260601T080000", "SUMMARY:mars",
              "END:VEVENT",
              "END:VCALENDAR"});
    ASSERT_EQ(Cli(dir, "import-ics " + dir.File("zones.ics")).code, 0);
    std::string err = ReadWhole(dir.File("err.txt"));
    EXPECT_NE(err.find(Utf8(u8"追加 8 行、")), std::string::npos) << err;
    EXPECT_NE(err.find(Utf8(u8"取り込めないイベント 0、")), std::string::npos) << err;
    EXPECT_NE(err.find(Utf8(u8"時間帯がわからず書かれた時刻のまま置いたイベント 1")), std::string::npos) << err;
    auto memo = [&](const char* date) { return Cli(dir, std::string("memo get ") + date).out; };
    EXPECT_EQ(memo("2026-07-04"), "22:00 ny summer\n");  // 13:00 UTC
    EXPECT_EQ(memo("2026-01-15"), "23:00 ny winter\n");  // 14:00 UTC
    EXPECT_EQ(memo("2026-07-01"), "17:00 berlin\n");     // 8:00 UTC
    EXPECT_EQ(memo("1985-07-02"), "1:00 ny 1985\n");     // 16:00 UTC
    EXPECT_EQ(memo("2026-05-01"), "9:00 tokyo\n");
    EXPECT_EQ(memo("2026-03-01"), "23:00 weekly\n");     // EST
    EXPECT_EQ(memo("2026-03-08"), "22:00 weekly\n");     // EDT
    EXPECT_EQ(memo("2026-06-01"), "8:00 mars\n");
}

TEST(ICalendar, CalendarsOneAfterAnotherAndZonesDescribedOddlyAreRead) {
    TempFolder dir;
    WriteIni(dir.File("two.ics"),
             {"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//test//",
              // Standard and summer time alike: one offset, one start.
              "BEGIN:VTIMEZONE", "TZID:Customized Time Zone",
              "BEGIN:STANDARD", "DTSTART:16010101T000000", "TZOFFSETFROM:+0100", "TZOFFSETTO:+0100",
              "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU", "END:STANDARD",
              "BEGIN:DAYLIGHT", "DTSTART:16010101T000000", "TZOFFSETFROM:+0100", "TZOFFSETTO:+0100",
              "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU", "END:DAYLIGHT", "END:VTIMEZONE",
              "BEGIN:VEVENT", "UID:a", "DTSTART;TZID=Customized Time Zone:20260224T120000", "SUMMARY:first",
              "END:VEVENT", "END:VCALENDAR",
              "BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//test//",
              // Onsets listed one by one instead of a rule.
              "BEGIN:VTIMEZONE", "TZID:Listed",
              "BEGIN:STANDARD", "DTSTART:19701025T030000", "RDATE:20251026T030000,20261025T030000",
              "TZOFFSETFROM:+0200", "TZOFFSETTO:+0100", "END:STANDARD",
              "BEGIN:DAYLIGHT", "DTSTART:19700329T020000", "RDATE:20260329T020000", "TZOFFSETFROM:+0100",
              "TZOFFSETTO:+0200", "END:DAYLIGHT", "END:VTIMEZONE",
              "BEGIN:VEVENT", "UID:b", "DTSTART;TZID=Listed:20260701T100000", "SUMMARY:summer", "END:VEVENT",
              "BEGIN:VEVENT", "UID:c", "DTSTART;TZID=Listed:20261201T100000", "SUMMARY:winter", "END:VEVENT",
              "END:VCALENDAR"});
    ASSERT_EQ(Cli(dir, "import-ics " + dir.File("two.ics")).code, 0);
    auto memo = [&](const char* date) { return Cli(dir, std::string("memo get ") + date).out; };
    EXPECT_EQ(memo("2026-02-24"), "20:00 first\n");  // 11:00 UTC
    EXPECT_EQ(memo("2026-07-01"), "17:00 summer\n"); // 8:00 UTC
    EXPECT_EQ(memo("2026-12-01"), "18:00 winter\n"); // 9:00 UTC
    // What is no iCalendar at all is still refused.
    WriteIni(dir.File("card.vcf"), {"BEGIN:VCARD", "VERSION:3.0", "FN:x", "END:VCARD"});
    EXPECT_EQ(Cli(dir, "import-ics " + dir.File("card.vcf")).code, 2);
    WriteIni(dir.File("text.ics"), {"just some text"});
    EXPECT_EQ(Cli(dir, "import-ics " + dir.File("text.ics")).code, 2);
}

TEST(ICalendar, ExportHoldsTheDaysOffTheRulesDerive) {
    TempFolder dir;
    std::string cmd = "cp '" + std::string(TESSEL_SOURCE_DIR) + "/data/tessel_holiday.ini' '" + dir.File("cal_holiday.ini") + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    WriteIni(dir.File("cal.ini"), {"[CONFIG]"});
    ASSERT_EQ(Cli(dir, "export-ics --from 2026-01-01 --to 2026-12-31 " + dir.File("out.ics")).code, 0);
    std::string script = R"(
import icalendar
cal = icalendar.Calendar.from_ical(open('FILE', 'rb').read())
for e in cal.walk('VEVENT'):
    if not e.get('RRULE') and str(e.get('SUMMARY')) in ('\u632f\u66ff\u4f11\u65e5', '\u56fd\u6c11\u306e\u4f11\u65e5'):
        print(e.decoded('DTSTART').isoformat(), e.get('SUMMARY'), e.get('CATEGORIES').to_ical().decode())
)";
    script.replace(script.find("'FILE'"), 6, "'" + dir.File("out.ics") + "'");
    EXPECT_EQ(Python(dir, script), Utf8(u8"2026-05-06 振替休日 国民の祝日\n"
                                        u8"2026-09-22 国民の休日 国民の祝日\n"));
    // They come from the rules: importing the file back makes no memo of them.
    ASSERT_EQ(Cli(dir, "import-ics " + dir.File("out.ics")).code, 0);
    EXPECT_EQ(Cli(dir, "memo get 2026-05-06").out, "");
    EXPECT_EQ(Cli(dir, "memo get 2026-09-22").out, "");
}

TEST(ICalendar, ATaggedLineExportedAndImportedBackIsThereOnce) {
    TempFolder dir;
    WriteIni(dir.File("cal.ini"), {"[CONFIG]", "[COLORTAG]", "TAG1=\x81\x9a,ff0000"});  // ★
    ASSERT_EQ(Cli(dir, Utf8(u8"memo set 2026-03-03 '★誕生日\n10:00 ★会議'")).code, 0);
    ASSERT_EQ(Cli(dir, "export-ics --from 2026-03-01 --to 2026-03-31 " + dir.File("out.ics")).code, 0);
    std::string ics = ReadWhole(dir.File("out.ics"));
    EXPECT_NE(ics.find(Utf8(u8"SUMMARY:誕生日\r\n")), std::string::npos) << ics;  // as the alarms show it
    ASSERT_EQ(Cli(dir, "import-ics " + dir.File("out.ics")).code, 0);
    EXPECT_EQ(Cli(dir, "memo get 2026-03-03").out, Utf8(u8"★誕生日\n10:00 ★会議\n"));
}

TEST(ICalendar, AnEventLeftOutIsNamed) {
    TempFolder dir;
    WriteIni(dir.File("odd.ics"),
             {"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//test//",
              "BEGIN:VEVENT", "UID:1", "DTSTART:20260301T090000", "RRULE:FREQ=SECONDLY;COUNT=5",
              "SUMMARY:\xE6\x9C\x88\xE6\xAC\xA1\xE5\xA0\xB1\xE5\x91\x8A", "END:VEVENT",  // 月次報告
              "BEGIN:VEVENT", "UID:2", "SUMMARY:no start", "END:VEVENT",
              "BEGIN:VEVENT", "UID:3", "DTSTART;VALUE=DATE:20260302", "SUMMARY:fine", "END:VEVENT",
              "END:VCALENDAR"});
    ASSERT_EQ(Cli(dir, "import-ics " + dir.File("odd.ics")).code, 0);
    std::string err = ReadWhole(dir.File("err.txt"));
    EXPECT_NE(err.find(Utf8(u8"取り込めないイベント (繰り返しの規則を読めません): 2026-03-01 「月次報告」\n")),
              std::string::npos) << err;
    EXPECT_NE(err.find(Utf8(u8"取り込めないイベント (開始日時を読めません): ? 「no start」\n")), std::string::npos)
        << err;
    EXPECT_NE(err.find(Utf8(u8"追加 1 行、既にあった行 0、取り込めないイベント 2、")), std::string::npos) << err;
    EXPECT_EQ(Cli(dir, "memo get 2026-03-02").out, "fine\n");
}

TEST(ICalendar, AFileThatDoesNotParseWritesNothing) {
    TempFolder dir;
    WriteIni(dir.File("bad.ics"), {"BEGIN:VCALENDAR", "BEGIN:VEVENT", "DTSTART;VALUE=DATE:20260101", "SUMMARY:x",
                                   "END:VCALENDAR"});
    EXPECT_EQ(Cli(dir, "import-ics " + dir.File("bad.ics")).code, 2);
    EXPECT_FALSE(FileExists(dir.File("cal_memo2026.ini")));
}
}  // namespace
