#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command against a PostgreSQL server of its own: initdb into a temporary folder as an
# unprivileged user (nobody when started as root), on a free port of 127.0.0.1 only, the
# journal's schema and two roles loaded from the shipped SQL with passwords. The command gets
#   FRACTION_TEST_PUPIL_URI    postgresql://fraction_pupil:…@127.0.0.1:PORT/fraction_test
#   FRACTION_TEST_TEACHER_URI  the same for fraction_teacher
#   FRACTION_TEST_ADMIN_URI    the same for the server's superuser
#   FRACTION_TEST_SERVER_CTL   a script taking "stop" or "start" to stop and restart the server
# The server is stopped and the folder removed on exit, whatever happens.
# Usage: with-postgres.sh SQL_FILE COMMAND [ARGS…]
set -euo pipefail
sql=$(realpath "$1")
shift

bin=/usr/lib/postgresql/15/bin
[[ -x $bin/initdb ]] || { echo "with-postgres.sh: PostgreSQL 15 is not installed ($bin)" >&2; exit 1; }

dir=$(mktemp -d /tmp/fraction-test-pg.XXXXXX)
chmod 755 "$dir"
as_owner=()
if [[ $(id -u) -eq 0 ]]; then
    chown nobody:nogroup "$dir"
    as_owner=(setpriv --reuid=nobody --regid=nogroup --clear-groups --reset-env)
fi

cleanup() {
    "${as_owner[@]}" "$bin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$dir"
}
trap cleanup EXIT INT TERM

port=$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
admin_password=admin-$RANDOM$RANDOM
pupil_password="pupil-'\"$RANDOM"
teacher_password=teacher-$RANDOM$RANDOM
printf '%s\n' "$admin_password" >"$dir/pwfile"
chmod 644 "$dir/pwfile"

"${as_owner[@]}" "$bin/initdb" -D "$dir/data" -U postgres --pwfile="$dir/pwfile" \
    --auth-local=trust --auth-host=scram-sha-256 --encoding=UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 \
    || { cat "$dir/initdb.log" >&2; exit 1; }
rm -f "$dir/pwfile"

cat >"$dir/server.sh" <<SCRIPT
#!/usr/bin/env bash
# stop | start the test's server
case "\$1" in
    stop) exec "$bin/pg_ctl" -D "$dir/data" -m fast -w stop ;;
    start) exec "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
        -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c max_connections=100" start ;;
esac
SCRIPT
chmod 755 "$dir/server.sh"
# The server runs as its owner; a command already running as that user calls pg_ctl directly.
if [[ $(id -u) -eq 0 ]]; then
    ctl=("${as_owner[@]}" "$dir/server.sh")
else
    ctl=("$dir/server.sh")
fi
"${ctl[@]}" start >/dev/null || { cat "$dir/server.log" >&2; exit 1; }

psql_admin=(psql -X -q -v ON_ERROR_STOP=1 -h "$dir" -p "$port" -U postgres)
"${as_owner[@]}" "${psql_admin[@]}" -d postgres -c "CREATE DATABASE fraction_test" >/dev/null
"${as_owner[@]}" "${psql_admin[@]}" -d fraction_test -v pupil_password="$pupil_password" \
    -v teacher_password="$teacher_password" -f "$sql" >/dev/null

urlencode() { /usr/bin/python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1], safe=""))' "$1"; }
export FRACTION_TEST_PUPIL_URI="postgresql://fraction_pupil:$(urlencode "$pupil_password")@127.0.0.1:$port/fraction_test"
export FRACTION_TEST_TEACHER_URI="postgresql://fraction_teacher:$(urlencode "$teacher_password")@127.0.0.1:$port/fraction_test"
export FRACTION_TEST_ADMIN_URI="postgresql://postgres:$(urlencode "$admin_password")@127.0.0.1:$port/fraction_test"
export FRACTION_TEST_SERVER_CTL="$dir/server.sh"

status=0
"$@" || status=$?
exit $status
