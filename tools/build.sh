#!/usr/bin/env bash
# Configures and builds both trees: build/win64 (MinGW-w64) and build/native (host g++, which
# also runs the Windows tests under Wine through WIN_BUILD_DIR, and the sanitized core tests of
# build/asan that tools/build-asan.sh builds and the thread-sanitized store test of build/tsan that
# tools/build-tsan.sh builds).
set -eu
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
JOBS=${JOBS:-$(nproc 2>/dev/null || echo 2)}

# The toolchain only matters at the first configure; later it would be reported as unused.
if [ -f build/win64/CMakeCache.txt ]; then
    cmake -S . -B build/win64 >/dev/null
else
    cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
fi
cmake --build build/win64 -j"$JOBS"
cmake -S . -B build/native -DWIN_BUILD_DIR="$ROOT/build/win64" -DASAN_BUILD_DIR="$ROOT/build/asan" \
    -DTSAN_BUILD_DIR="$ROOT/build/tsan" >/dev/null
cmake --build build/native -j"$JOBS"
