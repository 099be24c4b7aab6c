#!/usr/bin/env bash
# Runs every benchmark: build/native/bench_* directly, build/win64/bench_*.exe under the Wine
# session. Each prints its report and a line `RATIO <name> <value>`; all output is passed on.
# Exit status: non-zero when any benchmark failed.
set -u
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SESSION=$ROOT/tools/wine-session.sh
failed=0
ran=0

for b in "$ROOT"/build/native/bench_*; do
    [ -f "$b" ] && [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    ran=$((ran + 1))
    "$b" || { echo "bench: $(basename "$b") failed" >&2; failed=1; }
done

win=()
for b in "$ROOT"/build/win64/bench_*.exe; do
    [ -f "$b" ] && win+=("$b")
done
if [ ${#win[@]} -gt 0 ]; then
    bash "$SESSION" start || exit 1
    trap 'bash "$SESSION" stop' EXIT
    for b in "${win[@]}"; do
        echo "== $(basename "$b")"
        ran=$((ran + 1))
        (cd "$(dirname "$b")" && bash "$SESSION" exec env LC_ALL=ja_JP.UTF-8 wine "$b") 2>&1 |
            tr -d '\r'
        [ "${PIPESTATUS[0]}" = 0 ] || { echo "bench: $(basename "$b") failed" >&2; failed=1; }
    done
fi

[ $ran -gt 0 ] || echo "bench: no benchmarks built"
exit $failed
