#!/bin/sh
# Runs atspi_walk.py on a fresh X display (Xvfb) in a D-Bus session of its
# own. Skips (77) only when a tool it needs is not installed.
# Usage: atspi_test.sh KALIMBO PICTURE_FOLDER
set -u
here=$(dirname "$0")
python=""
for p in /usr/bin/python3 python3; do
    if command -v "$p" >/dev/null 2>&1 &&
        "$p" -c "import gi; gi.require_version('Atspi', '2.0')" 2>/dev/null; then
        python=$p
        break
    fi
done
launcher=$(command -v at-spi-bus-launcher || ls /usr/libexec/at-spi-bus-launcher \
    /usr/lib/at-spi2-core/at-spi-bus-launcher 2>/dev/null | head -n 1)
for tool in dbus-run-session openbox xdotool xprop; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -n "$python" ] || { echo "SKIP: python3-gi with Atspi (gir1.2-atspi-2.0) is missing"; exit 77; }
[ -n "$launcher" ] || { echo "SKIP: at-spi-bus-launcher (at-spi2-core) is missing"; exit 77; }
PATH=$(dirname "$launcher"):$PATH
export PATH
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
command -v Xvfb >/dev/null 2>&1 || { echo "SKIP: Xvfb is not installed"; exit 77; }
# Xvfb picks a free display itself and names it: two runs at the same time
# (xvfb-run -a guesses from lock files) can no longer take the same one.
tmp=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$tmp"' EXIT INT TERM
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb=$!
n=0
while [ ! -s "$tmp/display" ] && [ $n -lt 600 ]; do
    sleep 0.1
    n=$((n + 1))
done
[ -s "$tmp/display" ] || { echo "Xvfb did not start:"; cat "$tmp/xvfb.log"; exit 1; }
DISPLAY=:$(head -n 1 "$tmp/display")
export DISPLAY
# Named is not yet answering on a loaded machine: wait until a client gets in.
n=0
until xprop -root >/dev/null 2>&1; do
    [ $n -lt 600 ] || { echo "Xvfb on $DISPLAY does not answer:"; cat "$tmp/xvfb.log"; exit 1; }
    sleep 0.1
    n=$((n + 1))
done
# The session's bus daemon inherits the output: into a file, so that a daemon
# left behind by a killed run cannot hold the test runner's pipe open.
dbus-run-session -- "$python" "$here/atspi_walk.py" "$@" >"$tmp/walk.log" 2>&1
status=$?
grep -v -e "Failed to set fd limit" -e "XDG_RUNTIME_DIR not set" -e "DeprecationWarning" \
    -e "get_action_name(i)" "$tmp/walk.log"
exit $status
