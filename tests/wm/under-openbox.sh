#!/bin/sh
# Runs a test program on a private X server with the openbox window manager, where
# stacking, focus and dialogs behave as on a desktop.
set -eu
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    openbox >/dev/null 2>&1 &
    wm=$!
    i=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
        i=$((i + 1))
        [ "$i" -gt 100 ] && { echo "openbox did not start" >&2; kill "$wm"; exit 1; }
        sleep 0.1
    done
    rc=0
    QT_QPA_PLATFORM=xcb "$@" || rc=$?
    kill "$wm" 2>/dev/null || true
    exit "$rc"
' sh "$@"
