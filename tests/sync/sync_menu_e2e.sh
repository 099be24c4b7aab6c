#!/usr/bin/env bash
# The calendar's own sync under Wine against a real Radicale: the window menu's 今すぐ同期(&Y)
# brings an event another client made into its cell (the month repaints) and sends the memo
# written here; with the server stopped it shows one message and loses nothing. With
# CALDAV_INTERVAL on, the calendar syncs by itself after start-up and a few seconds after a memo
# change: a failure is told once, then nothing until a sync succeeds, then told again; the day
# whose memo is being typed is left alone until it is stored.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_SOURCE_DIR:?}" "${TESSEL_TEST_TMP:?}"
D=$TESSEL_TEST_TMP/sync_menu
SRV=$TESSEL_TEST_TMP/sync_menu_server
mkdir -p "$D" "$SRV"
cp "$TESSEL_WIN_BUILD/desk-calendar.exe" "$TESSEL_WIN_BUILD/desk-calendar-cli.exe" "$D/"
. "$(dirname "$0")/../app/e2e_common.sh"
RADICALE="bash $TESSEL_SOURCE_DIR/tests/sync/radicale.sh"
trap '[ -n "$PID" ] && kill $PID 2>/dev/null; $RADICALE stop "$SRV"' EXIT
URL=$($RADICALE start "$SRV") || { echo "FAIL: radicale did not start" >&2; exit 1; }
PEER="/usr/bin/python3 $TESSEL_SOURCE_DIR/tests/sync/caldav_peer.py $URL tessel secret-pw"
INI=$D/desk-calendar.ini
year=$(date +%Y) month=$(date +%-m) ym=$(date +%Y%m)
year_file=$D/tessel_memo$year.ini
cli() { (cd "$D" && env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} timeout 120 wine "$D/desk-calendar-cli.exe" "$@" 2>&1 | tr -d '\r'); }
memo_sums() { md5sum "$D"/tessel_memo*.ini | grep -v _sync; }

# Light, opaque cells, so that text shows as dark pixels on screen.
config() {
    printf '[CONFIG]\r\nKEYASSIGN_ENABLE=1\r\nQUICKMEMO_ENABLE=1\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\nCALDAV_INTERVAL=%s\r\n[BACKS]\r\n' "$1" >"$INI"
    for place in DAY TODAY PRDAY OMDAY; do
        printf '%s_COLOR=e0e0e0,e0e0e0,e0e0e0\r\n%s_TOUMEI=254\r\n' $place $place >>"$INI"
    done
}
first_wday=$(date -d "$(date +%Y-%m-01)" +%w)
cell_of() { local i=$(( $1 - 1 + first_wday )); CX=$(( (i % 7) * 64 + 2 )) CY=$(( 40 + (i / 7) * 75 )); }
dark() {
    import -window root -crop "$3x$4+$((X + $1))+$((Y + $2))" +repage png:- 2>/dev/null |
        convert - -threshold 50% -format '%[fx:int(w*h*(1-mean))]' info:
}
memo_pixels() { cell_of "$1"; dark $((CX + 4)) $((CY + 18)) 56 50; }
# The window menu (a right click on the title band), then its last item but one: 今すぐ同期(&Y).
# Its letter is also that of 1年前を表示(&Y), so the item is reached from the menu's end.
sync_from_menu() {
    click 60 10 3
    sleep 0.5
    xdotool key Up Up Return
}
# Message boxes of the calendar: windows named Tessel besides the calendar itself.
boxes() {
    local n=0 w
    for w in $(xdotool search --onlyvisible --name '^Tessel$' 2>/dev/null); do [ "$w" != "$WIN" ] && n=$((n + 1)); done
    echo $n
}
# Waits up to $1 seconds for a message box; prints yes or no.
box_within() {
    for _ in $(seq 1 $(( $1 * 10 ))); do [ "$(boxes)" -gt 0 ] && { echo yes; return; }; sleep 0.1; done
    echo no
}
close_box() { xdotool key Return; sleep 0.5; }

config 0
printf '%s\n' secret-pw | (cd "$D" && env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine "$D/desk-calendar-cli.exe" sync setup "$URL" tessel >/dev/null 2>&1) ||
    fail "sync setup"
cli memo set "$year-$(printf %02d "$month")-20" "from this calendar" >/dev/null
$PEER add peer-1 "${ym}15" "WWWW from the phone"

start
check "the 15th starts without memo text" "$(memo_pixels 15)" 0
sync_from_menu
check "the menu item brings the other client's event" \
    "$(for _ in $(seq 1 150); do v=$(ini_get "$year_file" "$month" 15); [ "$v" = "WWWW from the phone" ] && break; sleep 0.1; done; echo "$v")" \
    "WWWW from the phone"
shown=0
for _ in $(seq 1 30); do shown=$(memo_pixels 15); [ "${shown:-0}" -gt 20 ] && break; sleep 0.1; done
[ "${shown:-0}" -gt 20 ] && echo "ok: the month repaints with it" || fail "the 15th shows no text ($shown dark pixels)"
check "and sends the memo written here" "$($PEER list | grep -c "^${ym}20|from this calendar\$")" 1
check "a sync that worked shows no message" "$(boxes)" 0

# --- The server stopped: one message, nothing lost.
before=$(memo_sums)
$RADICALE stop "$SRV"
sync_from_menu
check "a failed sync the user asked for is told" "$(box_within 30)" yes
close_box
check "the memo files are as they were" "$(memo_sums)" "$before"
stop

# --- Syncs of its own: a failure is told once, then quiet until a sync succeeds.
sed -i 's/^CALDAV_INTERVAL=0/CALDAV_INTERVAL=15/' "$INI"
start
check "the first sync after start-up fails and is told" "$(box_within 40)" yes
close_box
cell_of 10
click $((CX + 30)) $((CY + 40))
xdotool type --delay 60 'typed'
xdotool key Return
sleep 0.5
check "the memo is stored" "$(ini_get "$year_file" "$month" 10)" typed
check "the sync after that change fails quietly" "$(box_within 12)" no
$RADICALE start "$SRV" >/dev/null || fail "radicale did not start again"
click $((CX + 30)) $((CY + 40))
xdotool type --delay 60 'more'
xdotool key Return
sent=0
for _ in $(seq 1 300); do sent=$($PEER list | grep -c "^${ym}10|more\$"); [ "$sent" = 1 ] && break; sleep 0.1; done
check "a few seconds after a memo change the calendar sends it" "$sent" 1
check "without a message" "$(boxes)" 0
$RADICALE stop "$SRV"
click $((CX + 30)) $((CY + 40))
xdotool type --delay 60 '!'
xdotool key Return
check "after a success the next failure is told again" "$(box_within 30)" yes
close_box
stop

# --- A memo being typed when a sync of its own comes: its day is left alone until it is stored,
# then the next sync brings the other client's event for that day behind it and sends it.
$RADICALE start "$SRV" >/dev/null || fail "radicale did not start again"
$PEER add peer-16 "${ym}16" "from the phone"
$PEER add peer-17 "${ym}17" "the day after"
start
cell_of 16
click $((CX + 30)) $((CY + 40))
xdotool type --delay 60 'typing'
check "a sync came while typing (the next day's event arrived)" \
    "$(for _ in $(seq 1 300); do v=$(ini_get "$year_file" "$month" 17); [ "$v" = "the day after" ] && break; sleep 0.1; done; echo "$v")" \
    "the day after"
check "and left the day being typed alone" "$(ini_get "$year_file" "$month" 16)" missing
xdotool key Return
both=$(printf 'typing\x7ffrom the phone')
check "once stored, the next sync brings the event behind what was typed" \
    "$(for _ in $(seq 1 300); do v=$(ini_get "$year_file" "$month" 16); [ "$v" = "$both" ] && break; sleep 0.1; done; echo "$v")" "$both"
check "and sends the typed line" "$(for _ in $(seq 1 100); do n=$($PEER list | grep -c "^${ym}16|typing\$"); [ "$n" = 1 ] && break; sleep 0.1; done; echo "$n")" 1
stop

[ "$failures" -eq 0 ] && echo "sync menu e2e: all checks passed"
[ "$failures" -eq 0 ]
