#!/usr/bin/env bash
# Start-up of both programs under Wine: which configuration file each writes, the centred first
# position, a stored position per screen size, and a second start that hands
# over to the running calendar without touching any file.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_TEST_TMP:?}"
PIDS=()
failures=0
cleanup() {
    local p
    for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null; done
    for p in "${PIDS[@]}"; do wait "$p" 2>/dev/null; done
    PIDS=()
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
check() { if [ "$2" = "$3" ]; then echo "ok: $1"; else fail "$1: got '$2', want '$3'"; fi; }

# Value of KEY in section CONFIG of FILE, or "missing".
ini_value() {
    [ -f "$1" ] || { echo missing; return; }
    tr -d '\r' <"$1" | awk -v key="$2" '
        /^\[/ { in_config = (toupper($0) == "[CONFIG]"); next }
        in_config { i = index($0, "="); if (i && toupper(substr($0, 1, i - 1)) == key) { print substr($0, i + 1); found = 1; exit } }
        END { if (!found) print "missing" }'
}

# Waits (up to 5 s) until KEY of FILE's section CONFIG is written, then prints it.
wait_value() {
    local i v
    for i in $(seq 1 50); do
        v=$(ini_value "$1" "$2")
        [ "$v" != missing ] && break
        sleep 0.1
    done
    echo "$v"
}

calendar_window() { xdotool search --name '^Tessel$' 2>/dev/null | head -1; }

wait_window() {
    local i id
    for i in $(seq 1 150); do
        id=$(calendar_window)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

wait_gone() {
    local i
    for i in $(seq 1 100); do
        [ -z "$(calendar_window)" ] && return 0
        sleep 0.1
    done
    return 1
}

# "X Y W H" of an X window; asked again while a busy machine has not mapped it yet.
# The window is looked up again each time: Wine may replace the X window it first showed.
geometry() {
    local g id=$1
    for _ in $(seq 1 100); do
        g=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null |
            awk -F= '{v[$1] = $2} END {if (v["HEIGHT"] != "") print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]}')
        [ -n "$g" ] && break
        sleep 0.1
        id=$(calendar_window)
        [ -n "$id" ] || id=$1
    done
    echo "$g"
}

start() {  # start EXE [ARGS...]: runs it in the background, its pid in LAST_PID
    env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine "$@" >/dev/null 2>&1 &
    LAST_PID=$!
    PIDS+=("$LAST_PID")
}

# Closes the calendar as the system would (WM_CLOSE through taskkill) and checks that the
# program of pid $1 ends with 0.
stop_calendar() {
    local name=$2 code
    env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine taskkill /IM "$name" >/dev/null 2>&1
    wait_gone || fail "$name: window still there after WM_CLOSE"
    wait "$1"
    code=$?
    check "$name ends with 0 after closing" "$code" 0
}

# A calendar of an earlier test may still be closing: its window would be taken for ours.
wait_gone || fail "a calendar window of another test is still there"

# --- Layered edition, empty command line: configuration desk-calendar.ini beside the program.
L=$TESSEL_TEST_TMP/layered
mkdir -p "$L"
cp "$TESSEL_WIN_BUILD/desk-calendar.exe" "$L/"
start "$L/desk-calendar.exe"
first=$LAST_PID
if id=$(wait_window); then
    read -r x y w h <<<"$(geometry "$id")"
    check "layered window is centred horizontally" "$x" "$(((1280 - w) / 2))"
    check "layered window is centred vertically" "$y" "$(((1024 - h) / 2))"
    check "window height stored for the 1024-pixel screen" "$(ini_value "$L/desk-calendar.ini" WIN_HEIGHT_1024)" "$h"
    # The default design: seven 64-pixel columns, one row of 75 pixels per week of this month
    # (weeks from Sunday), 94 pixels of title bar, weekday head and memo box.
    first_wday=$(date -d "$(date +%Y-%m-01)" +%w)
    month_days=$(date -d "$(date +%Y-%m-01) +1 month -1 day" +%d)
    weeks=$(((first_wday + 10#$month_days + 6) / 7))
    check "layered window is the default layout's width" "$w" 449
    check "layered window is $weeks weeks high" "$h" "$((weeks * 75 + 94))"
    check "first position written for the 1280-pixel screen" "$(wait_value "$L/desk-calendar.ini" WIN_POS_X_1280)" "$x"
    check "layered edition writes no tessel.ini" "$([ -e "$L/tessel.ini" ] && echo present || echo absent)" absent

    # A second start finds the first, ends with 0 and reads or writes nothing of its own.
    wait_value "$L/desk-calendar.ini" WIN_POS_Y_1024 >/dev/null  # the start's last write
    stamp=$(stat -c %Y.%s "$L/desk-calendar.ini")
    # Its own configuration would be written at once by a start that went on.
    mkdir -p "$L/second"
    ghost=$(winepath -w "$L/second/ghost.ini" 2>/dev/null)
    env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} timeout 20 wine "$L/desk-calendar.exe" "$ghost" >/dev/null 2>&1
    check "second start exits with 0" "$?" 0
    check "second start leaves its configuration path alone" "$([ -e "$L/second/ghost.ini" ] && echo present || echo absent)" absent
    check "second start leaves the first configuration alone" "$(stat -c %Y.%s "$L/desk-calendar.ini")" "$stamp"
    check "still one calendar window" "$(xdotool search --name '^Tessel$' | wc -l)" 1
    stop_calendar "$first" desk-calendar.exe
else
    fail "layered calendar window did not appear"
fi
cleanup

# --- Classic edition, empty command line: desk-calendar-classic.ini; stored position is used.
C=$TESSEL_TEST_TMP/classic
mkdir -p "$C"
cp "$TESSEL_WIN_BUILD/desk-calendar-classic.exe" "$C/"
printf '[CONFIG]\r\nWIN_POS_X_1280=210\r\nWIN_POS_Y_1024=150\r\nWIN_POS_X_1920=5\r\n' >"$C/desk-calendar-classic.ini"
start "$C/desk-calendar-classic.exe"
first=$LAST_PID
if id=$(wait_window); then
    read -r x y w h <<<"$(geometry "$id")"
    check "classic window at its stored position (x)" "$x" 210
    check "classic window at its stored position (y)" "$y" 150
    check "classic window height stored" "$(ini_value "$C/desk-calendar-classic.ini" WIN_HEIGHT_1024)" "$h"
    check "another screen's key is left as it was" "$(ini_value "$C/desk-calendar-classic.ini" WIN_POS_X_1920)" 5
    stop_calendar "$first" desk-calendar-classic.exe
else
    fail "classic calendar window did not appear"
fi
cleanup

# --- A command-line path names the configuration in both editions.
for exe in desk-calendar desk-calendar-classic; do
    D=$TESSEL_TEST_TMP/path-$exe
    mkdir -p "$D/prog" "$D/cal"
    cp "$TESSEL_WIN_BUILD/$exe.exe" "$D/prog/"
    start "$D/prog/$exe.exe" "$(winepath -w "$D/cal/my.ini")"
    first=$LAST_PID
    if id=$(wait_window); then
        read -r x y w h <<<"$(geometry "$id")"
        check "$exe writes the named configuration" "$(ini_value "$D/cal/my.ini" WIN_HEIGHT_1024)" "$h"
        check "$exe writes nothing beside the program" "$(ls "$D/prog" | grep -c '\.ini$')" 0
        stop_calendar "$first" "$exe.exe"
    else
        fail "$exe window did not appear with a command-line path"
    fi
    cleanup
done

if [ "$failures" -eq 0 ]; then echo "startup e2e: all checks passed"; else echo "startup e2e: $failures checks failed"; fi
[ "$failures" -eq 0 ]
