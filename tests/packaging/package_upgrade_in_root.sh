#!/usr/bin/env bash
# The package installed by dpkg into a throw-away root (dpkg --root, its own
# database of packages), an install with data made there, then an upgrade to a
# later version and a removal: the office's databases and
# Config/ipServidor.ini stay as they were. dpkg needs root for this; without
# it the test is skipped (exit 77) and says why.
#   package_upgrade_in_root.sh <build folder>
set -euo pipefail
build="$1"
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIPPED: installing into a throw-away root with dpkg --root needs root; run the suite as root (CI does)."
  exit 77
fi
work="$(mktemp -d /tmp/kvu-XXXXXX)"
chmod 0755 "$work"
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work/cpack" > "$work/cpack.log" || { cat "$work/cpack.log"; exit 1; }
deb="$(ls "$work"/cpack/kalvero_*.deb)"
# The same package as a later version, for the upgrade.
dpkg-deb -R "$deb" "$work/later"
sed -i 's/^Version: \(.*\)$/Version: \1+1/' "$work/later/DEBIAN/control"
dpkg-deb -b --root-owner-group "$work/later" "$work/later.deb" > /dev/null

root="$work/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
# The throw-away root holds no other package: its dependencies are checked on
# this machine by the package test.
in_root() {
  dpkg --root="$root" --log=/dev/null --force-depends --force-script-chrootless "$@" > "$work/dpkg.log" 2>&1 ||
    { cat "$work/dpkg.log"; return 1; }
}
in_root -i "$deb"

program="$root/opt/kalvero"
"$program/kalvero-setup" --folder "$program" --operator ADM1 --password 12345 --name Administrador > /dev/null
"$program/kalvero-setup" --folder "$program" --workstation 192.0.2.10 > /dev/null
data=(DBACESSO.FDB UN01/DBPROTOCOLO.FDB Config/ipServidor.ini Config/prefeitura.bmp)
(cd "$program" && md5sum "${data[@]}") > "$work/data.md5"

in_root -i "$work/later.deb"
dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${Version}' kalvero | grep -q '+1$'
(cd "$program" && md5sum -c --quiet "$work/data.md5") || { echo "the upgrade changed the office's data"; exit 1; }
[ -d "$program/Backup/UN01" ] || { echo "the upgrade removed the backup folder"; exit 1; }

in_root -r kalvero
[ ! -e "$program/kalvero" ] || { echo "the removal left the program"; exit 1; }
(cd "$program" && md5sum -c --quiet "$work/data.md5") || { echo "the removal touched the office's data"; exit 1; }
echo "upgrade and removal in a throw-away root kept ${data[*]}"
