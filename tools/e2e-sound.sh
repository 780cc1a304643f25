# Sourced by the end-to-end sound scripts after they set E2E (their name for
# messages) and E2E_TOOLS (the commands they need), in the source folder.
# Skips (exit 0) where a command is missing, sets up a private home and
# configuration under $T, removed at the end unless KALIMBO_E2E_KEEP is set,
# and starts a private PulseAudio server whose default sink is a silent one
# (kalimbo_e2e) whose monitor can be recorded. `e2e_pactl ARGS` runs one more
# setup command and skips the script when it fails. The program is $APP,
# its picture folder $T/work (a copy of samples/). Inside the X display,
# `. "$T/session.sh"` starts openbox and the program there ($app).
ROOT=$PWD
APP=${KALIMBO_APP:-$ROOT/build/kalimbo}

for tool in xvfb-run openbox xdotool pulseaudio pactl parec sox $E2E_TOOLS; do
    command -v "$tool" >/dev/null || { echo "$E2E: skipped, $tool is missing"; exit 0; }
done
[ -x "$APP" ] || { echo "$E2E: $APP is not built"; exit 1; }

T=$(mktemp -d)
export HOME=$T/home XDG_RUNTIME_DIR=$T/run XDG_CONFIG_HOME=$T/config
export PULSE_RUNTIME_PATH=$T/run/pulse PULSE_STATE_PATH=$T/pulse-state
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/Kalimbo" "$T/work"
chmod 700 "$XDG_RUNTIME_DIR"
e2e_cleanup() {
    pulseaudio --kill >/dev/null 2>&1
    [ -n "${KALIMBO_E2E_KEEP:-}" ] && echo "$E2E: kept $T" || rm -rf "$T"
}
trap e2e_cleanup EXIT

e2e_skip() {
    echo "$E2E: skipped, PulseAudio cannot start here"
    sed 's/^/  /' "$T/pulse.log" 2>/dev/null | tail -3
    exit 0
}
e2e_pactl() { pactl "$@" >/dev/null 2>&1 || e2e_skip; }

pulseaudio --start --exit-idle-time=-1 -n --log-target=file:"$T/pulse.log" \
    --load="module-native-protocol-unix" \
    --load="module-null-sink sink_name=kalimbo_e2e" >/dev/null 2>&1 || e2e_skip
e2e_pactl set-default-sink kalimbo_e2e

cp "$ROOT"/samples/* "$T/work/"

cat >"$T/session.sh" <<'SESSION'
cd "$T/work"
openbox >/dev/null 2>&1 &
sleep 1
"$APP" >"$T/app.log" 2>&1 &
app=$!
SESSION
