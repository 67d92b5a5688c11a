#!/usr/bin/env bash
# Installs what is missing, builds Kehrwerk and its tests and runs every test.
source "$(dirname "$0")/common.sh"
install_missing
build
cd "$BUILD"
ctest --output-on-failure --no-tests=error -j "$(nproc)"
