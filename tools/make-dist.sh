#!/usr/bin/env bash
# Packs the Windows programs and the data files they ship into build/dist/tessel-win64.zip
# (TESSEL_DIST_DIR names another folder): unpack it anywhere on Windows and run desk-calendar.exe
# (or desk-calendar-classic.exe). The programs are shipped stripped of their debugging data.
# TESSEL_WIN_BUILD names the Windows build folder (default build/win64).
set -eu
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WIN=${TESSEL_WIN_BUILD:-$ROOT/build/win64}
DIST=${TESSEL_DIST_DIR:-$ROOT/build/dist}
STAGE=$DIST/tessel

rm -rf "$STAGE"
mkdir -p "$STAGE"
DIST=$(cd "$DIST" && pwd)
STAGE=$DIST/tessel
for exe in desk-calendar.exe desk-calendar-classic.exe desk-calendar-cli.exe; do
    [ -f "$WIN/$exe" ] || { echo "dist: $WIN/$exe is not built" >&2; exit 1; }
    x86_64-w64-mingw32-strip --strip-all -o "$STAGE/$exe" "$WIN/$exe"
done
for f in "$ROOT"/data/*; do
    [ -f "$f" ] && cp "$f" "$STAGE/"
done
[ -f "$ROOT/README.md" ] && cp "$ROOT/README.md" "$STAGE/"

zip_file=$DIST/tessel-win64.zip
rm -f "$zip_file"
(cd "$DIST" && zip -q -r "$zip_file" tessel)
rm -rf "$STAGE"
echo "$zip_file"
