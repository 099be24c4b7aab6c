#!/usr/bin/env bash
# Both programs on a 144-dpi screen (the prefix's LogPixels, put back afterwards so the other
# tests stay at 96): the window opens at one and a half times its 96-dpi size for the same files,
# the buttons answer where they are drawn, and the files keep their 96-dpi values.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_TEST_TMP:?}"
D=$TESSEL_TEST_TMP/high-dpi
mkdir -p "$D"
cp "$TESSEL_WIN_BUILD/desk-calendar.exe" "$TESSEL_WIN_BUILD/desk-calendar-classic.exe" "$D/"
INI=$D/desk-calendar.ini
. "$(dirname "$0")/e2e_common.sh"
ini_value() { ini_get "$INI" CONFIG "$1"; }

DESKTOP='HKCU\Control Panel\Desktop'
reg_dpi() { env LC_ALL=C.UTF-8 wine reg "$@" </dev/null >/dev/null 2>&1; }
old_dpi=$(env LC_ALL=C.UTF-8 wine reg query "$DESKTOP" /v LogPixels 2>/dev/null | tr -d '\r' |
          awk '$1 == "LogPixels" { print $3 }')
restore_dpi() {
    if [ -n "$old_dpi" ]; then reg_dpi add "$DESKTOP" /v LogPixels /t REG_DWORD /d "$((old_dpi))" /f
    else reg_dpi delete "$DESKTOP" /v LogPixels /f; fi
}
trap '[ -n "$PID" ] && kill $PID 2>/dev/null; restore_dpi' EXIT

fresh_config() {
    printf '[CONFIG]\r\nBTN_SIZE=1\r\nCELL_WIDTH=64\r\nDAYSCROLL_KEEP=1\r\nWIN_POS_X_1280=200\r\nWIN_POS_Y_1024=100\r\n' >"$INI"
}
# What the calendar of the layered edition opens at and writes.
run_layered() {
    start
    w=$WIDTH h=$HEIGHT
    stop
    kept=$(ini_value WIN_HEIGHT_1024)
}

# --- At 96 dpi.
fresh_config
run_layered
check "96 dpi: width" "$w" 449
w96=$w h96=$h

# --- At 144 dpi, the same files.
reg_dpi add "$DESKTOP" /v LogPixels /t REG_DWORD /d 144 /f || fail "LogPixels not set"
fresh_config
start
w=$WIDTH h=$HEIGHT
case $w in 673 | 674) echo "ok: 144 dpi: width $w" ;; *) fail "144 dpi: width $w, want 673 or 674" ;; esac
# Fonts scale exactly; the gaps round up a little.
[ "$h" -ge $((h96 * 3 / 2)) ] && [ "$h" -le $((h96 * 3 / 2 + 30)) ] || fail "144 dpi: height $h for $h96 at 96 dpi"
kept=$(ini_value WIN_HEIGHT_1024)
check "144 dpi: the height is kept in 96-dpi pixels" "$kept" "$(((h * 2 + 1) / 3))"
# The large buttons are drawn twice as large: next month is the third from the right, 36 apart.
next_x=$((w + 1 - 3 * 36 + 16))
click "$next_x" 18
first=$(date -d "$(date +%Y-%m-15) +1 month" +%Y-%m-01)
next_month=$(($(date -u -d "$first" +%s) / 86400 - $(date -d "$first" +%w)))
check "144 dpi: the next-month button where it is drawn" "$(wait_ini "$INI" CONFIG TOP_DATE "$next_month")" "$next_month"
stop
check "144 dpi: cell width stays 64 in the file" "$(ini_value CELL_WIDTH)" 64

# Started again with the kept height: the same window, the same value.
fresh_config
printf 'WIN_HEIGHT_1024=%s\r\nKEEP_WIN_HEIGHT=1\r\n' "$kept" >>"$INI"
run_layered
check "144 dpi: the kept height opens the same window" "$h" "$(((kept * 3 + 1) / 2))"
check "144 dpi: and is written back unchanged" "$kept" "$(ini_value WIN_HEIGHT_1024)"

# --- The classic edition at 144 dpi.
printf '[CONFIG]\r\nCELL_WIDTH=64\r\nWIN_POS_X_1280=200\r\nWIN_POS_Y_1024=100\r\n' >"$D/desk-calendar-classic.ini"
env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine "$D/desk-calendar-classic.exe" >/dev/null 2>&1 &
PID=$!
for _ in $(seq 1 150); do WIN=$(window); [ -n "$WIN" ] && break; sleep 0.1; done
if [ -n "$WIN" ]; then
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    case $WIDTH in 673 | 674) echo "ok: classic at 144 dpi: width $WIDTH" ;; *) fail "classic at 144 dpi: width $WIDTH" ;; esac
else
    fail "no classic window"
fi
env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine taskkill /IM desk-calendar-classic.exe >/dev/null 2>&1
wait "$PID" 2>/dev/null
PID=
for _ in $(seq 1 100); do [ -z "$(xdotool search --name '^Tessel$' 2>/dev/null)" ] && break; sleep 0.1; done

restore_dpi
[ $failures -eq 0 ]
