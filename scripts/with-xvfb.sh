#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command against a private Xvfb server on a free display number, then stops the server.
# Xvfb picks the number itself (-displayfd) and reports it only once it accepts clients, so two
# runs started at the same moment never share a server, and the command never starts before it.
set -euo pipefail
number_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp \
    3>"$number_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null || true; rm -f "$number_file"' EXIT
for _ in $(seq 200); do
    [[ -s $number_file ]] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.05
done
number=$(head -n 1 "$number_file")
[[ $number =~ ^[0-9]+$ ]] || { echo "Xvfb did not start" >&2; exit 1; }
display=":$number"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
DISPLAY="$display" QT_QPA_PLATFORM=xcb "$@"
