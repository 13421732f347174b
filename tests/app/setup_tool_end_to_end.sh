#!/usr/bin/env bash
# The install tool from its command line: a demo install that Firebird's own
# isql opens, and a second run that refuses to overwrite it.
#   setup_tool_end_to_end.sh <kalvero-setup> <sysdba password> [server address]
set -euo pipefail
tool="$1"; password="$2"; server="${3:-}"
dir="$(mktemp -d /tmp/kv-XXXXXX)"
chmod 0777 "$dir"
trap 'rm -rf "$dir"' EXIT
args=(--folder "$dir/k" --operator ADM1 --password 12345 --name "Administrador" --demo)
[ -n "$server" ] && args+=(--server "$server")

"$tool" "${args[@]}" > "$dir/made.txt"
grep -q "UN01/DBPROTOCOLO.FDB" "$dir/made.txt"

db="$dir/k/UN01/DBPROTOCOLO.FDB"
[ -n "$server" ] && db="$server:$db"
export FIREBIRD_LOCK="${FIREBIRD_LOCK:-/tmp/kalvero-firebird-$(id -u)}"
count="$(echo "select count(*) from TBPROTOCOLO;" | isql-fb -q -user SYSDBA -password "$password" "$db" | awk 'NF==1 && $1 ~ /^[0-9]+$/ {print $1}')"
[ "${count:-0}" -ge 200 ] || { echo "isql-fb found ${count:-no} protocols in $db"; exit 1; }

if "$tool" "${args[@]}" > "$dir/again.txt" 2>&1; then
  echo "the tool overwrote an existing install"; exit 1
fi
grep -q -- "--replace" "$dir/again.txt"
echo "demo install opened by isql-fb: $count protocols"
