#!/usr/bin/env bash
# A PostgreSQL server of our own: scripts/pg.sh start DATADIR PORT | stop DATADIR
# Listens on 127.0.0.1:PORT with the role sa (password 580947) and the database ltczgl. PostgreSQL
# refuses to run as root, so under root it runs as the user postgres.
set -euo pipefail

bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[[ -x "$bindir/pg_ctl" ]] || { echo "找不到 PostgreSQL 服务器程序（/usr/lib/postgresql/*/bin）" >&2; exit 1; }

as_owner() {
    if [[ $(id -u) -eq 0 ]]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

start() {
    local datadir port
    datadir=$(realpath -m "$1")
    port=$2
    mkdir -p "$datadir"
    [[ $(id -u) -eq 0 ]] && chown postgres:postgres "$datadir" && chmod 700 "$datadir"
    if [[ ! -f "$datadir/PG_VERSION" ]]; then
        as_owner "$bindir/initdb" -D "$datadir" -U postgres -E UTF8 --no-locale \
            --auth-local=trust --auth-host=scram-sha-256 >/dev/null
    fi
    as_owner "$bindir/pg_ctl" -D "$datadir" -l "$datadir/server.log" -w -t 60 \
        -o "-p $port -k $datadir -c listen_addresses=127.0.0.1 -c fsync=off" start >/dev/null
    local psql=("$bindir/psql" -h "$datadir" -p "$port" -U postgres -v ON_ERROR_STOP=1 -qAt)
    if [[ -z $(as_owner "${psql[@]}" -d postgres -c "select 1 from pg_roles where rolname='sa'") ]]; then
        as_owner "${psql[@]}" -d postgres -c "create role sa login superuser password '580947'"
    fi
    if [[ -z $(as_owner "${psql[@]}" -d postgres -c "select 1 from pg_database where datname='ltczgl'") ]]; then
        as_owner "${psql[@]}" -d postgres -c "create database ltczgl owner sa encoding 'UTF8'"
    fi
    echo "PostgreSQL 已在 127.0.0.1:$port 运行（数据：$datadir）"
}

stop() {
    local datadir
    datadir=$(realpath -m "$1")
    [[ -f "$datadir/postmaster.pid" ]] || return 0
    as_owner "$bindir/pg_ctl" -D "$datadir" -m fast -w stop >/dev/null
}

case "${1:-}" in
    start) start "$2" "$3" ;;
    stop) stop "$2" ;;
    *) echo "用法：$0 start DATADIR PORT | stop DATADIR" >&2; exit 2 ;;
esac
