#!/usr/bin/env bash
# Runs one Windows GoogleTest program inside the Wine session (see tools/wine-session.sh):
#   tools/wine-gtest.sh PROGRAM.exe [gtest options...]
# The program writes CR LF lines; they are passed on as plain lines. Exit status: the program's.
set -u
exe=$1
shift
if [ ! -f "$exe" ]; then
    echo "wine-gtest: $exe was not built" >&2
    exit 1
fi
env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine "$exe" --gtest_color=no "$@" 2>&1 | tr -d '\r'
exit "${PIPESTATUS[0]}"
