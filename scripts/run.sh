#!/usr/bin/env bash
# Sets everything up on Debian 12, prepares the demo install and runs Kalvero
# from it. The demo install lives in $KALVERO_DEMO_DIR (default ~/kalvero-demo);
# a unit's folder is stored in 40 characters, so keep that path short.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

ensure_packages "${KALVERO_PACKAGES[@]}"
# Only the two programs it runs; test.sh and bench.sh build the rest.
build_project RelWithDebInfo "$BUILD_DIR" "" kalvero kalvero-setup

DEMO="${KALVERO_DEMO_DIR:-$HOME/kalvero-demo}"
if [ ! -f "$DEMO/DBACESSO.FDB" ]; then
  "$BUILD_DIR/src/app/kalvero-setup" --folder "$DEMO" --operator ADM1 --password 12345 \
    --name "Administrador" --unit-name "PREFEITURA MUNICIPAL DE EXEMPLO" --municipality EXEMPLO --demo
fi
# The program finds its databases beside its executable.
install -m 0755 "$BUILD_DIR/src/app/kalvero" "$DEMO/kalvero"

echo
echo "Demo install: $DEMO"
echo "Log in as operator ADM1 with password 12345 and choose unit 01."
echo
exec "$DEMO/kalvero"
