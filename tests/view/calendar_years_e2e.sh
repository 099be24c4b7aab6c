#!/usr/bin/env bash
# The real calendar over the years it knows: a year at a time from this December to December
# 2099, where the steps on are grayed and do nothing visible (the month stays, drawn as before);
# a countdown to a day of 2060 made in its dialog by the day count, and its line showing that
# count.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_TEST_TMP:?}"
D=$TESSEL_TEST_TMP/calendar_years
mkdir -p "$D"
cp "$TESSEL_WIN_BUILD/desk-calendar.exe" "$D/"
INI=$D/desk-calendar.ini
. "$(dirname "$0")/../app/e2e_common.sh"
# Day number of the first day of the table that shows the month of the date $1.
first_shown() {
    local first wday
    first=$(date -u -d "$1" +%Y-%m-01)
    wday=$(date -u -d "$first" +%w)
    echo $(( $(date -u -d "$first" +%s) / 86400 - wday ))
}
day_number() { echo $(( $(date -u -d "$1" +%s) / 86400 )); }
# Large buttons, right to left from the window's edge: exit, hide, next month, ...
button_x() { echo $((WIDTH - 1 + 1 - ($1 + 1) * 18 + 8)); }
window_picture() {
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$D/$1.png" 2>/dev/null
    md5sum <"$D/$1.png" | cut -d' ' -f1
}
year_on() { xdotool mousemove $((X + 30)) $((Y + HEIGHT / 2)) keydown ctrl click 5 keyup ctrl; }
year_back() { xdotool mousemove $((X + 30)) $((Y + HEIGHT / 2)) keydown ctrl click 4 keyup ctrl; }
away() { xdotool mousemove 5 1000; sleep 0.6; }  # no tooltip or hover over the window

printf '[CONFIG]\r\nBTN_SIZE=1\r\nDAYSCROLL_KEEP=1\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n' >"$INI"
start

# --- To December of this year by the next month button, then a year at a time.
this_year=$(date +%Y)
for _ in $(seq "$(date +%-m)" 11); do click "$(button_x 2)" 10; done
if [ "$(date +%-m)" != 12 ]; then
    want=$(first_shown "$this_year-12-15")
    check "December $this_year" "$(wait_ini "$INI" CONFIG TOP_DATE "$want")" "$want"
fi
stepped=0
for year in $(seq $((this_year + 1)) 2099); do
    year_on
    want=$(first_shown "$year-12-15")
    got=$(wait_ini "$INI" CONFIG TOP_DATE "$want")
    [ "$got" = "$want" ] || { fail "a year on to December $year: TOP_DATE $got, want $want"; break; }
    stepped=$((stepped + 1))
done
check "years stepped to 2099" "$stepped" $((2099 - this_year))
last=$(first_shown 2099-12-15)
check "December 2099 starts on 29 November" "$last" "$(day_number 2099-11-29)"
eval "$(xdotool getwindowgeometry --shell "$WIN")"
away
before=$(window_picture dec2099)
colours=$(convert "$D/dec2099.png" -format '%k' info:)
[ "${colours:-0}" -gt 2 ] && echo "ok: December 2099 is drawn ($colours colours)" || fail "December 2099 is blank"

# --- The steps on do nothing: the wheel, the next month button, 1年後 of the window menu.
year_on
sleep 0.8
click "$(button_x 2)" 10
sleep 0.5
click 60 10 3
xdotool key u  # 1年後を表示(&U), grayed
sleep 0.3
xdotool key Escape
sleep 0.3
click 60 10 3
xdotool key n  # 次月を表示(&N), grayed
sleep 0.3
xdotool key Escape
sleep 0.3
check "no step past December 2099" "$(ini_get "$INI" CONFIG TOP_DATE)" "$last"
eval "$(xdotool getwindowgeometry --shell "$WIN")"
away
check "December 2099 looks as before (no wrap, no blank)" "$(window_picture after)" "$before"
year_back
check "a year back still goes" "$(wait_ini "$INI" CONFIG TOP_DATE "$(first_shown 2098-12-15)")" "$(first_shown 2098-12-15)"
stop

# --- A countdown to a day of 2060 made by its day count, and beside it two lines whose days
# passed are known: with a countdown form of only a unit a line shows only its count, so the 2060 line
# must look exactly as the line of the same count of days passed, and not as the one a day less.
today=$(day_number "$(date +%Y-%m-%d)")
target=$(day_number 2060-06-15)
n=$((target - today))
past=$(date -u -d "@$(( (today - n) * 86400 ))" +%Y,%-m,%-d)
nearer=$(date -u -d "@$(( (today - n + 1) * 86400 ))" +%Y,%-m,%-d)
# The form: no date, no text, the same unit (日) after days to go and days passed.
printf '[CONFIG]\r\nBTN_SIZE=1\r\nCDOWN_FORM=,,,,\x93\xfa,,\x93\xfa\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n' >"$INI"
printf '[COUNTDOWN]\r\n01=%s,same\r\n02=%s,one less\r\n' "$past" "$nearer" >"$D/tessel_memo.ini"
start
countdown() { window_named あと何日メモ; }
click 30 $((HEIGHT - 100)) 3
xdotool key a  # あと何日メモ(&A)...
check "the countdown dialog opens" "$(wait_shown countdown yes)" yes
# From the text back to the day count: the day, month and year lists lie between.
xdotool key shift+Tab shift+Tab shift+Tab shift+Tab End shift+Home
xdotool type --delay 60 "$n"
xdotool key Return
check "the dialog is closed" "$(wait_shown countdown no)" no
check "the countdown of 2060 is stored" "$(wait_ini "$D/tessel_memo.ini" COUNTDOWN 03 2060,6,15,)" 2060,6,15,
stop
start
away
# Lines 15 pixels high under the 19-pixel title, in date order: the two past ones, then 2060.
line() {
    import -window root -crop "140x15+$X+$((Y + 19 + $1 * 15))" +repage "$D/line$1.png" 2>/dev/null
    convert "$D/line$1.png" rgb:- | md5sum
}
same=$(line 0) less=$(line 1) ahead=$(line 2)
check "the 2060 line shows its $n days" "$ahead" "$same"
[ "$less" != "$ahead" ] && echo "ok: a count a day less looks otherwise" || fail "the lines do not tell counts apart"
stop

[ "$failures" -eq 0 ] && echo "calendar years e2e: all checks passed"
[ "$failures" -eq 0 ]
