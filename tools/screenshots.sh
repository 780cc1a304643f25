#!/usr/bin/env bash
# Takes README's screenshots (docs/*.png) of the built program on the sample
# pictures under Xvfb with openbox:  tools/screenshots.sh [build dir] [out dir]
# Under QT_SCALE_FACTOR=2 it shows how the program looks on a HiDPI screen.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out=$(mkdir -p "${2:-$root/docs}" && cd "${2:-$root/docs}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$out"
fi
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$root"/samples/*.* "$work"/ && rm -f "$work"/README.md "$work"/KALIMBO.INI
openbox >/dev/null 2>&1 &
sleep 1
(cd "$work" && exec "$build/kalimbo") &
scale=${QT_SCALE_FACTOR:-1}
# The screen trimmed to the open windows.
shot() {
    sleep 1.5
    import -window root "$work/shot.png"
    convert "$work/shot.png" -trim +repage "$out/$1.png"
}
# Clicks the point given in twips of the active window's client area.
click() {
    local win
    win=$(timeout 5 xdotool getactivewindow)
    timeout 5 xdotool mousemove --window "$win" $(($1 * scale / 15)) $(($2 * scale / 15)) click 1
}

sleep 3
shot mainmenu
click 6487 5407 # Begleiter
shot exercise
timeout 5 xdotool key alt+F4
sleep 1
click 9847 6247 # Memory
sleep 1
timeout 5 xdotool key Return # its greeting
shot game
