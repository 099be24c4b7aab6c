#!/usr/bin/env bash
# make dist: the zip holds both editions and the companion without debugging data, with the
# data files they ship, and the unpacked companion runs and reads the shipped holiday file.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_SOURCE_DIR:?}" "${TESSEL_TEST_TMP:?}"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

out=$TESSEL_TEST_TMP/dist
mkdir -p "$out"
zip_file=$(TESSEL_DIST_DIR=$out bash "$TESSEL_SOURCE_DIR/tools/make-dist.sh") || { echo "FAIL: make-dist" >&2; exit 1; }
unzip -q -o "$zip_file" -d "$out/unpacked" || { echo "FAIL: unzip" >&2; exit 1; }
dir=$out/unpacked/tessel
for exe in desk-calendar.exe desk-calendar-classic.exe desk-calendar-cli.exe; do
    [ -f "$dir/$exe" ] || { fail "$exe missing"; continue; }
    debug=$(x86_64-w64-mingw32-objdump -h "$dir/$exe" | grep -c '\.debug')
    size=$(stat -c %s "$dir/$exe")
    [ "$debug" = 0 ] && echo "ok: $exe has no debugging sections ($size bytes)" || fail "$exe: $debug debugging sections"
    [ "$size" -lt 1500000 ] || fail "$exe: $size bytes"
done
for f in "$TESSEL_SOURCE_DIR"/data/*; do
    cmp -s "$f" "$dir/$(basename "$f")" || fail "$(basename "$f") not shipped as it is"
done
printf '[CONFIG]\r\n' >"$dir/desk-calendar.ini"
got=$(env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine "$dir/desk-calendar-cli.exe" holidays 2026 | tr -d '\r' | head -1)
[ "$got" = "$(printf '2026-01-01\t元日')" ] && echo "ok: the shipped companion reads the shipped holidays" ||
    fail "holidays 2026 from the zip: '$got'"
exit $((failures > 0))
