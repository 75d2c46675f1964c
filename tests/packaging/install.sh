#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the program into a temporary DESTDIR and checks what lands there: the program, its
# two desktop entries (the test and the teacher's journal), its icon and its AppStream
# metainfo, each valid; the classroom server's SQL and its set-up command.
# Usage: install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT

DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null

id=io.github.drobi6.FractionTest
fail() { echo "FAIL: $*" >&2; exit 1; }
[[ -x $dest/usr/bin/fraction-test ]] || fail "no program in bin"
# The teacher's window is a module the program looks for in ../lib…/fraction-test/.
compgen -G "$dest/usr/lib/*fraction-test/fraction-test-teacher.so" >/dev/null ||
    compgen -G "$dest/usr/lib/*/fraction-test/fraction-test-teacher.so" >/dev/null ||
    fail "no teacher's window module in lib"
desktop=$dest/usr/share/applications/$id.desktop
journal=$dest/usr/share/applications/$id.Journal.desktop
metainfo=$dest/usr/share/metainfo/$id.metainfo.xml
icon=$dest/usr/share/icons/hicolor/scalable/apps/$id.svg
for f in "$desktop" "$journal" "$metainfo" "$icon"; do
    [[ -f $f ]] || fail "missing $f"
done

desktop-file-validate "$desktop" || fail "desktop-file-validate"
desktop-file-validate "$journal" || fail "desktop-file-validate (journal)"
appstreamcli validate --no-net "$metainfo" >/dev/null || fail "appstreamcli validate"

grep -qx 'Exec=fraction-test' "$desktop" || fail "Exec is not the installed program"
grep -qx "Icon=$id" "$desktop" || fail "Icon is not the installed icon"
grep -qx 'Categories=Education;Math;' "$desktop" || fail "categories"
grep -q '^Name\[ru\]=Тест по дробям' "$desktop" || fail "Russian name"
grep -q '^Comment\[ru\]=' "$desktop" || fail "Russian comment"

# The teacher's entry opens the same program's journal window, in the Education menu.
grep -qx 'Exec=fraction-test --journal' "$journal" || fail "journal: Exec"
grep -qx "Icon=$id" "$journal" || fail "journal: Icon"
grep -qx 'Categories=Education;' "$journal" || fail "journal: categories"
grep -qx 'Name\[ru\]=Журнал результатов' "$journal" || fail "journal: Russian name"
grep -q '^Comment\[ru\]=' "$journal" || fail "journal: Russian comment"
grep -q '<screenshot type="default">' "$metainfo" || fail "no screenshot in metainfo"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "metainfo does not launch the desktop entry"
# The installed icon is the window's own.
cmp -s "$icon" "$source/packaging/icons/fraction-test.svg" || fail "icon differs from the window's"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" || fail "licence"
grep -q '^License: GPL-3.0-or-later' "$dest/usr/share/doc/fraction-test/copyright" ||
    fail "no copyright file"
# The classroom server's schema, for the administrator to load.
cmp -s "$dest/usr/share/fraction-test/postgresql-journal.sql" "$source/journal/sql/postgresql-journal.sql" ||
    fail "the server's SQL is not installed"
cmp -s "$dest/usr/share/fraction-test/postgresql-roster.sql" "$source/journal/sql/postgresql-roster.sql" ||
    fail "the server's roster SQL is not installed"
cmp -s "$dest/usr/share/fraction-test/postgresql-journal-upgrade-2.sql" \
    "$source/journal/sql/postgresql-journal-upgrade-2.sql" || fail "the server's upgrade is not installed"
# The administrator's set-up finds the installed SQL by itself: with no server to reach it gets
# as far as asking for one.
setup=$dest/usr/sbin/fraction-test-server-setup
[[ -x $setup ]] || fail "no server set-up in sbin"
said=$("$setup" --network 10.0.0.0/8 --os-user "$(id -un)" --socket-dir "$dest" --port 1 2>&1) &&
    fail "the set-up succeeded without a server"
[[ $said == *"cannot reach the PostgreSQL server"* ]] || fail "the set-up did not find its SQL: $said"
echo "install: program, both desktop entries, icon, metainfo, the server's SQL and set-up in place and valid"
