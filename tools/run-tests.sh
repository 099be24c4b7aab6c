#!/usr/bin/env bash
# Runs every test in one CTest run in build/native: the native GoogleTest cases directly, the
# Windows test programs and the end-to-end scripts under one Wine session (cmake/wine_tests.cmake).
# Exit status: CTest's. The session is stopped afterwards even if CTest was cut short.
set -u
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT/build/native" || exit 1
trap 'bash "$ROOT/tools/wine-session.sh" stop >/dev/null 2>&1; exit 130' INT TERM
ctest --output-on-failure -j"${JOBS:-2}" "$@"
rc=$?
bash "$ROOT/tools/wine-session.sh" stop >/dev/null 2>&1
exit $rc
