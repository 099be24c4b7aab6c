#!/usr/bin/env bash
# Packs the Windows programs and the data files they ship into build/dist/tessel-win64.zip:
# unpack it anywhere on Windows and run desk-calendar.exe (or desk-calendar-classic.exe).
set -eu
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WIN=$ROOT/build/win64
DIST=$ROOT/build/dist
STAGE=$DIST/tessel

rm -rf "$STAGE"
mkdir -p "$STAGE"
for exe in desk-calendar.exe desk-calendar-classic.exe desk-calendar-cli.exe; do
    [ -f "$WIN/$exe" ] || { echo "dist: $WIN/$exe is not built" >&2; exit 1; }
    cp "$WIN/$exe" "$STAGE/"
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
