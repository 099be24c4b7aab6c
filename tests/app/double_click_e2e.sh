#!/usr/bin/env bash
# A double click that no mouse binding catches still opens the input of what it hits: with
# "メモ入力" unbound a day opens 日付メモ; with Shift held the memo box opens メモ; with Alt held a
# countdown line opens あと何日メモ.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_TEST_TMP:?}"
D=$TESSEL_TEST_TMP/double_click
mkdir -p "$D"
cp "$TESSEL_WIN_BUILD/desk-calendar.exe" "$D/"
INI=$D/desk-calendar.ini
. "$(dirname "$0")/e2e_common.sh"
# Today's cell: seven 64-pixel columns, the rows 75 pixels apart below the title, the countdown
# line (when there is one) and the weekday head.
first=$(date -d "$(date +%Y-%m-01)" +%s)
lead=$(date -d @"$first" +%w)
index=$(( ($(date -u -d "$(date +%Y-%m-%d)" +%s) - $(date -u -d "$(date +%Y-%m-01)" +%s)) / 86400 + lead ))
rows=$(( ($(date -d "$(date +%Y-%m-01) +1 month -1 day" +%-d) + lead + 6) / 7 ))
double_click() {  # X Y [modifier]
    [ -n "${3:-}" ] && xdotool keydown "$3"
    xdotool mousemove $((X + $1)) $((Y + $2)) click --repeat 2 --delay 80 1
    [ -n "${3:-}" ] && xdotool keyup "$3"
}
wanted=
found() { window_named "$wanted"; }
opened() {  # TITLE: the dialog opened, then closed again with Escape
    wanted=$1
    local shown
    shown=$(wait_shown found yes)
    [ "$shown" = yes ] && { xdotool key Escape; wait_shown found no >/dev/null; }
    echo "$shown"
}

printf '[CONFIG]\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n[MOUSEASSIGN]\r\n40025=0\r\n' >"$INI"
start
cell_x=$(( (index % 7) * 64 + 30 )) cell_y=$(( 40 + (index / 7) * 75 + 26 ))
double_click "$cell_x" "$cell_y"
check "unbound, a double click on today opens 日付メモ" "$(opened 日付メモ)" yes
sleep 0.6
box_y=$(( 40 + rows * 75 + 10 ))
double_click 60 "$box_y" shift
check "Shift + double click on the memo box opens メモ" "$(opened メモ)" yes
stop

# A countdown line under the title band.
printf '[COUNTDOWN]\r\n01=%s,%s,%s,trip\r\n02=\r\n' "$(date -d '+3 days' +%Y)" "$(date -d '+3 days' +%-m)" \
    "$(date -d '+3 days' +%-d)" >"$D/tessel_memo.ini"
printf '[CONFIG]\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n' >"$INI"
start
double_click 60 25 alt
check "Alt + double click on a countdown line opens あと何日メモ" "$(opened あと何日メモ)" yes
stop
[ "$failures" -eq 0 ]
