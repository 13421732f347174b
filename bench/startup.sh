#!/usr/bin/env bash
# Start-up: the time from starting a program to the line "login window shown"
# on its standard output, the median of several starts, for kalvero on a demo
# install and for a bare Qt program showing one dialog of the same size.
# Without a network (unshare -n, where the system allows it) the update check
# finds the maker's site unreachable; it runs only once the window is shown.
#   startup.sh <build folder> [runs]
set -euo pipefail
build="$1"; runs="${2:-7}"
work="$(mktemp -d /tmp/kvs-XXXXXX)"
chmod 0755 "$work"
trap 'rm -rf "$work"' EXIT
"$build/src/app/kalvero-setup" --folder "$work/k" --operator ADM1 --password 12345 --name Administrador > /dev/null
cp "$build/src/app/kalvero" "$work/k/kalvero"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" KALVERO_REPORT_LOGIN_SHOWN=1
export FIREBIRD_LOCK="${FIREBIRD_LOCK:-/tmp/kalvero-firebird-$(id -u)}"
isolate=()
if unshare -n true 2>/dev/null; then isolate=(unshare -n); else echo "(unshare -n not allowed: the network stays on)"; fi

# Milliseconds from the start to the line; the program is then ended.
time_to_window() {
  local out="$work/out" start pid
  : > "$out"
  start=$(date +%s%N)
  "${isolate[@]}" "$@" > "$out" 2>/dev/null &
  pid=$!
  while ! grep -q "login window shown" "$out"; do
    kill -0 "$pid" 2>/dev/null || { echo "$1 ended before showing its window" >&2; exit 1; }
    sleep 0.005
  done
  echo $(( ($(date +%s%N) - start) / 1000000 ))
  kill -TERM "$pid"; wait "$pid" 2>/dev/null || true
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

kalvero_ms=$(for _ in $(seq "$runs"); do time_to_window "$work/k/kalvero"; done | median)
bare_ms=$(for _ in $(seq "$runs"); do time_to_window "$build/bench/kalvero_bench_bare_dialog"; done | median)
echo "start-up to the login window ($QT_QPA_PLATFORM, median of $runs): kalvero ${kalvero_ms} ms, bare Qt dialog ${bare_ms} ms," \
     "ratio $(awk -v a="$kalvero_ms" -v b="$bare_ms" 'BEGIN {printf "%.2f", a / b}')"
