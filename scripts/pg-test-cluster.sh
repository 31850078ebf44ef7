#!/usr/bin/env bash
# Starts or stops a throw-away PostgreSQL cluster on loopback for the tests.
#   pg-test-cluster.sh start DIR   prints the connection settings to export
#   pg-test-cluster.sh stop DIR
# PostgreSQL refuses to run as root, so the cluster runs as the postgres user.
set -euo pipefail

cmd=${1:?start or stop}
dir=${2:?cluster folder}
bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -x "$bindir/initdb" ] || { echo "pg-test-cluster: PostgreSQL server binaries not found" >&2; exit 1; }

as_owner() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

# A cluster that would not start leaves its reasons only in its folder, which the caller removes
# next: show them first.
fail_with_log() {
  echo "pg-test-cluster: $1 failed; $2:" >&2
  cat "$2" >&2 2>/dev/null || echo "(no log written)" >&2
  exit 1
}

free_port() {
  local port
  for port in $(seq 54320 54999); do
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then echo "$port"; return; fi
  done
  echo 54320
}

case "$cmd" in
  start)
    mkdir -p "$dir"
    [ "$(id -u)" -eq 0 ] && chown postgres:postgres "$dir"
    port=$(free_port)
    as_owner "$bindir/initdb" -D "$dir/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 \
      >"$dir/initdb.log" 2>&1 || fail_with_log initdb "$dir/initdb.log"
    as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
      -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off -c max_connections=200" \
      start >"$dir/pg_ctl.log" 2>&1 || { cat "$dir/pg_ctl.log" >&2; fail_with_log "server start" "$dir/server.log"; }
    echo "MEMBERCARD_TEST_PG=host=127.0.0.1;port=$port;user=postgres"
    ;;
  stop)
    if [ -d "$dir/data" ]; then
      as_owner "$bindir/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    rm -rf "$dir"
    ;;
  *) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac
