#!/usr/bin/env bash
# The date memo dialog of the real calendar: Enter on today (with key assignment) opens it, what
# is typed shows in today's cell before anything is stored, OK stores it; a double click on the
# day opens it again on the stored text. The memo menu opens the phrase and tag dialogs.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_TEST_TMP:?}"
D=$TESSEL_TEST_TMP/memo_dialog
mkdir -p "$D"
cp "$TESSEL_WIN_BUILD/desk-calendar.exe" "$D/"
INI=$D/desk-calendar.ini
. "$(dirname "$0")/../app/e2e_common.sh"
memo_file=$D/tessel_memo$(date +%Y).ini
dialog() { window_named 日付メモ; }
# Today's cell: seven 64-pixel columns, the rows 75 pixels apart below a 40-pixel head.
first=$(date -d "$(date +%Y-%m-01)" +%s)
index=$(( ($(date -u -d "$(date +%Y-%m-%d)" +%s) - $(date -u -d "$(date +%Y-%m-01)" +%s)) / 86400 + $(date -d @"$first" +%w) ))
cell_x=$(( (index % 7) * 64 + 2 )) cell_y=$(( 40 + (index / 7) * 75 + 16 ))
# Inside the selection frame, below the day number.
cell_picture() { import -window root -crop "48x40+$((X + cell_x + 6))+$((Y + cell_y + 2))" rgb:- 2>/dev/null | md5sum; }

printf '[CONFIG]\r\nKEYASSIGN_ENABLE=1\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n' >"$INI"
start
click 60 10
xdotool key Home
sleep 0.3
empty=$(cell_picture)
xdotool key Return
check "Enter on today opens the date memo dialog" "$(wait_shown dialog yes)" yes
xdotool type --delay 60 'call 9:30'
xdotool key Return
xdotool type --delay 100 '会議'
sleep 0.5
typed=$(cell_picture)
[ "$typed" != "$empty" ] && echo "ok: the cell shows the typed text at once" || fail "the cell did not change while typing"
check "nothing stored before OK" "$(ini_get "$memo_file" "$(date +%-m)" "$(date +%-d)")" missing
eval "$(xdotool getwindowgeometry --shell "$(dialog)" | sed 's/^/DIALOG_/')"
want=$(printf 'call 9:30\x7f\x89\xef\x8b\x63')
# OK by the mouse (Enter types a new line in the memo): the button left of Cancel.
xdotool mousemove $((DIALOG_X + DIALOG_WIDTH - 124)) $((DIALOG_Y + DIALOG_HEIGHT - 27)) click 1
check "OK stores the memo" "$(wait_ini "$memo_file" "$(date +%-m)" "$(date +%-d)" "$want")" "$want"
check "the dialog is closed" "$(wait_shown dialog no)" no
stored=$(cell_picture)
check "the stored memo looks as the preview did" "$stored" "$typed"

# A double click on the day opens the dialog again; Escape leaves everything as it was.
xdotool mousemove $((X + cell_x + 30)) $((Y + cell_y + 10)) click --repeat 2 --delay 80 1
check "a double click on today opens the dialog" "$(wait_shown dialog yes)" yes
xdotool key Escape
check "Escape closes it" "$(wait_shown dialog no)" no
check "and keeps the memo" "$(ini_get "$memo_file" "$(date +%-m)" "$(date +%-d)")" "$want"

# The memo menu of a day: W opens the fixed phrases, T the tag words.
for item in "w 定型句の設定" "t タグ文字の設定"; do
    key=${item%% *} title=${item#* }
    sleep 0.6  # not a double click
    click $((cell_x + 30)) $((cell_y + 10)) 3
    xdotool key "$key"
    found() { window_named "$title"; }
    check "the memo menu's $key opens $title" "$(wait_shown found yes)" yes
    xdotool key Escape
    check "Escape closes $title" "$(wait_shown found no)" no
done
stop
[ "$failures" -eq 0 ] && echo "memo dialog e2e: all checks passed"
[ "$failures" -eq 0 ]
