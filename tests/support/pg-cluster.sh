#!/bin/sh
# A throw-away PostgreSQL cluster for the server tests.
#   pg-cluster.sh start DIR   makes DIR/data and starts the server, listening
#                             only on the Unix socket DIR/.s.PGSQL.5432
#   pg-cluster.sh stop DIR    stops it (immediately) and removes DIR
#   pg-cluster.sh halt DIR    stops it as a crash would, keeping its data
#                             (what was committed is written out first:
#                             the cluster runs with synchronous_commit off)
#   pg-cluster.sh resume DIR  starts a halted cluster again
# initdb, pg_ctl and postgres refuse to run as root; as root they run as the
# postgres user, which then owns DIR.
set -eu
command=$1
dir=$2
bin=${VEXEL_PG_BIN:-/usr/lib/postgresql/15/bin}

as_owner() {
    if [ "$(id -u)" = 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

run_server() {
    as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
        -o "-c listen_addresses='' -c unix_socket_directories='$dir' -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=60" \
        start >/dev/null ||
        { cat "$dir/server.log" >&2; exit 1; }
}

case "$command" in
start)
    if [ -f "$dir/data/postmaster.pid" ]; then
        as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
    fi
    rm -rf "$dir"
    mkdir -p "$dir"
    if [ "$(id -u)" = 0 ]; then
        chown postgres:postgres "$dir"
    fi
    as_owner "$bin/initdb" -A trust -U postgres -E UTF8 --locale=C.UTF-8 -D "$dir/data" >"$dir/initdb.log" 2>&1 ||
        { cat "$dir/initdb.log" >&2; exit 1; }
    run_server
    ;;
halt)
    as_owner "$bin/psql" -X -q -h "$dir" -U postgres -d postgres -c CHECKPOINT >/dev/null
    as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null
    ;;
resume)
    run_server
    ;;
stop)
    if [ -f "$dir/data/postmaster.pid" ]; then
        as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    rm -rf "$dir"
    ;;
*)
    echo "usage: pg-cluster.sh start|stop|halt|resume DIR" >&2
    exit 2
    ;;
esac
