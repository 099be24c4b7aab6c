#!/usr/bin/env bash
# The Windows companion places events whose zones the file names without describing them (zone
# database names, prefixed names, Windows names) at their local time, from the zone table built
# into it; here on a Tokyo clock (TZ=JST-9, which the Windows runtime reads too).
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_TEST_TMP:?}"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

dir=$TESSEL_TEST_TMP/zones
mkdir -p "$dir"
cp "$TESSEL_WIN_BUILD/desk-calendar-cli.exe" "$dir/"
printf '[CONFIG]\r\n' >"$dir/cal.ini"
config=$(winepath -w "$dir/cal.ini" 2>/dev/null)
cli() { (cd "$dir" && env TZ=JST-9 LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} timeout 60 wine "$dir/desk-calendar-cli.exe" --config "$config" "$@"); }

event() {  # event UID DTSTART-LINE SUMMARY [MORE-LINES...]
    local uid=$1 start=$2 summary=$3
    shift 3
    printf 'BEGIN:VEVENT\r\nUID:%s\r\n%s\r\nSUMMARY:%s\r\n' "$uid" "$start" "$summary"
    for line in "$@"; do printf '%s\r\n' "$line"; done
    printf 'END:VEVENT\r\n'
}
{
    printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//\r\n'
    event 1 'DTSTART;TZID=America/New_York:20260704T090000' 'ny summer'
    event 2 'DTSTART;TZID="America/New_York":20260115T090000' 'ny winter'
    event 3 'DTSTART;TZID=/freeassociation.sourceforge.net/Europe/Berlin:20260701T100000' 'berlin'
    event 4 'DTSTART;TZID=/mozilla.org/20070129_1/America/New_York:19850701T120000' 'ny 1985'
    event 5 'DTSTART;TZID=Tokyo Standard Time:20260501T090000' 'tokyo'
    event 6 'DTSTART;TZID=Eastern Standard Time:20260301T090000' 'weekly' 'RRULE:FREQ=WEEKLY;COUNT=2'
    event 7 'DTSTART;TZID=Asia/Calcutta:20261001T123000' 'kolkata'
    event 8 'DTSTART;TZID=Mars/Olympus_Mons:20260601T080000' 'mars'
    printf 'END:VCALENDAR\r\n'
} >"$dir/zones.ics"

err=$(cli import-ics "$(winepath -w "$dir/zones.ics" 2>/dev/null)" 2>&1 >/dev/null)
rc=$?
[ "$rc" = 0 ] || fail "import-ics: exit $rc: $err"
echo "$err"

check() {  # check DATE EXPECTED
    local got
    got=$(cli memo get "$1" 2>&1 | tr -d '\r')
    [ "$got" = "$2" ] && echo "ok: $1 $got" || fail "$1: '$got', want '$2'"
}
check 2026-07-04 '22:00 ny summer'  # 13:00 UTC
check 2026-01-15 '23:00 ny winter'  # 14:00 UTC
check 2026-07-01 '17:00 berlin'     # 8:00 UTC
check 1985-07-02 '1:00 ny 1985'     # 16:00 UTC
check 2026-05-01 '9:00 tokyo'
check 2026-03-01 '23:00 weekly'     # EST
check 2026-03-08 '22:00 weekly'     # EDT
check 2026-10-01 '16:00 kolkata'    # 7:00 UTC
check 2026-06-01 '8:00 mars'        # unknown: as written
exit $((failures > 0))
