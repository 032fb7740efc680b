#!/usr/bin/env bash
# Starts a throw-away PostgreSQL server on 127.0.0.1 for the transaction
# database tests and prints the environment that points the tests at it.
#
#   eval "$(scripts/start-postgres.sh)"     # start; exports EBANK_TEST_PG*
#   scripts/start-postgres.sh --stop DIR    # stop the server started in DIR
#
# The cluster lives in a fresh temporary directory, owned by the postgres user
# when run as root (the server refuses to run as root). It listens only on the
# loopback address, on the first free port from 55432 up, and has a role and a
# database "ebank" with a random password. Nothing outside the temporary
# directory is written: the connection string turns the ODBC driver's own
# communication log off, whatever odbcinst.ini says.
set -euo pipefail

pg_bin() {
  local dir
  for dir in /usr/lib/postgresql/*/bin; do
    [[ -x "$dir/$1" ]] && { echo "$dir/$1"; return; }
  done
  command -v "$1"
}

as_owner() {
  if [[ $(id -u) -eq 0 ]]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

odbc_driver() {
  local dir
  for dir in /usr/lib/x86_64-linux-gnu/odbc /usr/lib/aarch64-linux-gnu/odbc /usr/lib/odbc \
             /usr/lib64 /usr/lib; do
    [[ -f "$dir/psqlodbcw.so" ]] && { echo "$dir/psqlodbcw.so"; return; }
  done
  echo "PostgreSQL Unicode"
}

if [[ ${1:-} == --stop ]]; then
  dir="${2:?usage: $0 --stop DIR}"
  as_owner "$(pg_bin pg_ctl)" -D "$dir/data" -m fast -w stop >&2
  rm -rf "$dir"
  exit 0
fi

dir="$(mktemp -d "${TMPDIR:-/tmp}/ebank-pg.XXXXXX")"
chmod 755 "$dir"
[[ $(id -u) -eq 0 ]] && chown postgres: "$dir"

port=55432
while (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do
  port=$((port + 1))
done

password="$(od -An -N12 -tx1 /dev/urandom | tr -d ' \n')"
as_owner "$(pg_bin initdb)" -D "$dir/data" -U postgres --auth-local=trust \
  --auth-host=scram-sha-256 -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1
as_owner "$(pg_bin pg_ctl)" -D "$dir/data" -l "$dir/server.log" -w \
  -o "-c listen_addresses=127.0.0.1 -c port=$port -k $dir -c fsync=off -c synchronous_commit=off -c full_page_writes=off" start >&2

psql="$(pg_bin psql)"
as_owner "$psql" -h "$dir" -p "$port" -U postgres -d postgres -v ON_ERROR_STOP=1 -q \
  -c "CREATE ROLE ebank LOGIN PASSWORD '$password'" \
  -c "CREATE DATABASE ebank OWNER ebank" >&2

echo "export EBANK_TEST_PG_DIR='$dir'"
echo "export EBANK_TEST_PG='Driver=$(odbc_driver);Server=127.0.0.1;Port=$port;Database=ebank;CommLog=0;Debug=0'"
echo "export EBANK_TEST_PG_UID='ebank'"
echo "export EBANK_TEST_PG_PWD='$password'"
