#!/usr/bin/env bash
# The holiday and regular memo dialog of the real calendar: the title band's menu item
# 祝日/定例メモ(&R)... opens it; a personal holiday typed for a weekday of the shown month and
# added (from this year on) is written to the holiday file on OK, and the calendar draws that day
# in the holiday colour at once.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_TEST_TMP:?}"
D=$TESSEL_TEST_TMP/holiday_dialog
mkdir -p "$D"
cp "$TESSEL_WIN_BUILD/desk-calendar.exe" "$D/"
INI=$D/desk-calendar.ini
HOLIDAYS=$D/tessel_holiday.ini
. "$(dirname "$0")/../app/e2e_common.sh"
dialog() { window_named 祝日/定例メモの設定; }

# A weekday of this month other than today, so that neither today's nor Sunday's colours count.
today=$(date +%-d)
for day in $(seq 10 20); do
    weekday=$(date -d "$(date +%Y-%m)-$day" +%w)
    [ "$day" != "$today" ] && [ "$weekday" -ge 1 ] && [ "$weekday" -le 5 ] && break
done
month=$(date +%-m)
# Its cell: seven 64-pixel columns, the rows 75 pixels apart below a 40-pixel head.
index=$(( day - 1 + $(date -d "$(date +%Y-%m-01)" +%w) ))
cell_x=$(( (index % 7) * 64 + 2 )) cell_y=$(( 40 + (index / 7) * 75 ))
# Pixels of the default holiday colour (ff0000 and its smoothed edges) in the top of the cell.
red_pixels() {
    import -window root -depth 8 -crop "60x30+$((X + cell_x + 2))+$((Y + cell_y + 2))" txt:- 2>/dev/null |
        LC_ALL=C awk -F'[(),]' 'NR > 1 && $3 > 160 && $4 < 90 && $5 < 90 { n++ } END { print n + 0 }'
}

printf '[CONFIG]\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n' >"$INI"
start
before=$(red_pixels)
check "the day is not drawn as a holiday before" "$before" 0
click 60 10 3
xdotool key r
check "祝日/定例メモ(&R)... opens the dialog" "$(wait_shown dialog yes)" yes

# The controls by their accelerators: the kind group, the date group, the memo, then 追加.
xdotool key alt+t Down
xdotool key alt+d
for _ in $(seq 2 "$month"); do xdotool key Down; done
xdotool key Tab
for _ in $(seq 2 "$day"); do xdotool key Down; done
xdotool key alt+m
xdotool type --delay 40 'day off'
year=$(date +%Y)
xdotool key alt+y
xdotool type --delay 40 "$year"
xdotool key alt+i
sleep 0.3
check "nothing is written before OK" "$(ini_get "$HOLIDAYS" SETTING 1)" missing
# The list holds the focus after 追加: Return presses the default button, OK.
xdotool key alt+l Return
want="1,$month,$day,-1,0,0,0,0,0,${year}0000,day off"
check "OK writes the rule" "$(wait_ini "$HOLIDAYS" SETTING 1 "$want")" "$want"
check "and ends the list behind it" "$(ini_get "$HOLIDAYS" SETTING 2)" ""
check "the dialog is closed" "$(wait_shown dialog no)" no
sleep 0.5
after=$(red_pixels)
[ "$after" -gt 20 ] && echo "ok: the day is drawn in the holiday colour ($after pixels)" ||
    fail "the day is not drawn as a holiday: $after red pixels"

# Cancel after an edit leaves the file and the calendar as they were.
click 60 10 3
xdotool key r
check "the dialog opens again" "$(wait_shown dialog yes)" yes
xdotool key alt+m ctrl+a Delete
xdotool type --delay 40 'changed'
xdotool key Escape
check "Escape closes it" "$(wait_shown dialog no)" no
check "the file keeps the rule" "$(ini_get "$HOLIDAYS" SETTING 1)" "$want"
sleep 0.5
check "the day stays a holiday" "$(red_pixels)" "$after"
stop
[ "$failures" -eq 0 ] && echo "holiday dialog e2e: all checks passed"
[ "$failures" -eq 0 ]
