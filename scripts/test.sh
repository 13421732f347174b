#!/usr/bin/env bash
# Sets everything up on Debian 12 and runs every test: the embedded suite and
# the server suite against a Firebird server on 127.0.0.1 started for the run.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

ensure_packages "${KALVERO_PACKAGES[@]}"
build_project

"$KALVERO_ROOT/scripts/firebird-server.sh" start
trap '"$KALVERO_ROOT/scripts/firebird-server.sh" stop' EXIT

cd "$BUILD_DIR"
ctest --output-on-failure -j 2 -L embedded
ctest --output-on-failure -j 2 -L server
