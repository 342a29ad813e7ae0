#!/usr/bin/env bash
# A throw-away PostgreSQL cluster on loopback for the test suite and the benchmark.
#   tools/pg-cluster.sh start DIR [PORT]   initdb into DIR (if empty) and start it; prints the book's URL
#   tools/pg-cluster.sh stop DIR
# The server runs as an unprivileged user: as root, the user nobody owns DIR.
set -euo pipefail

cmd=${1:?usage: tools/pg-cluster.sh start|stop DIR [PORT]}
dir=${2:?usage: tools/pg-cluster.sh start|stop DIR [PORT]}
port=${3:-54329}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
[ -x "$bin/initdb" ] || { echo "PostgreSQL's server programs are not installed (Debian package postgresql)" >&2; exit 1; }

as_owner() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u nobody -- "$@"
    else
        "$@"
    fi
}

case "$cmd" in
start)
    mkdir -p "$dir"
    [ "$(id -u)" -eq 0 ] && chown nobody "$dir"
    chmod 700 "$dir"
    if [ ! -f "$dir/PG_VERSION" ]; then
        as_owner "$bin/initdb" -D "$dir" -U kessory --auth=trust --encoding=UTF8 --locale=C.UTF-8 >/dev/null
    fi
    as_owner "$bin/pg_ctl" -D "$dir" -l "$dir/server.log" -w \
        -o "-c listen_addresses=127.0.0.1 -c port=$port -c unix_socket_directories='$dir' -c fsync=off" start >/dev/null
    echo "postgresql://kessory@127.0.0.1:$port/postgres"
    ;;
stop)
    as_owner "$bin/pg_ctl" -D "$dir" -m fast stop >/dev/null
    ;;
*)
    echo "usage: tools/pg-cluster.sh start|stop DIR [PORT]" >&2
    exit 2
    ;;
esac
