#!/usr/bin/env bash
# Writers at once under Wine: while the calendar runs, two command-line companions store memos
# into one year file. Nothing is lost. Then a read-only year file: the companion says so, exits 2
# and the file stays as it was.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_TEST_TMP:?}"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
CAL_PID=
cleanup() { [ -n "$CAL_PID" ] && kill "$CAL_PID" 2>/dev/null; }
trap cleanup EXIT

dir=$TESSEL_TEST_TMP/writers
mkdir -p "$dir"
cp "$TESSEL_WIN_BUILD/desk-calendar.exe" "$TESSEL_WIN_BUILD/desk-calendar-cli.exe" "$dir/"
printf '[CONFIG]\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n' >"$dir/cal.ini"
config=$(winepath -w "$dir/cal.ini" 2>/dev/null)
cli() { env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine "$dir/desk-calendar-cli.exe" --config "$config" "$@"; }

env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine "$dir/desk-calendar.exe" "$config" >/dev/null 2>&1 &
CAL_PID=$!
window=
for _ in $(seq 1 150); do
    window=$(xdotool search --name '^Tessel$' 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "FAIL: the calendar did not open" >&2; exit 1; }

# writer MONTH DAYS: one companion process per memo, one after another.
writer() {
    local d
    for d in $(seq 1 "$2"); do
        cli memo set "2026-$1-$(printf %02d "$d")" "m$1d$d" >/dev/null 2>>"$dir/writer$1.err" ||
            echo "memo set 2026-$1-$d failed" >>"$dir/writer$1.err"
    done
}
: >"$dir/writer01.err"
: >"$dir/writer02.err"
writer 01 31 &
a=$!
writer 02 28 &
b=$!
wait "$a" "$b"
for m in 01 02; do
    [ -s "$dir/writer$m.err" ] && fail "writer $m: $(head -3 "$dir/writer$m.err")"
done

# Every memo is in the year file, read as the calendar's files are read: section = month.
stored=$(tr -d '\r' <"$dir/cal_memo2026.ini" | awk '
    /^\[/ { month = substr($0, 2, length($0) - 2); next }
    { i = index($0, "="); if (i) print month "=" substr($0, 1, i - 1) "=" substr($0, i + 1) }')
missing=0
for d in $(seq 1 31); do grep -qx "1=$d=m01d$d" <<<"$stored" || missing=$((missing + 1)); done
for d in $(seq 1 28); do grep -qx "2=$d=m02d$d" <<<"$stored" || missing=$((missing + 1)); done
[ "$missing" = 0 ] && echo "ok: all 59 memos stored" || fail "$missing of 59 memos lost"
kill -0 "$CAL_PID" 2>/dev/null && echo "ok: the calendar still runs" || fail "the calendar ended"
env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine taskkill /IM desk-calendar.exe >/dev/null 2>&1
wait "$CAL_PID"
CAL_PID=
# The next test looks for a calendar window: this one must be gone first.
for _ in $(seq 1 100); do
    [ -z "$(xdotool search --name '^Tessel$' 2>/dev/null)" ] && break
    sleep 0.1
done

# A read-only year file is not replaced; the companion says why on one line.
before=$(md5sum <"$dir/cal_memo2026.ini")
chmod 444 "$dir/cal_memo2026.ini"
err=$(cli memo set 2026-01-01 lost 2>&1 >/dev/null)
rc=$?
chmod 644 "$dir/cal_memo2026.ini"
[ "$rc" = 2 ] && echo "ok: exit 2" || fail "read-only file: exit $rc, want 2"
case "$err" in
*cal_memo2026.ini*"ファイルが読み取り専用になっています"*) echo "ok: $err" ;;
*) fail "read-only file: message '$err'" ;;
esac
[ "$(md5sum <"$dir/cal_memo2026.ini")" = "$before" ] && echo "ok: file unchanged" || fail "the read-only file changed"
exit $((failures > 0))
