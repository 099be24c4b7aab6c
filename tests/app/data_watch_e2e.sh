#!/usr/bin/env bash
# The running calendar follows its data files when another program changes them: a memo stored
# by the companion shows in its cell within two seconds, a holiday written into the holiday file
# names the day, a countdown written into the common memo file adds its line. The calendar's own
# writes (a quick memo stored) are not taken in again: it stays idle, and the files stay still.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_TEST_TMP:?}"
D=$TESSEL_TEST_TMP/data_watch
mkdir -p "$D"
cp "$TESSEL_WIN_BUILD/desk-calendar.exe" "$TESSEL_WIN_BUILD/desk-calendar-cli.exe" "$D/"
. "$(dirname "$0")/e2e_common.sh"
INI=$D/cal.ini
config=$(winepath -w "$INI" 2>/dev/null)
cli() { env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine "$D/desk-calendar-cli.exe" --config "$config" "$@" >/dev/null 2>&1; }
year=$(date +%Y) month=$(date +%-m)
year_file=$D/cal_memo$year.ini

# Light, opaque cells, so that text shows as dark pixels on screen.
printf '[CONFIG]\r\nKEYASSIGN_ENABLE=1\r\nQUICKMEMO_ENABLE=1\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n[BACKS]\r\n' >"$INI"
for place in DAY TODAY PRDAY OMDAY; do
    printf '%s_COLOR=e0e0e0,e0e0e0,e0e0e0\r\n%s_TOUMEI=254\r\n' $place $place >>"$INI"
done

start "$config"
sleep 0.5

# The cell of day $1 of this month: seven 64-pixel columns, rows 75 pixels apart below the head.
first_wday=$(date -d "$(date +%Y-%m-01)" +%w)
cell_of() { local i=$(( $1 - 1 + first_wday )); CX=$(( (i % 7) * 64 + 2 )) CY=$(( 40 + (i / 7) * 75 )); }
# Dark pixels in a box of the window: x y width height, relative to the window.
dark() {
    import -window root -crop "$3x$4+$((X + $1))+$((Y + $2))" +repage png:- 2>/dev/null |
        convert - -threshold 50% -format '%[fx:int(w*h*(1-mean))]' info:
}
memo_lines() { cell_of "$1"; dark $((CX + 4)) $((CY + 18)) 56 50; }   # below the day number
day_row() { cell_of "$1"; dark $((CX + 20)) $((CY + 2)) 40 14; }       # right of the day number
# Waits up to 2 s for check $1 (a function printing a number) to print more than $2.
within_2s() {
    local v start=$(date +%s%N)
    while :; do
        v=$($1 "$3")
        [ "${v:-0}" -gt "$2" ] && { echo "yes $(( ($(date +%s%N) - start) / 1000000 )) ms"; return; }
        [ $(( $(date +%s%N) - start )) -gt 2000000000 ] && { echo "no ($v dark pixels)"; return; }
        sleep 0.1
    done
}

# --- A memo stored by the companion shows in its cell.
check "the 15th starts without memo text" "$(memo_lines 15)" 0
cli memo set "$year-$(printf %02d "$month")-15" "WWWW from the companion" || fail "the companion could not store"
seen=$(within_2s memo_lines 20 15)
check "the companion's memo shows within 2 s" "${seen%% *}" yes
echo "  ($seen)"

# --- A holiday written into the holiday file by hand names the 20th.
before=$(day_row 20)
printf '[SETTING]\r\n1=1,%d,20,-1,0,0,0,0,0,0,WWWW\r\n' "$month" >"$D/cal_holiday.ini"
seen=$(within_2s day_row "$before" 20)
check "a rule written by another program names its day within 2 s" "${seen%% *}" yes

# --- A countdown written into the common memo file adds a line above the calendar.
h_before=$HEIGHT
printf '[COUNTDOWN]\r\n01=2035,1,1,WWWW\r\n' >"$D/cal_memo.ini"
grown=no
for _ in $(seq 1 20); do
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    [ "$HEIGHT" -gt "$h_before" ] && { grown=yes; break; }
    sleep 0.1
done
check "a countdown written by another program adds its line within 2 s" "$grown" yes

# --- The calendar's own write: a quick memo on the 10th, stored with Enter.
cpu() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
unix_pid=$(xdotool getwindowpid "$WIN" 2>/dev/null)
echo "  calendar process: $unix_pid $(cut -d" " -f2 "/proc/$unix_pid/stat" 2>/dev/null)"
cell_of 10
click 60 10
sleep 0.6  # not a double click
click $((CX + 30)) $((CY + 40))
xdotool type --delay 60 'mine'
xdotool key Return
check "the quick memo is stored" "$(wait_ini "$year_file" "$month" 10 mine)" mine

sleep 1
stamp() { stat -c %Y.%s "$year_file" "$D/cal_memo.ini" "$INI" 2>/dev/null | tr '\n' ' '; }
files_before=$(stamp)
cpu_before=$(cpu "$unix_pid")
sleep 3
cpu_after=$(cpu "$unix_pid")
check "no file is written again after the calendar's own write" "$(stamp)" "$files_before"
# Clock ticks (1/100 s) spent in 3 s: a calendar that took in its own writes would rebuild in a loop.
if [ -n "$unix_pid" ] && [ $(( cpu_after - cpu_before )) -le 30 ]; then
    echo "ok: idle after its own write ($(( cpu_after - cpu_before )) ticks in 3 s)"
else
    fail "busy after its own write (pid '$unix_pid': $(( cpu_after - cpu_before )) ticks in 3 s)"
fi
check "the companion's memo is still there" "$(ini_get "$year_file" "$month" 15)" "WWWW from the companion"

stop
[ "$failures" -eq 0 ] && echo "data watch e2e: all checks passed"
[ "$failures" -eq 0 ]
