#!/usr/bin/env bash
# The memo search in the real calendar: Ctrl+F (with key assignment) opens "メモ検索", Return
# searches the year files of the data folder, a click on the "メモ" header sorts the hits,
# Alt+C copies them; pasted into today's memo with Ctrl+V they come back in that order.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_TEST_TMP:?}"
D=$TESSEL_TEST_TMP/search
mkdir -p "$D"
cp "$TESSEL_WIN_BUILD/desk-calendar.exe" "$D/"
INI=$D/desk-calendar.ini
. "$(dirname "$0")/../app/e2e_common.sh"
dialog() { window_named メモ検索; }

printf '[CONFIG]\r\nKEYASSIGN_ENABLE=1\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n' >"$INI"
# Two year files with a year between them; a line break is stored as 0x7F.
printf '[3]\r\n5=dentist Tue\r\n[7]\r\n20=call the dentist\x7fbring card\r\n' >"$D/tessel_memo2019.ini"
printf '[1]\r\n9=Dentist\r\n[11]\r\n30=zoo then dentist\r\n31=dent\x7fist\r\n' >"$D/tessel_memo2021.ini"
memo_file=$D/tessel_memo$(date +%Y).ini

start
click 60 10
xdotool key Home
sleep 0.3
xdotool key ctrl+f
check "Ctrl+F opens the search dialog" "$(wait_shown dialog yes)" yes
xdotool type --delay 60 dentist
xdotool key Return
sleep 0.5

# The "メモ" header: the list starts 7 x 25 dialog units into the client area (273 x 171 units)
# and its first column is 70 pixels wide.
eval "$(xdotool getwindowgeometry --shell "$(dialog)" | sed 's/^/DIALOG_/')"
frame=3 caption=19
units_x=$(( (DIALOG_WIDTH - 2 * frame) * 1000 / 273 ))
units_y=$(( (DIALOG_HEIGHT - 2 * frame - caption) * 1000 / 171 ))
xdotool mousemove $(( DIALOG_X + frame + 7 * units_x / 1000 + 70 + 60 )) \
    $(( DIALOG_Y + frame + caption + 25 * units_y / 1000 + 8 )) click 1
sleep 0.3
xdotool key alt+c
sleep 0.3
xdotool key Escape
check "Escape closes it" "$(wait_shown dialog no)" no

# Paste drops the tabs and stores each line break as 0x7F; the last one is not stored.
xdotool key ctrl+v
want=$(printf '2021/11/30zoo then dentist\x7f2019/03/05dentist Tue\x7f2019/07/20call the dentist  bring card')
check "the hits, sorted by memo descending, pasted into today" \
    "$(wait_ini "$memo_file" "$(date +%-m)" "$(date +%-d)" "$want")" "$want"

# --- A double click on a hit shows its month with that day current: Ctrl+V after the dialog
# closes pastes into 5 March 2019, the first hit in date order.
xdotool key ctrl+f
check "Ctrl+F opens the search dialog again" "$(wait_shown dialog yes)" yes
xdotool type --delay 60 dentist
xdotool key Return
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$(dialog)" | sed 's/^/DIALOG_/')"
xdotool mousemove $(( DIALOG_X + frame + 7 * units_x / 1000 + 20 )) \
    $(( DIALOG_Y + frame + caption + 25 * units_y / 1000 + 30 )) click --repeat 2 --delay 80 1
sleep 0.5
check "the dialog stays open after a double click" "$(wait_shown dialog yes)" yes
xdotool key Escape
check "Escape closes it" "$(wait_shown dialog no)" no
xdotool key ctrl+v
pasted=$(printf '2021/11/30zoo then dentist')
got=$(wait_ini "$D/tessel_memo2019.ini" 3 5 "$want")
case "$got" in
*"$pasted"*) echo "ok: the double-clicked hit's day is current: the paste went to 2019/03/05" ;;
*) fail "the paste did not go to 2019/03/05 (it holds '$got')" ;;
esac
stop
[ "$failures" -eq 0 ] && echo "search e2e: all checks passed"
[ "$failures" -eq 0 ]
