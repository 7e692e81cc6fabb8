#!/bin/sh
# Measures how long the program takes to end once asked to close, with and without the
# accessibility bridge, after a short session and after a long one with a screen reader
# attached (see exit_time.py for the session kinds). Prints each kind's runs and median;
# fails when a median exceeds 100 ms or a run did not save its settings.
# Usage: bench/exit-time.sh [BUILD_DIR] [RUNS] [WORDS] [KIND...]
#   defaults: build 5 20000 nobridge short long long-menu long-frozen long-study
# A long run takes one to two minutes with 20000 words (the walk visits every entry).
# Needs, besides the build's dependencies: xvfb, openbox, wmctrl, dbus, at-spi2-core,
# python3-gi and gir1.2-atspi-2.0 (the last two for the screen reader stand-in only).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
runs=${2:-5}
words=${3:-20000}
[ $# -gt 3 ] && shift 3 || set --
[ $# -gt 0 ] || set -- nobridge short long long-menu long-frozen long-study
launcher=
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher \
    /usr/libexec/at-spi2/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate && break
done
[ -n "$launcher" ] || { echo "at-spi-bus-launcher not found (at-spi2-core)" >&2; exit 2; }

work=$(mktemp -d /tmp/keruna-exit-time.XXXXXX)
trap 'rm -rf "$work"' EXIT
# A settings file as a first start makes it: the program run as installed (a share/keruna
# folder beside its bin folder) writes the defaults into the user's configuration folder.
mkdir -p "$work/installed/bin" "$work/installed/share/keruna" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
cp "$build/keruna" "$work/installed/bin/"
XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=offscreen \
    KERUNA_CLOSE_AFTER_FIRST_PAINT=1 "$work/installed/bin/keruna" >/dev/null 2>&1
[ -f "$work/config/keruna/Settei.ini" ] || { echo "no settings file was made" >&2; exit 2; }

# A private X server (or the one EXIT_TIME_DISPLAY names) with a window manager, D-Bus
# session and AT-SPI bus; the bus socket goes to a private runtime folder, not one shared
# with other sessions.
on_display() {
    if [ -n "${EXIT_TIME_DISPLAY:-}" ]; then
        DISPLAY=$EXIT_TIME_DISPLAY "$@"
    else
        xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
    fi
}
rc=0
on_display env XDG_RUNTIME_DIR="$work/runtime" dbus-run-session -- sh -c '
    launcher=$1 build=$2 work=$3 runs=$4 words=$5 here=$6
    shift 6
    wm=
    if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; then
        openbox >/dev/null 2>&1 &
        wm=$!
    fi
    "$launcher" --launch-immediately >/dev/null 2>&1 &
    bus=$!
    i=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" \
        && dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true; do
        i=$((i + 1))
        [ "$i" -gt 100 ] && { echo "openbox or the AT-SPI bus did not start" >&2; exit 2; }
        sleep 0.1
    done
    rc=0
    /usr/bin/python3 "$here/exit_time.py" "$build/keruna" "$work/config/keruna/Settei.ini" \
        "$work" "$runs" "$words" "$@" || rc=$?
    kill "$bus" $wm 2>/dev/null || true
    exit "$rc"
' sh "$launcher" "$build" "$work" "$runs" "$words" "$here" "$@" || rc=$?
exit "$rc"
