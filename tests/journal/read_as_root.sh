#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Root exporting a pupil's journal (directly and through a link) or opening it in the teacher's
# window leaves the pupil's folder as it was: the same files with the same owners and modes (an administrator's 0660 stays 0660),
# the journal's bytes unchanged, and nothing in it owned by root. Skipped unless run as root.
# Usage: read_as_root.sh PROGRAM JOURNAL_CHILD
set -euo pipefail
program=$1
child=$2
if [[ $(id -u) != 0 ]]; then
    echo "SKIP: only root can act as the pupil and as root here"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
chmod 0755 "$work"
pupil=$work/pupil
mkdir -m 0770 "$pupil"
chown nobody:nogroup "$pupil"
cp "$child" "$work/journal_child"
chmod 0755 "$work/journal_child"

# The pupil's own program writes a finished attempt into the pupil's folder.
runuser -u nobody -- env -u FRACTION_TEST_JOURNAL HOME="$pupil" \
    "$work/journal_child" "$pupil/journal.sqlite" - finish 7 >/dev/null ||
    fail "the pupil's program could not write its journal"
chmod 0660 "$pupil/journal.sqlite"
ln -s "$pupil/journal.sqlite" "$work/link.sqlite"

listing() {
    find "$pupil" ! -name '*-wal' ! -name '*-shm' -printf '%p %u %g %m\n' | sort
}
before=$(listing)
digest=$(sha256sum <"$pupil/journal.sqlite")

for journal in "$pupil/journal.sqlite" "$work/link.sqlite"; do
    FRACTION_TEST_JOURNAL=$journal "$program" --export-csv "$work/out.csv" ||
        fail "the export of $journal ended with status $?"
    lines=$(grep -c $'\r$' "$work/out.csv")
    [[ $lines == 2 ]] || fail "the export of $journal has $lines lines, not the header and one"
    [[ $(listing) == "$before" ]] ||
        fail "reading $journal changed the pupil's folder:"$'\n'"$before"$'\n'"---"$'\n'"$(listing)"
    others=$(find "$pupil" ! -user nobody)
    [[ -z $others ]] || fail "reading $journal left files that are not the pupil's: $others"
    [[ $(sha256sum <"$pupil/journal.sqlite") == "$digest" ]] || fail "reading $journal changed it"
done

# The teacher's window, run as root on the same file for a few seconds and then stopped.
FRACTION_TEST_JOURNAL=$pupil/journal.sqlite QT_QPA_PLATFORM=offscreen \
    timeout 3 "$program" --journal >/dev/null 2>&1 || true
[[ $(listing) == "$before" ]] || fail "the teacher's window changed the pupil's folder"
others=$(find "$pupil" ! -user nobody)
[[ -z $others ]] || fail "the teacher's window left files that are not the pupil's: $others"
[[ $(sha256sum <"$pupil/journal.sqlite") == "$digest" ]] || fail "the teacher's window changed it"
echo "PASS"
