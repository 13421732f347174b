#!/usr/bin/env bash
# The soak: four workstation processes on the local server entering
# protocols with documents, movements and cancellations (two at desk speed,
# two as fast as they can), with a backup every five minutes that is restored
# and validated. At the end, what the desks reported is set against the
# database: operations, refusals and their causes, duplicates, rows lost,
# every backup, the memory of each desk at the start and the end.
#   scripts/soak.sh            # 30 minutes
#   SOAK_MINUTES=5 scripts/soak.sh
# Not part of the test suite. Exit 1 when anything was lost or doubled or a
# backup failed.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

MINUTES="${SOAK_MINUTES:-30}"
BACKUP_EVERY="${SOAK_BACKUP_MINUTES:-5}"

ensure_packages "${KALVERO_PACKAGES[@]}"
BUILD_DIR="$KALVERO_ROOT/build-release"
build_project Release
BIN="$BUILD_DIR/tests/reliability"

# A server that was already running (the test suite's) is left running.
if (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; then
  "$KALVERO_ROOT/scripts/firebird-server.sh" start
else
  "$KALVERO_ROOT/scripts/firebird-server.sh" start
  trap '"$KALVERO_ROOT/scripts/firebird-server.sh" stop' EXIT
fi
export KALVERO_TEST_SERVER=127.0.0.1

OUT="$(mktemp -d /tmp/kalvero-soak.XXXXXX)"
chmod 0777 "$OUT"
DATABASE="$("$BIN/kalvero_soak_prepare" "$OUT/DBPROTOCOLO.FDB")"
echo "Soak of $MINUTES minutes on $DATABASE; desk outputs and backups in $OUT"

PIDS=()
desk() {  # desk <number> <pause range in ms>
  "$BIN/kalvero_desk_worker" "$DATABASE" "$1" --seconds $((MINUTES * 60)) --pause-ms "$2" \
    --cancel-every 5 > "$OUT/desk$1.log" 2> "$OUT/desk$1.err" &
  PIDS+=("$!")
}
desk 1 2000-6000
desk 2 2000-6000
desk 3 0-100
desk 4 0-100

backups=0
backups_failed=0
start=$(date +%s)
next=$((start + BACKUP_EVERY * 60))
while [ $(( $(date +%s) - start )) -lt $((MINUTES * 60)) ]; do
  if [ "$(date +%s)" -ge "$next" ]; then
    backups=$((backups + 1))
    if "$BIN/kalvero_soak_backup" "$DATABASE" "$OUT/backup$backups.zip" "$OUT/RESTORED$backups.FDB" >> "$OUT/backups.log"; then
      tail -n 1 "$OUT/backups.log"
    else
      backups_failed=$((backups_failed + 1))
      tail -n 1 "$OUT/backups.log"
    fi
    next=$((next + BACKUP_EVERY * 60))
  fi
  sleep 5
done

# Each desk ends after the round under way.
desks_failed=0
for pid in "${PIDS[@]}"; do
  wait "$pid" || desks_failed=$((desks_failed + 1))
done

echo "--- $MINUTES minutes, 4 desks"
audit=0
"$BIN/kalvero_soak_audit" "$DATABASE" "$OUT"/desk?.log || audit=1
echo "backups: $backups made, $((backups - backups_failed)) restored and validated clean, $backups_failed failed"
echo "desks that ended with an error: $desks_failed"
[ "$audit" -eq 0 ] && [ "$backups_failed" -eq 0 ] && [ "$desks_failed" -eq 0 ]
