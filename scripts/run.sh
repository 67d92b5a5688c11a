#!/usr/bin/env bash
# Installs what is missing, builds Kehrwerk and starts it.
source "$(dirname "$0")/common.sh"
install_missing
build --target kehrwerk
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "kehrwerk: no graphical display (DISPLAY and WAYLAND_DISPLAY are unset); start it from a desktop session." >&2
    exit 1
fi
exec "$BUILD/kehrwerk"
