#!/usr/bin/env bash
# Runs one test function with a folder that the server sees and the test
# process does not: the process gets a mount namespace of its own in which an
# empty tmpfs covers the folder. What the server writes there stays out of
# the process's reach, as a remote server's files are out of a workstation's.
#   hidden-from-workstation.sh <test executable> <test function>
set -euo pipefail
folder="$(mktemp -d /tmp/kv-server-XXXXXX)"
chmod 0777 "$folder"
trap 'rm -rf "$folder"' EXIT
unshare --mount --propagation private sh -c \
  'mount -t tmpfs workstation "$0" && KALVERO_SERVER_ONLY_FOLDER="$0/" exec "$1" "$2"' \
  "$folder" "$1" "$2"
