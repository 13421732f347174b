#!/usr/bin/env bash
# Draws the pictures of the README and of docs/guia-do-operador.md from the
# program's own windows on a demo install, under Xvfb, into docs/pictures/.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

ensure_packages "${KALVERO_PACKAGES[@]}"
cmake -S "$KALVERO_ROOT" -B "$BUILD_DIR" >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)" --target kalvero_pictures
export FIREBIRD_LOCK="${FIREBIRD_LOCK:-/tmp/kalvero-firebird-$(id -u)}"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" \
  "$BUILD_DIR/tests/pictures/kalvero_pictures" "$KALVERO_ROOT/docs/pictures"
