#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The lint: clang-format in check mode over every C++ source, then clang-tidy with the
# checked-in .clang-tidy over every translation unit of the build in BUILD_DIR (default build/).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
cd "$here"

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
echo "clang-format: ${#sources[@]} files"
clang-format --dry-run --Werror "${sources[@]}"

# The program's own translation units; Qt's generated ones are not ours to lint.
mapfile -t units < <(git ls-files '*.cpp' | grep -v '^tests/fuzz/')
echo "clang-tidy: ${#units[@]} files"
run-clang-tidy -quiet -p "$build" -j "$(nproc)" "${units[@]/#/$here/}" >"$build/clang-tidy.log" 2>&1 || {
    grep -E 'warning:|error:' -A3 "$build/clang-tidy.log" | grep -v '^Suppressed' >&2 || cat "$build/clang-tidy.log" >&2
    echo "clang-tidy found problems (whole log: $build/clang-tidy.log)" >&2
    exit 1
}
echo "lint: clean"
