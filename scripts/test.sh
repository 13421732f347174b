#!/usr/bin/env bash
# Sets everything up on Debian 12 and runs every test: the embedded suite and
# the server suite against a Firebird server on 127.0.0.1 started for the run,
# then both suites again built with AddressSanitizer and
# UndefinedBehaviorSanitizer, where any fault fails its test.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

SANITIZER_BUILD_DIR="$KALVERO_ROOT/build-asan"
SANITIZER_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"

ensure_packages "${KALVERO_PACKAGES[@]}"
build_project

"$KALVERO_ROOT/scripts/firebird-server.sh" start
trap '"$KALVERO_ROOT/scripts/firebird-server.sh" stop' EXIT

run_suites() {
  cd "$1"
  ctest --output-on-failure -j 2 -L embedded
  ctest --output-on-failure -j 2 -L server
}

(run_suites "$BUILD_DIR")

build_project RelWithDebInfo "$SANITIZER_BUILD_DIR" "$SANITIZER_FLAGS"
(
  # AddressSanitizer's defaults, leak checking included; only the leaks of
  # Firebird's client library are suppressed (see lsan.supp).
  export LSAN_OPTIONS="suppressions=$KALVERO_ROOT/scripts/lsan.supp"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  run_suites "$SANITIZER_BUILD_DIR"
)
