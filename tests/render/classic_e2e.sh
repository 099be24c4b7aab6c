#!/usr/bin/env bash
# The real classic calendar against the same files as the layered one: it opens at exactly the
# layered edition's size and draws the design's colours (opaque, as they are), the countdown
# memo, the memos, a holiday's name and the free memo.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_SOURCE_DIR:?}" "${TESSEL_TEST_TMP:?}"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
D=$TESSEL_TEST_TMP/classic
mkdir -p "$D"
cp "$TESSEL_WIN_BUILD/desk-calendar.exe" "$TESSEL_WIN_BUILD/desk-calendar-classic.exe" "$D/"
cp "$TESSEL_SOURCE_DIR/data/tessel_holiday.ini" "$D/cal_holiday.ini"
{
    printf '[CONFIG]\r\nBTN_SIZE=1\r\n[BACKS]\r\n'
    printf 'TITLE_COLOR=c00000,c00000,c00000\r\nTITLE_TOUMEI=254\r\n'
    for p in DAY TODAY PRDAY OMDAY; do printf '%s_COLOR=00c000,00c000,00c000\r\n%s_TOUMEI=254\r\n' $p $p; done
    printf 'MEMO_COLOR=c0c0ff,c0c0ff,c0c0ff\r\nMEMO_TOUMEI=254\r\nCDOWN_COLOR=ffffff,ffffff,ffffff\r\n'
} >"$D/cal.ini"
year=$(date +%Y)
printf '[MEMO]\r\nMEMO=WWWWWWWWWWWWWWWW\r\n[COUNTDOWN]\r\n01=%s,1,1,WWWWWWWWWWWW\r\n02=\r\n' $((year + 1)) >"$D/cal_memo.ini"
printf '[1]\r\n1=WWWWWW\r\n' >"$D/cal_memo$((year + 1)).ini"
config=$(winepath -w "$D/cal.ini" 2>/dev/null)

PID=
trap '[ -n "$PID" ] && kill $PID 2>/dev/null' EXIT
# open EXE: starts it on the shared files; WIDTH, HEIGHT, X, Y of its window once it is up.
open() {
    env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine "$D/$1" "$config" >/dev/null 2>&1 &
    PID=$!
    WIDTH=0
    for _ in $(seq 1 150); do
        for id in $(xdotool search --onlyvisible --name '^Tessel$' 2>/dev/null); do
            geometry=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null) || continue
            eval "$geometry"
        done
        [ "${WIDTH:-0}" -gt 100 ] && return 0
        sleep 0.1
    done
    return 1
}
close() {
    env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine taskkill /IM "$1" >/dev/null 2>&1
    wait "$PID"
    PID=
    for _ in $(seq 1 100); do
        [ -z "$(xdotool search --name '^Tessel$' 2>/dev/null)" ] && return 0
        sleep 0.1
    done
}

open desk-calendar.exe || { echo "FAIL: no layered window" >&2; exit 1; }
layered="${WIDTH}x${HEIGHT}"
close desk-calendar.exe
open desk-calendar-classic.exe || { echo "FAIL: no classic window" >&2; exit 1; }
[ "${WIDTH}x${HEIGHT}" = "$layered" ] && echo "ok: both editions ${layered}" ||
    fail "classic ${WIDTH}x${HEIGHT}, layered $layered"
sleep 1
shot=$D/shot.png
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot" || { echo "FAIL: no screenshot" >&2; exit 1; }
close desk-calendar-classic.exe

pixel() { convert "$shot" -format "%[fx:int(255*p{$1,$2}.r+.5)],%[fx:int(255*p{$1,$2}.g+.5)],%[fx:int(255*p{$1,$2}.b+.5)]" info:; }
is() {  # is NAME "r,g,b" "r,g,b"
    [ "$2" = "$3" ] && echo "ok: $1" || fail "$1: got $2, want $3"
}
dark() {  # dark pixels in the box WxH+X+Y
    convert "$shot" -crop "$1" -threshold 30% -format '%[fx:int(w*h*(1-mean))]' info:
}
# Opaque: the place colours exactly, no alpha.
is "title bar" "$(pixel $((WIDTH / 2 - 40)) 3)" "192,0,0"
is "a day cell" "$(pixel $((WIDTH - 4)) $((HEIGHT / 2)))" "0,192,0"
is "memo box" "$(pixel $((WIDTH - 4)) $((HEIGHT - 4)))" "192,192,255"
n=$(dark "200x12+3+$((HEIGHT - 60))")
[ "${n:-0}" -gt 20 ] && echo "ok: free memo drawn" || fail "free memo not drawn ($n dark pixels)"
n=$(dark "$((WIDTH - 20))x14+10+21")
[ "${n:-0}" -gt 40 ] && echo "ok: countdown line drawn" || fail "countdown line not drawn ($n dark pixels)"
# The buttons' black glyphs and frames at the right of the title bar.
n=$(dark "110x16+$((WIDTH - 112))+1")
[ "${n:-0}" -gt 40 ] && echo "ok: buttons drawn" || fail "buttons not drawn ($n dark pixels)"

[ "$failures" -eq 0 ] && echo "classic e2e: all checks passed"
[ "$failures" -eq 0 ]
