#!/usr/bin/env bash
# One Wine session for a test run: a private Xvfb display, a private 64-bit prefix inside the
# build tree and one persistent wineserver, so that every program starts in a few hundredths of
# a second instead of booting Wine again.
#
#   tools/wine-session.sh start       start Xvfb, boot or reuse the prefix, start the server
#   tools/wine-session.sh exec CMD... run CMD with the session's environment exported
#   tools/wine-session.sh e2e SCRIPT  run an end-to-end script (see below) inside the session
#   tools/wine-session.sh reap        end programs still running in the prefix (not Wine's own)
#   tools/wine-session.sh stop        stop the server and Xvfb; quiet when nothing runs
#   tools/wine-session.sh env         print the session's environment as export lines
#
# State lives in build/wine/ (or $TESSEL_WINE_STATE): prefix/ (kept between runs once booted
# completely), session.env, xvfb.pid.  With TESSEL_WINE_DISPLAY set, start uses that display
# (e.g. the user's own) and starts no Xvfb.
#
# Programs are run as `env LC_ALL=ja_JP.UTF-8 wine prog.exe`: that gives code page 932 for the
# program. Exporting LC_ALL in the shell would only add warnings. Scripts take the locale from
# TESSEL_LOCALE when it is set: en_US.UTF-8 gives code page 1252, for the runs that show the
# calendar is the same under another system code page.
#
# End-to-end script convention (tests/**/*_e2e.sh, registered by cmake/wine_tests.cmake):
#   - run as `bash script` with the session's environment exported (DISPLAY, WINEPREFIX,
#     WINEARCH, WINEDEBUG, WINESERVER) plus
#       TESSEL_WIN_BUILD   the win64 build folder (desk-calendar.exe, desk-calendar-classic.exe,
#                          desk-calendar-cli.exe)
#       TESSEL_SOURCE_DIR  the repository (data/*.ini are the shipped data files)
#       TESSEL_TEST_TMP    a fresh, empty folder for this test alone
#   - it copies the programs and the data files it needs into a folder under $TESSEL_TEST_TMP
#     and runs them with `env LC_ALL=ja_JP.UTF-8 wine "$dir/desk-calendar.exe" ...`;
#   - it may use xdotool and import (ImageMagick) on $DISPLAY; keep windows away from (0,0);
#   - it kills what it starts; exit 0 = pass, anything else = fail. Programs it leaves running
#     are ended afterwards and named on stderr.
set -u

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
STATE=${TESSEL_WINE_STATE:-$ROOT/build/wine}
PREFIX=$STATE/prefix
ENV_FILE=$STATE/session.env
XVFB_PID_FILE=$STATE/xvfb.pid
# Bump when the prefix set-up below changes, so kept prefixes are rebuilt.
PREFIX_STAMP="tessel-prefix-4 $(wine --version 2>/dev/null)"

say() { echo "wine-session: $*" >&2; }

# Running and not a zombie (PID 1 here may never reap what we leave behind).
alive() {
    [ -n "${1:-}" ] && kill -0 "$1" 2>/dev/null || return 1
    local state
    state=$(sed 's/^.*) //' "/proc/$1/stat" 2>/dev/null | cut -c1)
    [ -n "$state" ] && [ "$state" != Z ]
}

session_env() {
    export DISPLAY="$1"
    export WINEPREFIX="$PREFIX"
    export WINEARCH=win64
    export WINEDEBUG=-all
    export WINESERVER
    WINESERVER=$(command -v wineserver)
    # Xlib keeps its resource database only once it has found some resources; on a bare display
    # it looks for ~/.Xdefaults again at every font Wine selects (thousands a paint). One
    # resource file, as any desktop session has, ends that.
    export XENVIRONMENT="$STATE/xresources"
    [ -f "$XENVIRONMENT" ] || printf '! resources of the test display\nTessel.session: wine\n' >"$XENVIRONMENT"
}

# Wait until the X server on display number $1 answers (socket present).
wait_socket() {
    local n=$1 pid=$2 i
    for i in $(seq 1 100); do
        [ -S "/tmp/.X11-unix/X$n" ] && return 0
        alive "$pid" || return 1
        sleep 0.1
    done
    return 1
}

start_xvfb() {
    local n pid
    for n in $(seq 70 99); do
        [ -e "/tmp/.X11-unix/X$n" ] && continue
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$STATE/xvfb.log" 2>&1 &
        pid=$!
        if wait_socket "$n" "$pid"; then
            echo "$pid" >"$XVFB_PID_FILE"
            echo ":$n"
            return 0
        fi
        # Lost a race for this number (or Xvfb failed): make sure it is gone and try the next.
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    say "no free X display between :70 and :99"
    return 1
}

reg_add() {  # key value data  (under C.UTF-8, or the names' high bits are mangled)
    env LC_ALL=C.UTF-8 wine reg add "$1" /v "$2" /t REG_SZ /d "$3" /f </dev/null >/dev/null 2>&1
}

# A LOGFONTW as the hex digits of a REG_BINARY value: height, weight and face name, the rest 0.
logfont_hex() {  # height weight face
    python3 - "$@" <<'PY'
import struct, sys
height, weight, face = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
record = struct.pack('<5l8B', height, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0)
record += face.encode('utf-16-le').ljust(64, b'\0')[:64]
print(record.hex())
PY
}

# The system's UI fonts (captions, menus, message boxes) are Wine's own choice by locale: a
# Japanese face under ja_JP, Tahoma without Japanese glyphs elsewhere. The calendar must look the
# same under every system code page, so every locale gets the Japanese UI face.
set_ui_fonts() {
    local key='HKCU\Control Panel\Desktop\WindowMetrics' name weight
    for name in CaptionFont SmCaptionFont MenuFont StatusFont MessageFont IconFont; do
        weight=400
        [ "$name" = CaptionFont ] && weight=700
        env LC_ALL=C.UTF-8 wine reg add "$key" /v "$name" /t REG_BINARY /d "$(logfont_hex -11 $weight 'MS UI Gothic')" /f \
            </dev/null >/dev/null 2>&1 || return 1
    done
}

configure_prefix() {
    local key='HKCU\Software\Wine\Fonts\Replacements'
    reg_add "$key" 'ＭＳ Ｐゴシック' IPAPGothic &&
    reg_add "$key" 'ＭＳ ゴシック' IPAGothic &&
    reg_add "$key" 'ＭＳ Ｐ明朝' IPAPMincho &&
    reg_add "$key" 'ＭＳ 明朝' IPAMincho &&
    reg_add "$key" 'MS UI Gothic' IPAPGothic &&
    reg_add 'HKCU\Software\Wine\X11 Driver' Managed N &&
    set_ui_fonts || return 1
    # Wine's own UI faces (Tahoma, Marlett for caption buttons) are not found otherwise.
    mkdir -p "$PREFIX/drive_c/windows/Fonts" &&
    cp -u /usr/share/wine/fonts/*.ttf "$PREFIX/drive_c/windows/Fonts/"
}

cmd_start() {
    mkdir -p "$STATE"
    cmd_stop quiet
    local display
    if [ -n "${TESSEL_WINE_DISPLAY:-}" ]; then
        display=$TESSEL_WINE_DISPLAY
        rm -f "$XVFB_PID_FILE"
    else
        display=$(start_xvfb) || return 1
    fi
    session_env "$display"
    local t0=$SECONDS fresh=0
    if [ "$(cat "$PREFIX/.tessel-stamp" 2>/dev/null)" != "$PREFIX_STAMP" ]; then
        rm -rf "$PREFIX"
        mkdir -p "$PREFIX"
        fresh=1
    fi
    # Daemons must not hold on to our output: CTest waits for the pipes to close.
    wineserver -p </dev/null >/dev/null 2>&1 || { say "wineserver did not start"; cmd_stop quiet; return 1; }
    if [ $fresh = 1 ]; then
        # No Mono or Gecko: their install prompts would wait forever on a display nobody sees.
        if ! WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i </dev/null >"$STATE/wineboot.log" 2>&1; then
            say "wineboot failed (see $STATE/wineboot.log)"
            cmd_stop quiet
            return 1
        fi
    fi
    # The registry changes are cheap with the server running; writing them every time also
    # mends a kept prefix whose last server did not get to save its registry.
    if ! configure_prefix; then
        say "could not write the prefix's registry"
        cmd_stop quiet
        return 1
    fi
    echo "$PREFIX_STAMP" >"$PREFIX/.tessel-stamp"
    {
        echo "export DISPLAY='$DISPLAY'"
        echo "export WINEPREFIX='$WINEPREFIX'"
        echo "export WINEARCH=$WINEARCH"
        echo "export WINEDEBUG=$WINEDEBUG"
        echo "export WINESERVER='$WINESERVER'"
        echo "export XENVIRONMENT='$XENVIRONMENT'"
    } >"$ENV_FILE"
    if [ $fresh = 1 ]; then
        say "started on $DISPLAY, new prefix booted in $((SECONDS - t0)) s"
    else
        say "started on $DISPLAY, kept prefix"
    fi
}

load_env() {
    if [ ! -f "$ENV_FILE" ]; then
        say "no session running (run: tools/wine-session.sh start)"
        return 1
    fi
    # shellcheck disable=SC1090
    . "$ENV_FILE"
}

# Wine processes of our prefix that are programs we ran, not Wine's own services.
program_pids() {
    local d pid cmd
    for d in /proc/[0-9]*; do
        pid=${d#/proc/}
        [ "$pid" = $$ ] && continue
        { tr '\0' '\n' <"$d/environ" | grep -qxF "WINEPREFIX=$PREFIX"; } 2>/dev/null || continue
        cmd=$( { tr '\0' ' ' <"$d/cmdline"; } 2>/dev/null)
        case "$cmd" in
            [A-Za-z]:\\*) ;;          # a Windows process: its command line is a Windows path
            *) continue ;;            # a shell, wineserver, Xvfb or the test script itself
        esac
        case "${cmd,,}" in
            c:\\windows\\system32\\services.exe* | c:\\windows\\system32\\winedevice.exe* | \
            c:\\windows\\system32\\plugplay.exe* | c:\\windows\\system32\\svchost.exe* | \
            c:\\windows\\system32\\explorer.exe* | c:\\windows\\system32\\rpcss.exe* | \
            c:\\windows\\system32\\conhost.exe*) continue ;;
        esac
        echo "$pid $cmd"
    done
}

cmd_reap() {
    load_env || return 0
    local left pid
    left=$(program_pids)
    [ -z "$left" ] && return 0
    say "ending programs left running:"
    echo "$left" | sed 's/^/    /' >&2
    for pid in $(echo "$left" | cut -d' ' -f1); do kill "$pid" 2>/dev/null; done
    sleep 0.3
    for pid in $(echo "$left" | cut -d' ' -f1); do kill -9 "$pid" 2>/dev/null; done
    return 0
}

cmd_stop() {
    local quiet=${1:-}
    local had=0
    if [ -f "$ENV_FILE" ]; then
        had=1
        # shellcheck disable=SC1090
        . "$ENV_FILE"
    fi
    if [ -d "$PREFIX" ]; then
        # Ends every process of the prefix and saves its registry.
        WINEPREFIX=$PREFIX wineserver -k 2>/dev/null && had=1
        local i
        for i in $(seq 1 50); do
            WINEPREFIX=$PREFIX wineserver -k0 2>/dev/null || break
            sleep 0.1
        done
    fi
    if [ -f "$XVFB_PID_FILE" ]; then
        local pid
        pid=$(cat "$XVFB_PID_FILE")
        # Only ever our own Xvfb: the PID file may be stale after a reboot.
        if alive "$pid" && tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q '^Xvfb '; then
            kill "$pid" 2>/dev/null
            for i in $(seq 1 50); do alive "$pid" || break; sleep 0.1; done
            alive "$pid" && kill -9 "$pid" 2>/dev/null
            had=1
        fi
        rm -f "$XVFB_PID_FILE"
    fi
    rm -f "$ENV_FILE"
    [ -z "$quiet" ] && [ $had = 1 ] && say "stopped"
    return 0
}

case "${1:-}" in
    start) cmd_start ;;
    stop) cmd_stop ;;
    reap) cmd_reap ;;
    env) load_env && cat "$ENV_FILE" ;;
    exec)
        shift
        [ $# -gt 0 ] || { say "exec needs a command"; exit 2; }
        load_env || exit 1
        exec "$@"
        ;;
    e2e)
        shift
        [ $# -ge 1 ] || { say "e2e needs a script"; exit 2; }
        load_env || exit 1
        script=$1
        shift
        : "${TESSEL_WIN_BUILD:?TESSEL_WIN_BUILD must name the win64 build folder}"
        export TESSEL_WIN_BUILD
        export TESSEL_SOURCE_DIR=${TESSEL_SOURCE_DIR:-$ROOT}
        name=$(basename "$script" .sh)
        export TESSEL_TEST_TMP=${TESSEL_TEST_TMP:-$STATE/tmp/$name}
        rm -rf "$TESSEL_TEST_TMP"
        mkdir -p "$TESSEL_TEST_TMP"
        # Through a file: Wine starts some of its services on demand from inside a test, and
        # they would keep CTest's output pipe open until the end of the session.
        mkdir -p "$STATE/logs"
        log=$STATE/logs/$(basename "$TESSEL_TEST_TMP").log
        # A test cut short by its time-out may have left programs behind: not ours to inherit.
        bash "${BASH_SOURCE[0]}" reap
        bash "$script" "$@" </dev/null >"$log" 2>&1
        rc=$?
        bash "${BASH_SOURCE[0]}" reap >>"$log" 2>&1
        cat "$log"
        exit $rc
        ;;
    *)
        echo "usage: $0 start|stop|exec CMD...|e2e SCRIPT|reap|env" >&2
        exit 2
        ;;
esac
