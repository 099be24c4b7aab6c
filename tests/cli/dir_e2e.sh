#!/usr/bin/env bash
# The companion and the calendar on the same files: a memo the Windows companion writes with
# --dir into the folder of desk-calendar.exe is found by that calendar started without
# arguments (its memo search); what the calendar stores there (the hits pasted into today) is
# what the companion then reads with --dir. With --config on the calendar's own configuration
# the companion uses other files (named after that path), as the calendar would.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_TEST_TMP:?}"
D=$TESSEL_TEST_TMP/dir/calendar
TOOLS=$TESSEL_TEST_TMP/dir/tools  # the companion lives elsewhere: --dir says whose files
mkdir -p "$D" "$TOOLS"
cp "$TESSEL_WIN_BUILD/desk-calendar.exe" "$D/"
cp "$TESSEL_WIN_BUILD/desk-calendar-cli.exe" "$TOOLS/"
. "$(dirname "$0")/../app/e2e_common.sh"
folder=$(winepath -w "$D" 2>/dev/null)
cli() { env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} timeout 60 wine "$TOOLS/desk-calendar-cli.exe" "$@" 2>"$TESSEL_TEST_TMP/dir/err.txt" | tr -d '\r'; }
dialog() { window_named メモ検索; }

printf '[CONFIG]\r\nKEYASSIGN_ENABLE=1\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n' >"$D/desk-calendar.ini"
cli --dir "$folder" memo set 2019-03-05 "from the companion" >/dev/null
check "the companion wrote the calendar's year file" "$(ini_get "$D/tessel_memo2019.ini" 3 5)" "from the companion"
check "nothing written beside the companion" "$(ls "$TOOLS")" "desk-calendar-cli.exe"

start
click 60 10
xdotool key Home
sleep 0.3
xdotool key ctrl+f
check "Ctrl+F opens the search dialog" "$(wait_shown dialog yes)" yes
xdotool type --delay 60 companion
xdotool key Return
sleep 0.5
xdotool key alt+c
sleep 0.3
xdotool key Escape
check "Escape closes it" "$(wait_shown dialog no)" no
xdotool key ctrl+v
want="2019/03/05from the companion"
check "the calendar found the memo and stored the hit in today's memo" \
    "$(wait_ini "$D/tessel_memo$(date +%Y).ini" "$(date +%-m)" "$(date +%-d)" "$want")" "$want"
stop

check "the companion reads what the calendar stored" "$(cli --dir "$folder" memo get "$(date +%F)")" "$want"
check "--config on the configuration names other files" \
    "$(cli --config "$folder\\desk-calendar.ini" memo get 2019-03-05)" ""
[ "$failures" -eq 0 ] && echo "dir e2e: all checks passed"
[ "$failures" -eq 0 ]
