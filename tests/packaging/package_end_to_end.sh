#!/usr/bin/env bash
# The Debian package from this build folder's programs: packed by CPack,
# checked by dpkg-deb and lintian, unpacked with dpkg-deb -x into a temporary
# root where its kalvero-setup makes a demo install and its kalvero starts
# under the offscreen platform until the login window is shown.
#   package_end_to_end.sh <build folder>
set -euo pipefail
build="$1"
work="$(mktemp -d /tmp/kvp-XXXXXX)"
chmod 0755 "$work"
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work/cpack" > "$work/cpack.log" || { cat "$work/cpack.log"; exit 1; }
deb="$(ls "$work"/cpack/kalvero_*.deb)"

depends="$(dpkg-deb -f "$deb" Depends)"
for p in libqt6widgets6 libqt6network6 libqt6printsupport6 qt6-qpa-plugins libfbclient2 firebird3.0-server-core \
         libarchive13 fonts-liberation2 fonts-wine fonts-noto-color-emoji qt6-translations-l10n; do
  grep -q "\b$p\b" <<<"$depends" || { echo "Depends lacks $p: $depends"; exit 1; }
done
contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for f in ./opt/kalvero/kalvero ./opt/kalvero/kalvero-setup ./opt/kalvero/Config/DBPROTOCOLO_MODELO.FDB \
         ./usr/share/applications/kalvero.desktop ./usr/share/icons/hicolor/scalable/apps/kalvero.svg; do
  grep -qxF "$f" <<<"$contents" || { echo "the package lacks $f"; exit 1; }
done
# The office's data is made by kalvero-setup, never shipped.
if grep -E 'DBACESSO|ipServidor|prefeitura\.bmp|/UN[0-9]' <<<"$contents"; then
  echo "the package ships the office's data"; exit 1
fi

# Every dependency resolves by its Debian name.
apt-get install --simulate --no-install-recommends "$deb" > "$work/apt.log" 2>&1 || { cat "$work/apt.log"; exit 1; }

lintian --fail-on error "$deb" | tee "$work/lintian.log"
if grep -q '^E:' "$work/lintian.log"; then exit 1; fi

root="$work/root"
dpkg-deb -x "$deb" "$root"
program="$root/opt/kalvero"
"$program/kalvero" --version | grep -qx "kalvero [0-9.]*"
"$program/kalvero-setup" --folder "$program" --operator ADM1 --password 12345 --name Administrador --demo > "$work/setup.log"
grep -q "DBPROTOCOLO_MODELO.FDB (template unit database, kept)" "$work/setup.log" || { cat "$work/setup.log"; exit 1; }
[ -f "$program/UN01/DBPROTOCOLO.FDB" ] && [ -f "$program/DBACESSO.FDB" ]

export FIREBIRD_LOCK="${FIREBIRD_LOCK:-/tmp/kalvero-firebird-$(id -u)}"
# A Kalvero of this user may be running on the machine: its single-instance
# socket lives in the temporary folder, so the program under test gets a
# temporary folder of its own. A stand-in for that Kalvero is started unless
# one is there already.
standing="/tmp/kalvero-protocolo-$(id -u)"
if [ ! -S "$standing" ] && [ -x "$build/tests/app/single_instance_probe" ]; then
  TMPDIR=/tmp "$build/tests/app/single_instance_probe" "kalvero-protocolo-$(id -u)" > "$work/standing.log" 2>&1 &
  probe=$!
  trap 'kill "$probe" 2>/dev/null || true; rm -rf "$work"' EXIT
  for _ in $(seq 1 50); do grep -q first "$work/standing.log" && break; sleep 0.1; done
fi
mkdir -p "$work/tmp"
TMPDIR="$work/tmp" KALVERO_REPORT_LOGIN_SHOWN=1 QT_QPA_PLATFORM=offscreen "$program/kalvero" > "$work/run.log" 2>&1 &
pid=$!
for _ in $(seq 1 300); do
  grep -q "login window shown" "$work/run.log" && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
if ! grep -q "login window shown" "$work/run.log"; then
  kill "$pid" 2>/dev/null || true
  echo "kalvero did not show its login window:"; cat "$work/run.log"; exit 1
fi
kill -TERM "$pid"
code=0; wait "$pid" || code=$?
[ "$code" -eq 0 ] || { echo "kalvero ended with $code on SIGTERM:"; cat "$work/run.log"; exit 1; }
echo "package $(basename "$deb"): lintian clean of errors, demo install made, login window shown"
