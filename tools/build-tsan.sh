#!/usr/bin/env bash
# Builds the two-thread test of the profile and memo stores with ThreadSanitizer in build/tsan;
# the CTest run of build/native runs it (sanitized.store_threads). Any report stops the test.
set -eu
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
JOBS=${JOBS:-$(nproc 2>/dev/null || echo 2)}
SAN="-fsanitize=thread -fno-omit-frame-pointer"
cmake -S . -B build/tsan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$SAN -O1" \
    -DCMAKE_EXE_LINKER_FLAGS="$SAN" >/dev/null
cmake --build build/tsan -j"$JOBS" --target store_threads_test
