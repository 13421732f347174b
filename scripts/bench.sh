#!/usr/bin/env bash
# Builds in release mode and runs the data-access benchmark, embedded and
# against a local Firebird server. The seeded database is kept in bench-data/.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

ensure_packages "${KALVERO_PACKAGES[@]}"
BUILD_DIR="$KALVERO_ROOT/build-release"
build_project Release

DATA="$KALVERO_ROOT/bench-data"
mkdir -p "$DATA"
chmod 0777 "$DATA"
"$BUILD_DIR/bench/kalvero_bench" "$DATA/BENCH.FDB"

"$KALVERO_ROOT/scripts/firebird-server.sh" start
trap '"$KALVERO_ROOT/scripts/firebird-server.sh" stop' EXIT
"$BUILD_DIR/bench/kalvero_bench" "$DATA/BENCH.FDB" 127.0.0.1
