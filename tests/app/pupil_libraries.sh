#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The pupil's program links none of the libraries only the teacher's side needs (they live in
# the teacher's module, loaded for the journal window and the .xlsx export), so a pupil's start
# never loads them. The module itself does link them, which shows the check reads real entries.
# Usage: pupil_libraries.sh PROGRAM MODULE
set -euo pipefail
program=$1
module=$2
teacher_only='libQt6Charts|libQt6PrintSupport|libxlsxwriter|libpq'
needed() {
    local entries
    entries=$(readelf --dynamic "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
    grep -q '^libQt6Core' <<<"$entries" || {
        echo "no Qt among the libraries $1 links: it was not read" >&2
        exit 1
    }
    echo "$entries"
}
program_needs=$(needed "$program")
module_needs=$(needed "$module")
if found=$(grep -E "$teacher_only" <<<"$program_needs"); then
    echo "the pupil's program links what only the teacher's side needs: $found" >&2
    exit 1
fi
for library in libQt6Charts libQt6PrintSupport libxlsxwriter; do
    grep -q "^$library" <<<"$module_needs" || {
        echo "the teacher's module does not link $library: the check reads nothing" >&2
        exit 1
    }
done
echo "the pupil's program links $(wc -l <<<"$program_needs") libraries, none of the teacher's"
