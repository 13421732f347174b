# Shared by the project's scripts: Debian packages, the build, root rights.
# shellcheck shell=bash

KALVERO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${KALVERO_BUILD_DIR:-$KALVERO_ROOT/build}"

# Everything the program, its tests and its benchmarks need on Debian 12.
KALVERO_PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev libgl-dev qt6-translations-l10n
  firebird-dev libfbclient2 firebird3.0-server-core firebird3.0-server firebird3.0-utils firebird3.0-examples
  libarchive-dev
  fonts-liberation2 fonts-wine fonts-noto-color-emoji
  zbar-tools poppler-utils socat iproute2
  xvfb xauth
  lintian
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs with apt-get only the packages that are missing.
ensure_packages() {
  local missing=()
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# build_project [type] [build dir] [extra compiler flags] [target...]
# The extra flags are also passed to the link, for the sanitizers. Without
# targets everything is built (programs, tests, benchmarks, the package's
# files); with them, only those and what they need.
build_project() {
  local type="${1:-RelWithDebInfo}" dir="${2:-$BUILD_DIR}" flags="${3:-}"
  shift $(( $# < 3 ? $# : 3 ))
  local targets=()
  if [ $# -gt 0 ]; then targets=(--target "$@"); fi
  cmake -S "$KALVERO_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE="$type" \
    -DCMAKE_CXX_FLAGS="$flags" >/dev/null
  cmake --build "$dir" -j "$(nproc)" "${targets[@]}"
}

# The SYSDBA password is a constant of the program; the scripts read it there.
sysdba_password() {
  sed -n 's/.*Password = "\([^"]*\)".*/\1/p' "$KALVERO_ROOT/src/data/firebird/Connection.h" | head -n 1
}
