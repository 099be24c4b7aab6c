# Shared by the end-to-end scripts that drive the real calendar under Wine: checks, reading INI
# values byte for byte, starting, clicking and stopping the program. Sourced after D (the test's
# folder, holding desk-calendar.exe) is set.
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
check() { if [ "$2" = "$3" ]; then echo "ok: $1"; else fail "$1: got '$2', want '$3'"; fi; }
PID=
trap '[ -n "$PID" ] && kill $PID 2>/dev/null' EXIT

# The raw value of KEY in SECTION of FILE (names compared ignoring case), or "missing".
ini_get() {
    [ -f "$1" ] || { echo missing; return; }
    tr -d '\r' <"$1" | LC_ALL=C awk -v section="$2" -v key="$3" '
        /^\[/ { inside = (toupper($0) == "[" toupper(section) "]"); next }
        inside { i = index($0, "="); if (i && toupper(substr($0, 1, i - 1)) == toupper(key)) { print substr($0, i + 1); found = 1; exit } }
        END { if (!found) print "missing" }'
}
# Waits (up to 3 s) until KEY of SECTION of FILE holds WANT; prints what it holds then.
wait_ini() {
    local v
    for _ in $(seq 1 30); do
        v=$(ini_get "$1" "$2" "$3")
        [ "$v" = "$4" ] && break
        sleep 0.1
    done
    echo "$v"
}
window() { xdotool search --onlyvisible --name '^Tessel$' 2>/dev/null | head -1; }
# A visible window titled exactly $1; also for Japanese titles, which `xdotool search --name`
# cannot match.
window_named() {
    local w
    for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && { echo "$w"; return; }
    done
}
# Waits (up to 3 s) until the window FINDER prints is there (yes) or gone (no); prints which.
wait_shown() {
    local v
    for _ in $(seq 1 30); do
        v=no
        [ -n "$($1)" ] && v=yes
        [ "$v" = "$2" ] && break
        sleep 0.1
    done
    echo $v
}
# Starts the calendar in D (with the arguments given) and waits for its window; X, Y, WIDTH,
# HEIGHT give where it is.
start() {
    env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine "$D/desk-calendar.exe" "$@" >/dev/null 2>&1 &
    PID=$!
    # Up to 30 s: a machine busy with builds may start Wine slowly.
    for _ in $(seq 1 300); do
        WIN=$(window)
        [ -n "$WIN" ] && break
        sleep 0.1
    done
    [ -n "$WIN" ] || { echo "FAIL: no calendar window" >&2; exit 1; }
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
}
stop() {
    env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine taskkill /IM desk-calendar.exe >/dev/null 2>&1
    wait "$PID" 2>/dev/null
    PID=
    for _ in $(seq 1 100); do [ -z "$(xdotool search --name '^Tessel$' 2>/dev/null)" ] && break; sleep 0.1; done
}
# click X Y [BUTTON], relative to the calendar's window.
click() { xdotool mousemove "$((X + $1))" "$((Y + $2))" click "${3:-1}"; sleep 0.3; }
