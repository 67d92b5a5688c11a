#!/usr/bin/env bash
# Builds Kehrwerk and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer (in build-asan/) and runs every test under them.
# Leak checking is left to the fuzzers: Qt and fontconfig keep caches to the
# end of the process, which a whole-program leak check would report.
source "$(dirname "$0")/common.sh"
install_missing
BUILD_ASAN="$ROOT/build-asan"
cmake -S "$ROOT" -B "$BUILD_ASAN" -DKW_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$BUILD_ASAN" -j "$(nproc)"
cd "$BUILD_ASAN"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --output-on-failure --no-tests=error -j "$(nproc)"
