#!/usr/bin/env bash
# make fuzz: builds the fuzz targets (fuzz/, clang with libFuzzer, ASan and UBSan) in build/fuzz
# and runs each for FUZZ_SECONDS seconds (60), JOBS at a time (one per core), on its seeds
# (fuzz/corpus/NAME, never written) and what earlier runs found (build/fuzz/corpus/NAME). Prints
# one line per target as it ends,
#   FUZZ target NAME execs N findings K
# then "FUZZ total_execs N findings K", and exits 1 when anything was found: the inputs are in
# build/fuzz/findings/NAME/, the whole output in build/fuzz/logs/NAME.log.
set -u
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT" || exit 2
SECONDS_EACH=${FUZZ_SECONDS:-60}
JOBS=${JOBS:-$(nproc 2>/dev/null || echo 2)}

if [ ! -f build/fuzz/CMakeCache.txt ]; then
    cmake -S fuzz -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ >/dev/null || exit 2
fi
cmake --build build/fuzz -j"$JOBS" >build/fuzz/build.log 2>&1 || { cat build/fuzz/build.log; exit 2; }

# The files the targets write: in memory where the system has /dev/shm.
base=/dev/shm
[ -w "$base" ] || base=${TMPDIR:-/tmp}
files=$(mktemp -d "$base/tessel-fuzz.XXXXXX") || exit 2
trap 'rm -rf "$files"' EXIT

# Runs one target and leaves "execs findings" in $files/NAME.result.
run_target() {
    local bin=$1 name=${1##*/fuzz_}
    local corpus=$ROOT/build/fuzz/corpus/$name findings=$ROOT/build/fuzz/findings/$name
    local log=$ROOT/build/fuzz/logs/$name.log
    mkdir -p "$corpus" "$findings" "$(dirname "$log")"
    rm -f "$findings"/*
    # Run from the scratch folder: a fuzzed file name that a target writes lands there, never in
    # the source tree.
    (cd "$files" && TESSEL_FUZZ_DIR=$files "$bin" -max_total_time="$SECONDS_EACH" -print_final_stats=1 \
        -timeout=30 -rss_limit_mb=3072 -artifact_prefix="$findings/" "$corpus" "$ROOT/fuzz/corpus/$name" \
        >"$log" 2>&1 </dev/null)
    local rc=$?
    local execs k
    execs=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -n 1)
    k=$(find "$findings" -type f | wc -l)
    [ "$rc" -ne 0 ] && [ "$k" -eq 0 ] && k=1  # it stopped for a reason it left no input for
    echo "FUZZ target $name execs ${execs:-0} findings $k"
    echo "${execs:-0} $k" >"$files/$name.result"
}

for bin in "$ROOT"/build/fuzz/fuzz_*; do
    [ -x "$bin" ] || continue
    while [ "$(jobs -rp | wc -l)" -ge "$JOBS" ]; do wait -n; done
    run_target "$bin" &
done
wait

total=0 found=0
for result in "$files"/*.result; do
    [ -f "$result" ] || continue
    read -r execs k <"$result"
    total=$((total + execs))
    found=$((found + k))
done
echo "FUZZ total_execs $total findings $found"
[ "$found" -eq 0 ]
