#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for the given number of seconds
# (default 600), two at a time. New findings land in fuzz/corpus/<target>.
#   fuzz/run.sh [seconds] [target ...]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
source "$ROOT/scripts/common.sh"
install_missing clang libclang-rt-14-dev
SECONDS_EACH=${1:-600}
shift || true
TARGETS=("$@")
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=(ini patterns version wildcard compound)
BUILD_FUZZ="$ROOT/build-fuzz"
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD_FUZZ" -DKW_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD_FUZZ" -j "$(nproc)" --target $(printf '%s_fuzz ' "${TARGETS[@]}")
mkdir -p "$BUILD_FUZZ/logs"
run() {
    local t=$1
    # New inputs go to a working corpus; the repository keeps the seeds and findings.
    mkdir -p "$BUILD_FUZZ/corpus/$t"
    "$BUILD_FUZZ/fuzz/${t}_fuzz" -max_total_time="$SECONDS_EACH" -rss_limit_mb=2048 -timeout=10 \
        -artifact_prefix="$ROOT/fuzz/corpus/$t/finding-" "$BUILD_FUZZ/corpus/$t" "$ROOT/fuzz/corpus/$t" \
        > "$BUILD_FUZZ/logs/$t.log" 2>&1 && echo "$t: done" || echo "$t: FINDING (see $BUILD_FUZZ/logs/$t.log)"
    grep -E '^(#[0-9]+.*DONE|Done [0-9]+ runs)' "$BUILD_FUZZ/logs/$t.log" | tail -1
}
printf '%s\n' "${TARGETS[@]}" | xargs -P 2 -I{} bash -c "$(declare -f run); BUILD_FUZZ='$BUILD_FUZZ' ROOT='$ROOT' SECONDS_EACH='$SECONDS_EACH' run {}"
