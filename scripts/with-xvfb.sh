#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command against a private Xvfb server on a free display number, then stops the server.
set -euo pipefail
display=""
for n in $(seq 90 140); do
    if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then
        display=":$n"
        break
    fi
done
[[ -n "$display" ]] || { echo "no free X display" >&2; exit 1; }
Xvfb "$display" -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    [[ -e /tmp/.X11-unix/X${display#:} ]] && break
    sleep 0.05
done
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
DISPLAY="$display" QT_QPA_PLATFORM=xcb "$@"
