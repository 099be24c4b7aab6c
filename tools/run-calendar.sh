#!/usr/bin/env bash
# Starts the calendar under Wine from build/run/, which holds a copy of the program, the data
# files it ships and the INI files it writes.
#   With DISPLAY set: the calendar opens there and runs until it is closed.
#   Without: it runs on a private Xvfb; once its window is up, build/screenshot.png is saved,
#   the calendar is closed and the session stopped.
#   tools/run-calendar.sh [classic] [config-path]     (EDITION=classic does the same)
#   The classic edition's screenshot is build/screenshot-classic.png.
#   DPI=144 (without a display only): the session's screen is set to that resolution for this
#   run and put back afterwards; the screenshot's name ends in -144dpi.
set -u
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SESSION=$ROOT/tools/wine-session.sh
PROGRAM=desk-calendar
SHOT=$ROOT/build/screenshot.png
EDITION=${EDITION:-}
if [ "${1:-}" = classic ]; then
    EDITION=classic
    shift
fi
if [ "$EDITION" = classic ]; then
    PROGRAM=desk-calendar-classic
    SHOT=$ROOT/build/screenshot-classic.png
fi
DPI=${DPI:-}
[ -n "$DPI" ] && SHOT=${SHOT%.png}-${DPI}dpi.png
RUN_DIR=$ROOT/build/run
EXE=$ROOT/build/win64/$PROGRAM.exe

[ -f "$EXE" ] || { echo "run: $EXE is not built (make build)" >&2; exit 1; }
mkdir -p "$RUN_DIR"
cp "$EXE" "$RUN_DIR/"
# Shipped data files, without overwriting what the calendar has written since.
for f in "$ROOT"/data/*; do
    [ -f "$f" ] && cp -n "$f" "$RUN_DIR/"
done
# A first run shows a few memos in a coloured design; later runs keep what is there.
bash "$ROOT/tools/demo-data.sh" "$RUN_DIR" "$EDITION"
cd "$RUN_DIR" || exit 1

if [ -n "${DISPLAY:-}" ]; then
    TESSEL_WINE_DISPLAY=$DISPLAY bash "$SESSION" start || exit 1
    trap 'bash "$SESSION" stop' EXIT
    bash "$SESSION" exec env LC_ALL=ja_JP.UTF-8 wine "$RUN_DIR/$PROGRAM.exe" "$@"
    exit $?
fi

bash "$SESSION" start || exit 1
trap 'bash "$SESSION" stop' EXIT
eval "$(bash "$SESSION" env)"
if [ -n "$DPI" ]; then
    desktop='HKCU\Control Panel\Desktop'
    old_dpi=$(env LC_ALL=C.UTF-8 wine reg query "$desktop" /v LogPixels 2>/dev/null | tr -d '\r' |
              awk '$1 == "LogPixels" { print $3 }')
    set_dpi() { env LC_ALL=C.UTF-8 wine reg add "$desktop" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
    put_back_dpi() {
        if [ -n "$old_dpi" ]; then set_dpi "$((old_dpi))"
        else env LC_ALL=C.UTF-8 wine reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1; fi
    }
    set_dpi "$DPI"
    trap 'put_back_dpi; bash "$SESSION" stop' EXIT
fi

env LC_ALL=ja_JP.UTF-8 wine "$RUN_DIR/$PROGRAM.exe" "$@" &
pid=$!

# The calendar's top-level window: by title, by X class (Wine uses the program's name) or by
# the process that owns it. Wine's tray window sits at (0,0) and is never taken.
find_window() {
    local w
    for w in $(xdotool search --onlyvisible --name 'Tessel' 2>/dev/null) \
             $(xdotool search --onlyvisible --class "$PROGRAM" 2>/dev/null) \
             $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        xdotool getwindowname "$w" 2>/dev/null | grep -q 'Wine System Tray' && continue
        echo "$w"
        return 0
    done
    return 1
}

win=
for _ in $(seq 1 60); do
    win=$(find_window) && break
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "run: $PROGRAM.exe ended before showing a window" >&2
        break
    fi
    sleep 0.5
done

if [ -z "$win" ]; then
    import -window root "$SHOT" 2>/dev/null && echo "run: no calendar window; whole screen saved: $SHOT" >&2
    echo "run: the calendar's window did not appear within 30 s" >&2
    exit 1
fi

sleep 1   # let the first paint land
geometry=$(xdotool getwindowgeometry --shell "$win" 2>/dev/null)
eval "$geometry"
if import -window root "$SHOT" 2>/dev/null; then
    if [ -n "${WIDTH:-}" ] && [ "${WIDTH:-0}" -gt 0 ] && [ "${HEIGHT:-0}" -gt 0 ]; then
        convert "$SHOT" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$SHOT"
    fi
    echo "$SHOT"
else
    echo "run: screenshot failed" >&2
fi

# Closing: the session's stop (trap) ends the calendar with the rest of the prefix.
exit 0
