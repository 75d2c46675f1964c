#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package with CPack and checks its dependencies and contents.
# Usage: deb.sh BUILD_DIR
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$out"/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# Computed from the binary by dpkg-shlibdeps, and the run-time pieces named by hand.
for pkg in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 fonts-liberation2 fonts-urw-base35 \
    libqt6svg6 qt6-translations-l10n libqt6sql6-sqlite libqt6sql6-psql libqt6charts6 \
    libqt6printsupport6 libxlsxwriter4; do
    grep -q "\b$pkg\b" <<<"$depends" || fail "$pkg missing from Depends"
done
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/fraction-test ./usr/share/applications/io.github.drobi6.FractionTest.desktop \
    ./usr/share/applications/io.github.drobi6.FractionTest.Journal.desktop \
    ./usr/share/metainfo/io.github.drobi6.FractionTest.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/io.github.drobi6.FractionTest.svg \
    ./usr/share/doc/fraction-test/copyright \
    ./usr/share/fraction-test/postgresql-journal.sql \
    ./usr/share/fraction-test/postgresql-journal-upgrade-2.sql \
    ./usr/share/fraction-test/postgresql-roster.sql \
    ./usr/sbin/fraction-test-server-setup; do
    grep -q " $path\$" <<<"$contents" || fail "$path missing from the package"
done
# The set-up is run as root: executable, and changed by root only.
grep -q '^-rwxr-xr-x root/root .* ./usr/sbin/fraction-test-server-setup$' <<<"$contents" ||
    fail "the server's set-up is not an executable owned by root"
grep -q 'postgresql' <<<"$(dpkg-deb -f "$deb" Suggests)" || fail "postgresql is not suggested"
# The teacher's window, a module the program loads from the library folder beside bin.
grep -q " ./usr/lib/\(.*/\)\?fraction-test/fraction-test-teacher.so\$" <<<"$contents" ||
    fail "the teacher's window module is missing from the package"
echo "deb: $(basename "$deb") built with its dependencies"
