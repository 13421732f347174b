#!/usr/bin/env bash
# The many-desks load, long form: eight desk processes on the local server
# each save 100 new protocols with their documents as fast as they can, while
# a ninth cancels protocols at random; then eight save 100 each at a clerk's
# pace (0-2 s between saves). Every save must succeed, the year's numbers run
# without a gap or a repeat, every protocol keeps its documents; the wall
# time and the median, p99 and slowest save are printed.
#   scripts/load.sh
#   LOAD_SAVES=300 LOAD_PACED_SAVES=50 scripts/load.sh
# The test suite runs the short form (100 flat out, 10 at a clerk's pace).
set -euo pipefail
source "$(dirname "$0")/lib.sh"

ensure_packages "${KALVERO_PACKAGES[@]}"
build_project

# A server that was already running (the test suite's) is left running.
if ! (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; then
  trap '"$KALVERO_ROOT/scripts/firebird-server.sh" stop' EXIT
fi
"$KALVERO_ROOT/scripts/firebird-server.sh" start

KALVERO_TEST_SERVER=127.0.0.1 QT_QPA_PLATFORM=offscreen \
  KALVERO_LOAD_SAVES="${LOAD_SAVES:-100}" KALVERO_LOAD_PACED_SAVES="${LOAD_PACED_SAVES:-100}" \
  "$BUILD_DIR/tests/protocols/tst_protocol_load"
