#!/bin/sh
# Runs a test program as a Wayland desktop starts programs: beside a headless weston with
# Xwayland, with WAYLAND_DISPLAY, Xwayland's DISPLAY and XDG_SESSION_TYPE=wayland set and
# QT_QPA_PLATFORM not set. Exits with 77 (skipped) when weston or Xwayland cannot start.
set -eu
skip=77

for tool in weston Xwayland xprop; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit "$skip"; }
done

runtime=$(mktemp -d "${TMPDIR:-/tmp}/keruna-weston.XXXXXX")
chmod 700 "$runtime"
socket="keruna-test-$$"
log="$runtime/weston.log"
weston_pid=""

# shellcheck disable=SC2317 # called by the trap
cleanup() {
    if [ -n "$weston_pid" ]; then
        # weston takes Xwayland and its own helpers down with it.
        kill "$weston_pid" 2>/dev/null || true
        i=0
        while kill -0 "$weston_pid" 2>/dev/null && [ "$i" -lt 50 ]; do
            i=$((i + 1))
            sleep 0.1
        done
        kill -9 "$weston_pid" 2>/dev/null || true
    fi
    rm -rf "$runtime"
}
trap cleanup EXIT
trap 'exit 1' HUP INT TERM

skipWith() {
    echo "skipped: $1"
    sed 's/^/  weston: /' "$log" | tail -n 15
    exit "$skip"
}

XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --xwayland \
    --socket="$socket" --idle-time=0 --no-config >"$log" 2>&1 &
weston_pid=$!

# weston takes the X display itself and names it, then starts Xwayland on the first client.
display=""
i=0
until [ -S "$runtime/$socket" ] && [ -n "$display" ]; do
    kill -0 "$weston_pid" 2>/dev/null || skipWith "weston ended at start"
    i=$((i + 1))
    [ "$i" -gt 100 ] && skipWith "weston offered no Wayland socket and X display in 10 s"
    sleep 0.1
    display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$log" | tail -n 1)
done

# Xwayland is ready for clients once weston's X window manager has claimed the screen.
i=0
until xprop -display "$display" -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    i=$((i + 1))
    [ "$i" -gt 100 ] && skipWith "Xwayland on $display did not come up in 10 s"
    sleep 0.1
done

rc=0
env -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" \
    DISPLAY="$display" XDG_SESSION_TYPE=wayland "$@" || rc=$?
if [ "$rc" -ne 0 ]; then
    sed 's/^/  weston: /' "$log" | tail -n 30
fi
exit "$rc"
