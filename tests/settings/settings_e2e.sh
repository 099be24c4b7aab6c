#!/usr/bin/env bash
# The settings dialog of the real calendar: the title band's settings button opens it; the list
# form tried with テスト reshapes the calendar and キャンセル puts it back without touching the
# configuration file; chosen again and kept with OK it writes CALENDAR_TYPE=1.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_TEST_TMP:?}"
D=$TESSEL_TEST_TMP/settings
mkdir -p "$D"
cp "$TESSEL_WIN_BUILD/desk-calendar.exe" "$D/"
INI=$D/desk-calendar.ini
. "$(dirname "$0")/../app/e2e_common.sh"
dialog() { window_named カレンダーの設定; }
width() { xdotool getwindowgeometry --shell "$WIN" | sed -n 's/^WIDTH=//p'; }
# Waits (up to 3 s) until the calendar is $1 pixels wide; prints its width then.
wait_width() {
    local w
    for _ in $(seq 1 30); do
        w=$(width)
        [ "$w" = "$1" ] && break
        sleep 0.1
    done
    echo "$w"
}

# Large buttons, 16 pixels, right to left from the window's edge: the settings button is the
# seventh; the title band is 19 pixels high.
printf '[CONFIG]\r\nBTN_SIZE=1\r\nLIST_WIDTH=199\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n' >"$INI"
start
table_width=$(width)
click $((449 - 7 * 18 + 8)) 10
check "the settings button opens the settings dialog" "$(wait_shown dialog yes)" yes
before=$(md5sum <"$INI")

# The page 表示・アラーム comes first; its first list is the calendar's form.
xdotool key alt+f Down
# テスト by the mouse: its accelerator S is also the page's "行スクロール位置を保存する(&S)". The
# button stands at 136, 291 in the dialog's 371 x 309 units.
eval "$(xdotool getwindowgeometry --shell "$(dialog)" | sed 's/^/DIALOG_/')"
frame=3 caption=19
units_x=$(( (DIALOG_WIDTH - 2 * frame) * 1000 / 371 ))
units_y=$(( (DIALOG_HEIGHT - 2 * frame - caption) * 1000 / 309 ))
xdotool mousemove $(( DIALOG_X + frame + 163 * units_x / 1000 )) $(( DIALOG_Y + frame + caption + 298 * units_y / 1000 )) click 1
check "テスト shows the list form (LIST_WIDTH + 1 wide)" "$(wait_width 200)" 200
xdotool key Escape
check "キャンセル closes the dialog" "$(wait_shown dialog no)" no
check "キャンセル brings the table back" "$(wait_width "$table_width")" "$table_width"
check "nothing written by test and cancel" "$(md5sum <"$INI")" "$before"

sleep 0.5
click $((449 - 7 * 18 + 8)) 10
check "the dialog opens again" "$(wait_shown dialog yes)" yes
xdotool key alt+f Down Return
check "OK closes the dialog" "$(wait_shown dialog no)" no
check "OK writes CALENDAR_TYPE=1" "$(wait_ini "$INI" CONFIG CALENDAR_TYPE 1)" 1
check "the calendar is a list" "$(wait_width 200)" 200

# The tray icon comes as soon as its box is kept. Wine's stand-in for the notification area is
# at (0,0), the first icon at (12,32); the icon's menu is an unnamed window at the pointer.
tray_menu_open() { xdotool search --onlyvisible --name '' 2>/dev/null | while read -r w; do
    [ -z "$(xdotool getwindowname "$w")" ] && xdotool getwindowgeometry "$w" | grep -q 'Position: 12,32 ' && echo "$w"
done; }
# The window menu's 設定(&S)... opens the dialog too.
sleep 0.5
click 30 10 3
xdotool key s
check "the window menu opens the dialog" "$(wait_shown dialog yes)" yes
xdotool key alt+h Return
check "OK writes USE_TASKTRAY=1" "$(wait_ini "$INI" CONFIG USE_TASKTRAY 1)" 1
# A busy machine may map the notification area a moment after the icon was added.
tray_menu=no
for _ in 1 2 3 4 5; do
    xdotool mousemove 12 32
    sleep 0.3
    xdotool click 3
    tray_menu=$(wait_shown tray_menu_open yes)
    [ "$tray_menu" = yes ] && break
done
check "the tray icon is there at once" "$tray_menu" yes
xdotool key Escape
stop
[ "$failures" -eq 0 ] && echo "settings e2e: all checks passed"
[ "$failures" -eq 0 ]
