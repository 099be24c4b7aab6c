#!/usr/bin/env bash
# The real layered calendar paints itself when its window is made: on screen the title bar, the
# cells and the memo box show their design's colours and the memo written in the file.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_TEST_TMP:?}"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
D=$TESSEL_TEST_TMP/paint
mkdir -p "$D"
cp "$TESSEL_WIN_BUILD/desk-calendar.exe" "$D/"
# Opaque places, so the screen (which shows the raw pixels) has the colours as they are.
printf '[CONFIG]\r\n[BACKS]\r\nTITLE_COLOR=c00000,c00000,c00000\r\nTITLE_TOUMEI=254\r\n' >"$D/desk-calendar.ini"
printf 'DAY_COLOR=00c000,00c000,00c000\r\nDAY_TOUMEI=254\r\nTODAY_COLOR=00c000,00c000,00c000\r\nTODAY_TOUMEI=254\r\n' >>"$D/desk-calendar.ini"
printf 'PRDAY_COLOR=00c000,00c000,00c000\r\nPRDAY_TOUMEI=254\r\n' >>"$D/desk-calendar.ini"
printf 'MEMO_COLOR=c0c0ff,c0c0ff,c0c0ff\r\nMEMO_TOUMEI=254\r\n' >>"$D/desk-calendar.ini"
printf '[MEMO]\r\nMEMO=WWWWWWWWWWWWWWWW\r\n' >"$D/tessel_memo.ini"

env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine "$D/desk-calendar.exe" >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null' EXIT
# The calendar's window, once it is mapped and has its size (windows of earlier runs may
# still be going away).
WIDTH=0
for _ in $(seq 1 150); do
    for id in $(xdotool search --onlyvisible --name '^Tessel$' 2>/dev/null); do
        geometry=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null) || continue
        eval "$geometry"
    done
    [ "${WIDTH:-0}" -gt 100 ] && break
    sleep 0.1
done
[ "${WIDTH:-0}" -gt 100 ] || { echo "FAIL: no calendar window" >&2; exit 1; }
sleep 1
shot=$D/shot.png
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot" || { echo "FAIL: no screenshot" >&2; exit 1; }

# "r,g,b" of the pixel at x,y of the screenshot.
pixel() { convert "$shot" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:; }
near() {  # near NAME "r,g,b" "r,g,b"
    local a b
    IFS=, read -r -a a <<<"$2"
    IFS=, read -r -a b <<<"$3"
    for i in 0 1 2; do
        local d=$((a[i] - b[i]))
        [ ${d#-} -le 3 ] || { fail "$1: got $2, want $3"; return; }
    done
    echo "ok: $1"
}
# Place colours 0xc0 at alpha 254 over black: 0xc0 * 254 / 255 = 191.
near "title bar" "$(pixel $((WIDTH / 2)) 3)" "191,0,0"
near "a day cell" "$(pixel $((WIDTH - 4)) $((HEIGHT / 2)))" "0,191,0"
near "memo box" "$(pixel $((WIDTH - 4)) $((HEIGHT - 4)))" "191,191,254"
# The free memo's text is drawn: dark pixels in the light memo box's first line.
dark=$(convert "$shot" -crop "120x14+3+$((HEIGHT - 60))" -threshold 20% -format '%[fx:int(w*h*(1-mean))]' info:)
[ "${dark:-0}" -gt 20 ] && echo "ok: free memo drawn ($dark dark pixels)" || fail "free memo not drawn ($dark dark pixels)"

[ "$failures" -eq 0 ] && echo "paint e2e: all checks passed"
[ "$failures" -eq 0 ]
