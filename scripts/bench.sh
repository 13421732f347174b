#!/usr/bin/env bash
# Builds in release mode and runs the benchmarks: data access, embedded and
# against a local Firebird server (the seeded database is kept in
# bench-data/), the requester registry's name search, the protocol register
# and the movement register opening on 99,000 active protocols (with the
# period filter and a protocol of 500 movements), and the report engine's
# 500-page list to PDF, the delivery receipt of 200 documents to its
# preview against its texts straight onto a PDF, the backup and restore of the seeded database
# against cp plus zip of the same file, the start-up to the login window
# against a bare Qt dialog, and the list of all 100,000 protocols to its
# preview's first page and to PDF against its texts straight onto a PDF.
# The protocol store's list filters and first save run against raw fetches
# too. "Consulta de Protocolos" searches three units of 100,000 protocols
# (copies of the seeded database) by label, CPF and name part against the raw
# fetches of its statement.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

ensure_packages "${KALVERO_PACKAGES[@]}"
BUILD_DIR="$KALVERO_ROOT/build-release"
build_project Release

DATA="$KALVERO_ROOT/bench-data"
mkdir -p "$DATA"
chmod 0777 "$DATA"
"$BUILD_DIR/bench/kalvero_bench" "$DATA/BENCH.FDB"
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bench/kalvero_bench_registries" "$DATA/BENCH.FDB"
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bench/kalvero_bench_protocol_screen" "$DATA/PROTOCOLS.FDB"
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bench/kalvero_bench_movement_screen" "$DATA/PROTOCOLS.FDB"
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bench/kalvero_bench_reports" "$DATA"
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bench/kalvero_bench_printing" "$DATA"
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bench/kalvero_bench_protocol_list" "$DATA/BENCH.FDB"
"$BUILD_DIR/bench/kalvero_bench_backup" "$DATA/BENCH.FDB"
"$BUILD_DIR/bench/kalvero_bench_protocols" "$DATA/BENCH.FDB"
bash "$KALVERO_ROOT/bench/startup.sh" "$BUILD_DIR"
# The consultation's three units, copied while no engine has the seeded file open.
for unit in 01 02 03; do
  if [ ! -f "$DATA/UN$unit/DBPROTOCOLO.FDB" ]; then
    mkdir -p "$DATA/UN$unit"
    cp "$DATA/BENCH.FDB" "$DATA/UN$unit/DBPROTOCOLO.FDB"
  fi
done
"$BUILD_DIR/bench/kalvero_bench_consultation" "$DATA"

"$KALVERO_ROOT/scripts/firebird-server.sh" start
trap '"$KALVERO_ROOT/scripts/firebird-server.sh" stop' EXIT
"$BUILD_DIR/bench/kalvero_bench" "$DATA/BENCH.FDB" 127.0.0.1
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bench/kalvero_bench_registries" "$DATA/BENCH.FDB" 127.0.0.1
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bench/kalvero_bench_protocol_screen" "$DATA/PROTOCOLS.FDB" 127.0.0.1
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bench/kalvero_bench_movement_screen" "$DATA/PROTOCOLS.FDB" 127.0.0.1
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bench/kalvero_bench_protocol_list" "$DATA/BENCH.FDB" 127.0.0.1
"$BUILD_DIR/bench/kalvero_bench_backup" "$DATA/BENCH.FDB" 127.0.0.1
"$BUILD_DIR/bench/kalvero_bench_protocols" "$DATA/BENCH.FDB" 127.0.0.1
"$BUILD_DIR/bench/kalvero_bench_consultation" "$DATA" 127.0.0.1
