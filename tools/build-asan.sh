#!/usr/bin/env bash
# Builds the native core and its tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# build/asan; the CTest run of build/native runs them (sanitized.core_tests). Any report stops
# the test that ran into it.
set -eu
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
JOBS=${JOBS:-$(nproc 2>/dev/null || echo 2)}
SAN="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$SAN -O1" \
    -DCMAKE_EXE_LINKER_FLAGS="$SAN" >/dev/null
cmake --build build/asan -j"$JOBS" --target core_tests desk-calendar-cli
