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
#
# With --setup SCRIPT the database is made by the set-up command instead, as an administrator
# runs it (as root when the test is root): TLS with its generated certificate, access from
# 127.0.0.0/8 over TLS only, and two computers' roles, pc01 and pc02. The URIs are then the ones
# it printed (sslmode=verify-full against its certificate), the administrator's with
# sslmode=require, and the command also gets
#   FRACTION_TEST_COMPUTER_URI    pc01's own role
#   FRACTION_TEST_ROOT_CERT       the certificate the set-up told the computers to copy
#   FRACTION_TEST_OTHER_ROOT_CERT a certificate authority of another school
#   FRACTION_TEST_SETUP_OUTPUT    a file with everything the set-up printed
# Usage: with-postgres.sh [--setup SCRIPT] SQL_FILE COMMAND [ARGS…]
set -euo pipefail
setup=''
if [[ $1 == --setup ]]; then
    setup=$(realpath "$2")
    shift 2
fi
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

urlencode() { /usr/bin/python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1], safe=""))' "$1"; }
export FRACTION_TEST_SERVER_CTL="$dir/server.sh"

if [[ -n $setup ]]; then
    owner=$(id -un)
    [[ $(id -u) -ne 0 ]] || owner=nobody
    if ! "$setup" --network 127.0.0.0/8 --server-name 127.0.0.1 --server-name localhost \
        --computers pc01,pc02 --config-dir "$dir/setup" --client-cert-path "$dir/setup/root.crt" \
        --schema "$sql" --listen 127.0.0.1 --restart-command false --port "$port" \
        --socket-dir "$dir" --os-user "$owner" >"$dir/setup.out" 2>&1; then
        cat "$dir/setup.out" >&2
        exit 1
    fi
    printed() { sed -n "s/^ *\(pc01: \)\?server=\(postgresql:\/\/$1[:@].*\)\$/\2/p" "$dir/setup.out" | head -1; }
    FRACTION_TEST_PUPIL_URI=$(printed fraction_pupil)
    FRACTION_TEST_COMPUTER_URI=$(printed fraction_pc_pc01)
    export FRACTION_TEST_PUPIL_URI FRACTION_TEST_COMPUTER_URI
    teacher_line=$(printed fraction_teacher)
    teacher_password=$(sed -n 's/^ *127\.0\.0\.1:[0-9]*:fraction_test:fraction_teacher:\(.*\)$/\1/p' "$dir/setup.out")
    export FRACTION_TEST_TEACHER_URI=${teacher_line/fraction_teacher@/fraction_teacher:$teacher_password@}
    FRACTION_TEST_ADMIN_URI="postgresql://postgres:$(urlencode "$admin_password")@127.0.0.1:$port/fraction_test?sslmode=require"
    export FRACTION_TEST_ADMIN_URI
    export FRACTION_TEST_ROOT_CERT="$dir/setup/root.crt"
    export FRACTION_TEST_OTHER_ROOT_CERT="$dir/other-root.crt"
    export FRACTION_TEST_SETUP_OUTPUT="$dir/setup.out"
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj '/CN=another school' \
        -keyout "$dir/other-root.key" -out "$FRACTION_TEST_OTHER_ROOT_CERT" 2>/dev/null
    chmod 644 "$dir/setup.out"
    for uri in "$FRACTION_TEST_PUPIL_URI" "$FRACTION_TEST_COMPUTER_URI" "$teacher_password"; do
        [[ -n $uri ]] || { echo "with-postgres.sh: the set-up printed no settings" >&2; cat "$dir/setup.out" >&2; exit 1; }
    done
    status=0
    "$@" || status=$?
    exit $status
fi

psql_admin=(psql -X -q -v ON_ERROR_STOP=1 -h "$dir" -p "$port" -U postgres)
"${as_owner[@]}" "${psql_admin[@]}" -d postgres -c "CREATE DATABASE fraction_test" >/dev/null
"${as_owner[@]}" "${psql_admin[@]}" -d fraction_test -v pupil_password="$pupil_password" \
    -v teacher_password="$teacher_password" -f "$sql" >/dev/null

export FRACTION_TEST_PUPIL_URI="postgresql://fraction_pupil:$(urlencode "$pupil_password")@127.0.0.1:$port/fraction_test"
export FRACTION_TEST_TEACHER_URI="postgresql://fraction_teacher:$(urlencode "$teacher_password")@127.0.0.1:$port/fraction_test"
export FRACTION_TEST_ADMIN_URI="postgresql://postgres:$(urlencode "$admin_password")@127.0.0.1:$port/fraction_test"

status=0
"$@" || status=$?
exit $status
