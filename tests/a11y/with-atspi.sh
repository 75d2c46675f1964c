#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command where a screen reader would see the program: a private X server (Xvfb, from
# scripts/with-xvfb.sh), a private D-Bus session, and the accessibility bus on it, with Qt told
# to publish its accessible tree whether or not a screen reader has asked for it.
# Usage: with-atspi.sh COMMAND [ARG...]
# Nothing of the desktop the caller runs in is used or changed: the buses end with the command.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)

# First pass: the X server and the session bus, then this script again inside them. The bus
# daemons' chatter (activations, resource limits, the registry's greeting) goes to a log; the
# command gets the caller's standard output and error back from descriptors 4 and 3.
if [[ -z "${WITH_ATSPI_INSIDE:-}" ]]; then
    log=$(mktemp -t with-atspi.XXXXXX)
    status=0
    "$root/scripts/with-xvfb.sh" env WITH_ATSPI_INSIDE=1 \
        dbus-run-session -- "${BASH_SOURCE[0]}" "$@" 3>&2 4>&1 >"$log" 2>&1 || status=$?
    if [[ $status -ne 0 && -s $log ]]; then
        echo "with-atspi: what the X server and the buses said:" >&2
        cat "$log" >&2
    fi
    rm -f "$log"
    exit "$status"
fi
unset WITH_ATSPI_INSIDE
exec 1>&4 2>&3 3>&- 4>&-

# No user settings database behind gsettings: the bus launcher reads its defaults only.
export GSETTINGS_BACKEND=memory
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QT_ACCESSIBILITY=1

# Asking for the bus's address activates at-spi-bus-launcher (org.a11y.Bus on the session
# bus), which starts the accessibility bus, its own dbus-daemon; the registry daemon is then
# activated on that bus when a client first asks for it. All of them end with the session bus.
[[ -x /usr/libexec/at-spi-bus-launcher ]] ||
    { echo "with-atspi: at-spi-bus-launcher is missing (package at-spi2-core)" >&2; exit 1; }
address=""
for _ in $(seq 100); do
    address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress 2>/dev/null | tr -d '[:space:]') || true
    [[ -n "$address" ]] && break
    sleep 0.05
done
[[ -n "$address" ]] || { echo "with-atspi: the accessibility bus did not start" >&2; exit 1; }

# Tell every client that assistive technology is listening.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:true >/dev/null 2>&1 || true

exec "$@"
