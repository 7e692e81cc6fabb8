#!/bin/sh
# Runs a test program on its own D-Bus session with an AT-SPI bus, as a desktop with a
# screen reader has one: Qt's accessibility bridge is then active and raises its events.
# Usage: with-atspi.sh LAUNCHER PROGRAM [ARGS...]
set -eu
exec dbus-run-session -- sh -c '
    launcher=$1
    shift
    "$launcher" >/dev/null 2>&1 &
    bus=$!
    i=0
    until dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true; do
        i=$((i + 1))
        [ "$i" -gt 100 ] && { echo "the AT-SPI bus did not start" >&2; kill "$bus"; exit 1; }
        sleep 0.1
    done
    rc=0
    KERUNA_ACCESSIBILITY_BUS=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@" || rc=$?
    kill "$bus" 2>/dev/null || true
    exit "$rc"
' sh "$@"
