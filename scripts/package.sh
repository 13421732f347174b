#!/usr/bin/env bash
# Builds the Debian package kalvero in release mode (in build-package/) and
# leaves it in dist/, checked by lintian.
#   sudo apt install ./dist/kalvero_*.deb
set -euo pipefail
source "$(dirname "$0")/lib.sh"

ensure_packages "${KALVERO_PACKAGES[@]}"
PACKAGE_BUILD_DIR="$KALVERO_ROOT/build-package"
# Only what the package holds, the programs and the template database; CPack
# then packs them without building the rest (the tests, the benchmarks).
cmake -S "$KALVERO_ROOT" -B "$PACKAGE_BUILD_DIR" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$PACKAGE_BUILD_DIR" -j "$(nproc)" --target kalvero kalvero-setup package_files

rm -rf "$PACKAGE_BUILD_DIR/cpack"
cpack --config "$PACKAGE_BUILD_DIR/CPackConfig.cmake" -B "$PACKAGE_BUILD_DIR/cpack"
mkdir -p "$KALVERO_ROOT/dist"
cp "$PACKAGE_BUILD_DIR"/cpack/kalvero_*.deb "$KALVERO_ROOT/dist/"
deb="$(ls "$PACKAGE_BUILD_DIR"/cpack/kalvero_*.deb)"
lintian --fail-on error "$deb"
echo "Package: $KALVERO_ROOT/dist/$(basename "$deb")"
