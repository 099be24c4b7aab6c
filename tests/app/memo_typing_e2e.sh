#!/usr/bin/env bash
# Memos typed, undone, copied and pasted in the real calendar with key assignment and the quick
# memo on; the alarm of today's memo at start-up; hiding and showing from the tray icon.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_TEST_TMP:?}"
D=$TESSEL_TEST_TMP/memo_typing
mkdir -p "$D"
cp "$TESSEL_WIN_BUILD/desk-calendar.exe" "$D/"
INI=$D/desk-calendar.ini
. "$(dirname "$0")/e2e_common.sh"
# The stored value of the date memo of `date -d` day $1 (raw bytes), or "missing".
memo_of() { ini_get "$D/tessel_memo$(date -d "$1" +%Y).ini" "$(date -d "$1" +%-m)" "$(date -d "$1" +%-d)"; }
wait_memo() { wait_ini "$D/tessel_memo$(date -d "$1" +%Y).ini" "$(date -d "$1" +%-m)" "$(date -d "$1" +%-d)" "$2"; }

printf '[CONFIG]\r\nKEYASSIGN_ENABLE=1\r\nQUICKMEMO_ENABLE=1\r\nUSE_TASKTRAY=1\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n' >"$INI"
start

# --- Home selects today, wherever the cursor was; what is typed and Enter store today's memo.
# The first cell of the table is today only on a Sunday the 1st; then the second is clicked.
first_cell_is_today=no
[ "$(date +%-d%w)" = 10 ] && first_cell_is_today=yes
if [ $first_cell_is_today = yes ]; then click 94 60; else click 30 60; fi
xdotool key Home
sleep 0.3
xdotool type --delay 50 'lunch 12:00'
xdotool type --delay 100 'あ表'  # two characters, each two bytes (the second's trail byte 5C)
sleep 0.3
check "nothing is stored while typing" "$(memo_of today)" missing
xdotool key Return
typed=$(printf 'lunch 12:00\x82\xa0\x95\x5c')
check "typed memo stored on Enter" "$(wait_memo today "$typed")" "$typed"

# --- Undo and redo.
xdotool key ctrl+z
check "Ctrl+Z takes the memo back" "$(wait_memo today missing)" missing
xdotool key ctrl+y
check "Ctrl+Y restores it" "$(wait_memo today "$typed")" "$typed"

# --- Copy today's memo, paste it on the day before (or after, when today is the first cell).
if [ $first_cell_is_today = yes ]; then other=tomorrow; step=Right; else other=yesterday; step=Left; fi
xdotool key ctrl+c
sleep 0.2
xdotool key $step
sleep 0.2
xdotool key ctrl+v
check "Ctrl+V on another day ($other) copies the memo" "$(wait_memo $other "$typed")" "$typed"
check "today's memo is kept" "$(memo_of today)" "$typed"

# --- Hide and show by the tray icon: its menu, then a double click. Wine's stand-in for the
# notification area is at (0,0), the first icon at (12,32); menus open at the pointer.
# The icon's menu: an unnamed window at the pointer.
menu_open() { xdotool search --onlyvisible --name '' 2>/dev/null | while read -r w; do
    [ -z "$(xdotool getwindowname "$w")" ] && xdotool getwindowgeometry "$w" | grep -q 'Position: 12,32 ' && echo "$w"
done; }
tray_menu() {  # tray_menu ITEM: opens the icon's menu and clicks item 1 or 2
    # A busy machine may map the notification area, or the menu, a moment late: ask again.
    local shown=no
    for _ in 1 2 3 4 5; do
        xdotool mousemove 12 32
        sleep 0.3
        xdotool click 3
        shown=$(wait_shown menu_open yes)
        [ "$shown" = yes ] && break
        xdotool key Escape
    done
    [ "$shown" = yes ] || fail "no menu at the tray icon"
    xdotool mousemove $((12 + 28)) $((32 + 13 + ($1 - 1) * 14))
    sleep 0.3
    xdotool click 1
    wait_shown menu_open no >/dev/null
}
tray_menu 2  # 隠す(&H)
check "hidden from the tray menu" "$(wait_shown window no)" no
tray_menu 1  # 表示する(&S)
check "shown from the tray menu" "$(wait_shown window yes)" yes
xdotool mousemove 12 32
sleep 0.3
xdotool click --repeat 2 --delay 80 1
check "hidden by a double click on the icon" "$(wait_shown window no)" no
sleep 0.5
xdotool click --repeat 2 --delay 80 1
check "shown by a double click on the icon" "$(wait_shown window yes)" yes
stop

# --- The alarm of today's memo when the calendar starts: a message box titled with the date.
printf 'ALARM_STARTUP=1\r\n' >>"$INI"
start
caption=$(date +%-m/%-d)"($(LC_ALL=C date +%a | tr a-z A-Z))"
box=
for _ in $(seq 1 30); do
    box=$(xdotool search --onlyvisible --name "^$(printf '%s' "$caption" | sed 's/[()]/\\&/g')\$" 2>/dev/null | head -1)
    [ -n "$box" ] && break
    sleep 0.1
done
[ -n "$box" ] && echo "ok: the start-up alarm box is titled $caption" || fail "no alarm box titled $caption"
stop
[ "$failures" -eq 0 ] && echo "memo typing e2e: all checks passed"
[ "$failures" -eq 0 ]
