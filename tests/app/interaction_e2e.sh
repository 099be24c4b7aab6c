#!/usr/bin/env bash
# The real calendar driven with the pointer and the keyboard: the title buttons, a drag by the
# title band (its position written once, at its end), a resize at the side edge, the context
# menus and an item chosen by its accelerator, keys with and without key assignment, the wheel
# with Ctrl and Shift, the hot key, and the exit button.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_TEST_TMP:?}"
D=$TESSEL_TEST_TMP/interaction
mkdir -p "$D"
cp "$TESSEL_WIN_BUILD/desk-calendar.exe" "$D/"
INI=$D/desk-calendar.ini
. "$(dirname "$0")/e2e_common.sh"
ini_value() { ini_get "$INI" CONFIG "$1"; }
wait_value() { wait_ini "$INI" CONFIG "$1" "$2"; }
# Day number of the first day of the table that shows the month `date -d` understands as $1.
first_shown() {
    local first wday
    first=$(date -d "$1" +%Y-%m-01)
    wday=$(date -d "$first" +%w)
    echo $(( $(date -u -d "$first" +%s) / 86400 - wday ))
}
next_month=$(first_shown "$(date +%Y-%m-15) +1 month")
next_year=$(first_shown "$(date +%Y-%m-15) +1 year")

# Large buttons, 16 pixels, right to left from the window's edge: exit, hide, next, this month,
# previous, pin, settings; the title band is 19 pixels high.
button_x() { echo $((449 - 1 + 1 - ($1 + 1) * 18 + 8)); }
printf '[CONFIG]\r\nBTN_SIZE=1\r\nDAYSCROLL_KEEP=1\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\nHOTKEY=1620\r\nHOTKEY_TOGGLE=1\r\n' >"$INI"
start

# --- Title buttons.
click "$(button_x 2)" 10
check "next month button" "$(wait_value TOP_DATE "$next_month")" "$next_month"
click "$(button_x 4)" 10
check "previous month button" "$(wait_value TOP_DATE 0)" 0
click "$(button_x 2)" 10
click "$(button_x 3)" 10
check "this month button" "$(wait_value TOP_DATE 0)" 0
click "$(button_x 5)" 10
check "pin button" "$(wait_value ZORDER 1)" 1

# --- A drag by the title band: the position once, at the end.
# Each replacement is a new file: another inode, or the same number again with another time.
before=$(stat -c '%i %y' "$INI")
(for _ in $(seq 1 400); do stat -c '%i %y' "$INI" 2>/dev/null; sleep 0.005; done) >"$D/inodes" &
watcher=$!
xdotool mousemove $((X + 100)) $((Y + 8)) mousedown 1
for step in 1 2 3 4 5 6; do xdotool mousemove $((X + 100 + step * 10)) $((Y + 8 + step * 5)); sleep 0.1; done
xdotool mouseup 1
sleep 0.8
kill $watcher 2>/dev/null
wait $watcher 2>/dev/null
replaced=$(grep -vxF "$before" "$D/inodes" | sort -u | wc -l)
[ "$replaced" -le 2 ] && echo "ok: a drag of six steps replaced the file $replaced times" ||
    fail "a drag of six steps replaced the file $replaced times"
x_before=$X
eval "$(xdotool getwindowgeometry --shell "$WIN")"
check "the window moved by the drag" "$((X - x_before))" 60
check "dragged position written" "$(wait_value WIN_POS_X_1280 "$X"),$(ini_value WIN_POS_Y_1024)" "$X,$Y"

# --- A resize at the right edge: the new cell width, the window fitted to it.
xdotool mousemove $((X + WIDTH - 1)) $((Y + 100)) mousedown 1
for step in 1 2 3 4 5 6 7; do xdotool mousemove $((X + WIDTH - 1 + step * 10)) $((Y + 100)); sleep 0.05; done
xdotool mouseup 1
sleep 0.8
cell=$(wait_value CELL_WIDTH 74)
check "resized cell width" "$cell" 74
eval "$(xdotool getwindowgeometry --shell "$WIN")"
check "window fitted to the cells" "$WIDTH" $((cell * 7 + 1))

# --- Context menus: the title band's, an item by its accelerator.
before_menus=$(xdotool search --onlyvisible --name '' 2>/dev/null | wc -l)
click 60 10 3
after_menus=$(xdotool search --onlyvisible --name '' 2>/dev/null | wc -l)
[ "$after_menus" -gt "$before_menus" ] && echo "ok: right click on the title opens a menu" || fail "no menu on the title"
xdotool key n
check "menu item by its accelerator" "$(wait_value TOP_DATE "$next_month")" "$next_month"
xdotool key Home  # keys do nothing without key assignment
sleep 0.5
check "keys without key assignment" "$(ini_value TOP_DATE)" "$next_month"
click 60 10 3
xdotool key t  # 今月を表示(&T)
check "this month from the menu" "$(wait_value TOP_DATE 0)" 0
click 30 $((HEIGHT / 2)) 3
after_cell=$(xdotool search --onlyvisible --name '' 2>/dev/null | wc -l)
[ "$after_cell" -gt "$before_menus" ] && echo "ok: right click on a day cell opens a menu" || fail "no menu on a cell"
xdotool key Escape
sleep 0.3

# --- The wheel: Ctrl a year on, Shift a row (a week) on.
xdotool mousemove $((X + 30)) $((Y + HEIGHT / 2))
xdotool keydown ctrl click 5 keyup ctrl
check "Ctrl and the wheel" "$(wait_value TOP_DATE "$next_year")" "$next_year"
xdotool click 4
xdotool keydown ctrl click 4 keyup ctrl
sleep 0.5
click 60 10 3
xdotool key t
wait_value TOP_DATE 0 >/dev/null
this_week=$(first_shown "$(date +%Y-%m-15)")
xdotool mousemove $((X + 30)) $((Y + HEIGHT / 2))
xdotool keydown shift click 5 keyup shift
check "Shift and the wheel" "$(wait_value TOP_DATE $((this_week + 7)))" $((this_week + 7))
stop

# --- Keys with key assignment; the hot key sends the calendar away when it is in front.
printf 'KEYASSIGN_ENABLE=1\r\n' >>"$INI"
sed -i 's/^TOP_DATE=.*/TOP_DATE=0\r/' "$INI"
start
click 30 $((HEIGHT / 2))
xdotool key Next
check "PageDown with key assignment" "$(wait_value TOP_DATE "$next_month")" "$next_month"
xdotool key Prior
check "PageUp with key assignment" "$(wait_value TOP_DATE 0)" 0
sleep 0.6  # two clicks on a day within the double-click time open its memo dialog
click 30 $((HEIGHT / 2))
xdotool key ctrl+alt+t
gone=no
for _ in $(seq 1 30); do [ -z "$(window)" ] && { gone=yes; break; }; sleep 0.1; done
check "the hot key hides the calendar in front" "$gone" yes
# A second start shows it again; then the exit button ends it with 0.
env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine "$D/desk-calendar.exe" >/dev/null 2>&1
for _ in $(seq 1 30); do WIN=$(window); [ -n "$WIN" ] && break; sleep 0.1; done
[ -n "$WIN" ] || fail "not shown again"
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$WIN")"
click "$(( WIDTH - 1 + 1 - 18 + 8 ))" 10
ended=no
for _ in $(seq 1 50); do kill -0 "$PID" 2>/dev/null || { ended=yes; break; }; sleep 0.1; done
check "the exit button ends the calendar" "$ended" yes
wait "$PID"
check "exit code" "$?" 0
PID=
[ "$failures" -eq 0 ] && echo "interaction e2e: all checks passed"
[ "$failures" -eq 0 ]
