#!/usr/bin/env bash
# Starts or stops a Firebird server on 127.0.0.1:3050 for the server test suite
# and the benchmarks, with the SYSDBA password set to the program's constant.
#   firebird-server.sh start   # prints nothing more once the server answers
#   firebird-server.sh stop    # stops the server this script started, by its pid
set -euo pipefail
source "$(dirname "$0")/lib.sh"

PIDFILE="${KALVERO_FB_PIDFILE:-/tmp/kalvero-fbguard.pid}"
SECURITY_DB=/var/lib/firebird/3.0/system/security3.fdb

port_open() { (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; }

start() {
  if [ -f "$PIDFILE" ] && kill -0 "$(cat "$PIDFILE")" 2>/dev/null; then
    echo "Firebird server already running (pid $(cat "$PIDFILE"))"
    return 0
  fi
  if port_open; then
    # Debian's package may have started its own service; ours replaces it for
    # the run, since the SYSDBA password is set with the server stopped.
    echo "Stopping the Firebird service that holds port 3050"
    as_root systemctl stop firebird3.0 2>/dev/null || as_root service firebird3.0 stop 2>/dev/null || true
    for _ in $(seq 1 50); do
      port_open || break
      sleep 0.2
    done
    if port_open; then
      echo "Port 3050 is taken by a server this script did not start; stop it first." >&2
      exit 1
    fi
  fi
  local password
  password="$(sysdba_password)"
  # The security database is changed with the server stopped.
  echo "create or alter user sysdba password '$password'; commit;" |
    as_root isql-fb -q -user sysdba "$SECURITY_DB" >/dev/null
  as_root /usr/sbin/fbguard -daemon -forever -pidfile "$PIDFILE"
  for _ in $(seq 1 100); do
    if port_open; then
      echo "Firebird server listening on 127.0.0.1:3050 (pid $(cat "$PIDFILE"))"
      return 0
    fi
    sleep 0.2
  done
  echo "The Firebird server did not start listening on 127.0.0.1:3050." >&2
  exit 1
}

stop() {
  if [ -f "$PIDFILE" ]; then
    local pid guard
    pid="$(cat "$PIDFILE")"
    # The pid file names the server; its parent is the guard, which must go
    # first or it starts the server again. The guard ends the server itself.
    guard="$(ps -o ppid= -p "$pid" 2>/dev/null | tr -d ' ')"
    if [ -n "$guard" ] && [ "$(ps -o comm= -p "$guard" 2>/dev/null)" = "fbguard" ]; then
      as_root kill "$guard" 2>/dev/null || true
    else
      as_root kill "$pid" 2>/dev/null || true
    fi
    for _ in $(seq 1 75); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.2
    done
    if kill -0 "$pid" 2>/dev/null; then
      as_root kill -9 "$pid" 2>/dev/null || true
    fi
    as_root rm -f "$PIDFILE"
    echo "Firebird server stopped"
  fi
}

case "${1:-}" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
